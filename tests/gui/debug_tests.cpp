// The window "Debug": the packet log player, offscreen, with scripted prompts.

#include "debug.h"
#include "mainwindow.h"
#include "packetlog.h"
#include "scriptedline.h"
#include "scriptedprompts.h"
#include "tempdir.h"
#include "waitfor.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPointer>
#include <QRandomGenerator>
#include <QSlider>
#include <gtest/gtest.h>

namespace {

SPacket Packet(std::uint8_t type, std::int32_t length, std::uint8_t first)
{
  SPacket p{};
  for (int k = 0; k < SPacket::DataSize; ++k)
    p.Data[k] = std::uint8_t(first + k);
  p.Length = length;
  p.Status = SPacket::Waiting;
  p.Type = type;
  return p;
}

class DebugTest : public TTempDirTest {
protected:
  void SetUp() override
  {
    TTempDirTest::SetUp();
    Debug = new TDebug;
    Debug->show();
    connect(Edit("Edit5"));
  }
  void TearDown() override { delete Debug.data(); }

  void connect(QLineEdit *numberEdit)
  {
    QObject::connect(numberEdit, &QLineEdit::textChanged, numberEdit, [this](const QString &text) {
      if (!text.isEmpty())
        Shown << text.toInt();
    });
  }
  QString WriteLog(const QString &name, int count, int tail = 0)
  {
    QFile file(Path(name));
    EXPECT_TRUE(file.open(QIODevice::WriteOnly));
    for (int k = 0; k < count; ++k) {
      const SPacket p = Packet(std::uint8_t(k + 1), 10 + k, std::uint8_t(k));
      file.write(reinterpret_cast<const char *>(&p), sizeof p);
    }
    file.write(QByteArray(tail, '\x5A'));
    return Path(name);
  }
  void Play(const QString &path)
  {
    Prompts.FileAnswers << path;
    Action("A_Play")->trigger();
  }
  QAction *Action(const char *name) const { return Debug->findChild<QAction *>(QLatin1String(name)); }
  QLineEdit *Edit(const char *name) const { return Debug->findChild<QLineEdit *>(QLatin1String(name)); }
  QSlider *Slider() const { return Debug->findChild<QSlider *>(QStringLiteral("PacketSlider")); }
  QString Memo() const { return Debug->findChild<QPlainTextEdit *>(QStringLiteral("Memo1"))->toPlainText(); }
  QString EnabledActions() const
  {
    QStringList on;
    for (const char *name : {"A_Play", "A_Pause", "A_Next", "A_Prev", "A_Stop"})
      if (Action(name)->isEnabled())
        on << QLatin1String(name);
    return on.join(QLatin1Char(' '));
  }
  bool Cleared() const
  {
    for (const char *name : {"Edit1", "Edit2", "Edit3", "Edit4", "Edit5"})
      if (!Edit(name)->text().isEmpty())
        return false;
    return Memo().isEmpty() && Slider()->value() == 0;
  }

  TScriptedPrompts Prompts;
  QPointer<TDebug> Debug;
  QList<int> Shown;
};

}   // namespace

TEST_F(DebugTest, TenRecordsPlayOneToNineAndStopAtTen)
{
  EXPECT_EQ(Debug->windowTitle(), QStringLiteral("Debug"));
  EXPECT_EQ(EnabledActions(), QStringLiteral("A_Play"));
  Play(WriteLog(QStringLiteral("Log.zlp"), 10));
  ASSERT_TRUE(Debug->IsFileOpen());
  EXPECT_EQ(Slider()->maximum(), 10);
  EXPECT_EQ(Edit("Edit1")->text(), QStringLiteral("10"));
  EXPECT_TRUE(Debug->IsTimerRunning());
  EXPECT_EQ(EnabledActions(), QStringLiteral("A_Pause A_Stop"));
  ASSERT_TRUE(WaitFor([&] { return !Debug->IsFileOpen(); }, 10000));
  EXPECT_EQ(Shown, QList<int>({1, 2, 3, 4, 5, 6, 7, 8, 9}));
  EXPECT_TRUE(Cleared());
  EXPECT_FALSE(Debug->IsTimerRunning());
  EXPECT_EQ(EnabledActions(), QStringLiteral("A_Play"));
}

TEST_F(DebugTest, ARecordInHexadecimalWithItsFields)
{
  QFile file(Path(QStringLiteral("one.zlp")));
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  const struct {
    std::int32_t Length;
    std::uint8_t Status;
    QString Memo;
    QString Mode;
  } cases[] = {{10, 2, QStringLiteral("13141516171819 1A1B1C").remove(QLatin1Char(' ')), QStringLiteral("2")},
               {200, 2, QString(), QStringLiteral("2")},
               {-4, 0xFE, QString(), QStringLiteral("-2")},
               {0, 2, QString(), QStringLiteral("2")}};
  const SPacket unused = Packet(1, 0, 0);
  file.write(reinterpret_cast<const char *>(&unused), sizeof unused);   // position 0 is never shown
  for (const auto &c : cases) {
    SPacket p = Packet(19, c.Length, 0x13);
    p.Status = c.Status;
    file.write(reinterpret_cast<const char *>(&p), sizeof p);
  }
  file.write(reinterpret_cast<const char *>(&unused), sizeof unused);
  file.close();

  Play(Path(QStringLiteral("one.zlp")));
  Action("A_Pause")->trigger();
  EXPECT_EQ(EnabledActions(), QStringLiteral("A_Pause A_Next A_Prev A_Stop"));
  for (int k = 0; k < 4; ++k) {
    Action("A_Next")->trigger();
    SCOPED_TRACE(k);
    EXPECT_EQ(Edit("Edit5")->text(), QString::number(k + 1));
    EXPECT_EQ(Edit("Edit2")->text(), QString::number(cases[k].Length));
    EXPECT_EQ(Edit("Edit3")->text(), cases[k].Mode);
    EXPECT_EQ(Edit("Edit4")->text(), QStringLiteral("19"));
    if (k == 1)
      EXPECT_EQ(Memo().size(), 192) << "a length beyond 96 shows the 96 data bytes";
    else
      EXPECT_EQ(Memo(), cases[k].Memo);
  }
}

TEST_F(DebugTest, PrevFromTheFirstAndNextAtTheLastStop)
{
  const QString path = WriteLog(QStringLiteral("Log.zlp"), 4);
  Play(path);
  Action("A_Pause")->trigger();
  Action("A_Next")->trigger();
  ASSERT_EQ(Edit("Edit5")->text(), QStringLiteral("1"));
  Action("A_Prev")->trigger();
  EXPECT_FALSE(Debug->IsFileOpen()) << "Prev from 1 stops";
  EXPECT_TRUE(Cleared());

  Play(path);
  Action("A_Pause")->trigger();
  Slider()->setValue(3);   // the user drags the slider: the record under the thumb
  EXPECT_EQ(Edit("Edit5")->text(), QStringLiteral("3"));
  EXPECT_EQ(Edit("Edit4")->text(), QStringLiteral("4"));
  Action("A_Next")->trigger();
  EXPECT_FALSE(Debug->IsFileOpen()) << "Next at the last record stops";
  EXPECT_EQ(EnabledActions(), QStringLiteral("A_Play"));
}

TEST_F(DebugTest, PauseStopsAndRestartsTheTimer)
{
  Play(WriteLog(QStringLiteral("Log.zlp"), 50));
  Action("A_Pause")->trigger();
  EXPECT_FALSE(Debug->IsTimerRunning());
  Action("A_Pause")->trigger();
  EXPECT_TRUE(Debug->IsTimerRunning());
  ASSERT_TRUE(WaitFor([&] { return Shown.size() >= 2; }));
  Action("A_Stop")->trigger();
  EXPECT_FALSE(Debug->IsFileOpen());
  EXPECT_TRUE(Cleared());
}

TEST_F(DebugTest, ShortFilesAndPartialRecords)
{
  const struct {
    const char *Name;
    int Records;
    int Tail;
    QList<int> Shown;
  } cases[] = {{"empty.zlp", 0, 0, {}}, {"short.zlp", 0, 103, {}}, {"partial.zlp", 3, 50, {1, 2}}};
  for (const auto &c : cases) {
    Shown.clear();
    Play(WriteLog(QLatin1String(c.Name), c.Records, c.Tail));
    ASSERT_TRUE(Debug->IsFileOpen()) << c.Name;
    EXPECT_EQ(Debug->Count(), c.Records) << c.Name;
    ASSERT_TRUE(WaitFor([&] { return !Debug->IsFileOpen(); })) << c.Name;
    EXPECT_EQ(Shown, c.Shown) << c.Name;
  }
}

TEST_F(DebugTest, AFileThatCannotBeOpenedIsReported)
{
  Play(Path(QStringLiteral("missing.zlp")));
  EXPECT_EQ(Prompts.LastMessage(), QStringLiteral("Error open log file"));
  EXPECT_FALSE(Debug->IsFileOpen());
  Action("A_Play")->trigger();   // the dialog cancelled
  EXPECT_FALSE(Debug->IsFileOpen());
  EXPECT_EQ(Prompts.Messages.size(), 1);
}

TEST_F(DebugTest, RandomFilesNeverCrashThePlayer)
{
  QRandomGenerator random(21);
  for (int round = 0; round < 10; ++round) {
    QByteArray bytes(int(random.bounded(3000)), Qt::Uninitialized);
    for (char &c : bytes)
      c = char(random.bounded(256));
    const QString path = Path(QStringLiteral("r%1.zlp").arg(round));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
    file.close();
    Play(path);
    Action("A_Pause")->trigger();
    const int count = PacketLog::RecordCountForSize(bytes.size());
    for (int k = 1; k < count; ++k) {
      Action("A_Next")->trigger();
      ASSERT_TRUE(Debug->IsFileOpen());
      EXPECT_LE(Memo().size(), 192);
    }
    Action("A_Next")->trigger();
    EXPECT_FALSE(Debug->IsFileOpen()) << "round " << round;
  }
}

TEST_F(DebugTest, ClosingStopsAndFreesTheWindow)
{
  Play(WriteLog(QStringLiteral("Log.zlp"), 50));
  Debug->close();
  EXPECT_TRUE(WaitFor([&] { return Debug.isNull(); }));
}

TEST_F(DebugTest, ScreenshotOfAShownRecord)
{
  Play(WriteLog(QStringLiteral("Log.zlp"), 10));
  Action("A_Pause")->trigger();
  Slider()->setValue(5);
  QCoreApplication::processEvents();
  EXPECT_EQ(Edit("Edit5")->text(), QStringLiteral("5"));
  const QByteArray dir = qgetenv("ZOLT_SHOT_DIR");
  if (!dir.isEmpty())
    Debug->grab().save(QDir(QString::fromLocal8Bit(dir)).filePath(QStringLiteral("debug_paused.png")));
}

TEST_F(DebugTest, TheMainWindowOpensOneDebugWindow)
{
  TScriptedPrompts prompts;
  TMain main(TempDir.path(), {QStringLiteral("/debug")}, nullptr, new TScriptedLine);
  auto count = [] {
    int n = 0;
    for (QWidget *w : QApplication::topLevelWidgets())
      n += qobject_cast<TDebug *>(w) && w->isVisible() ? 1 : 0;
    return n;
  };
  delete Debug.data();
  ASSERT_EQ(count(), 0);
  main.A_DebugExecute();
  EXPECT_EQ(count(), 1);
  main.A_DebugExecute();
  EXPECT_EQ(count(), 1) << "an open one is raised, not doubled";
}
