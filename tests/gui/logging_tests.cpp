// The window "Logging": recording live records into a data log and playing one back to the
// registered windows through TReadLog, offscreen, with scripted prompts.

#include "calibration.h"
#include "communication.h"
#include "datalog.h"
#include "liverecord.h"
#include "logging.h"
#include "mainwindow.h"
#include "messages.h"
#include "online.h"
#include "analoggauge.h"
#include "scriptedline.h"
#include "scriptedprompts.h"
#include "tempdir.h"
#include "waitfor.h"
#include "wbprompts.h"

#include <QAction>
#include <QCheckBox>
#include <QToolButton>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLabel>
#include <QListWidget>
#include <QPointer>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QSlider>
#include <cstring>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <csignal>

namespace {

// A window of its own class that collects every record broadcast to it.
class TRecordSink : public QWidget {
  Q_OBJECT
public:
  explicit TRecordSink(TMessages *messages) : Messages(messages) { Messages->Add(this); }
  ~TRecordSink() override { Messages->Remove(this); }
  QList<std::int32_t> Numbers;
  QList<SInfo> Records;
  QList<qint64> ArrivalMs;

protected:
  void customEvent(QEvent *event) override
  {
    if (event->type() != WM_READINFO)
      return;
    const SInfo &info = static_cast<TReadInfoEvent *>(event)->Info;
    Numbers << info.RecordNo;
    Records << info;
    ArrivalMs << Clock.elapsed();
  }

private:
  TMessages *Messages;
  QElapsedTimer Clock = [] {
    QElapsedTimer t;
    t.start();
    return t;
  }();
};

SInfo LiveRecord(int rpm)
{
  SInfo info = MakeZeroInfo();
  info.Valid = 1;
  info.RPM = rpm;
  info.ReadTime = ToDayCount(QDateTime::currentDateTime());
  // What a live record may carry in the slots a log never keeps.
  info.EcuIdentity.VersionTextRef = 0x12345678;
  info.EcuIdentity.IdTextRef = 0x9ABCDEF0;
  info.Reserved2[0] = 0x55;
  info.Reserved241[1] = 0x66;
  return info;
}

void SaveShot(QWidget *window, const char *name)
{
  const QByteArray dir = qgetenv("ZOLT_SHOT_DIR");
  if (!dir.isEmpty())
    window->grab().save(QDir(QString::fromLocal8Bit(dir)).filePath(QLatin1String(name)));
}

class LoggingTest : public TTempDirTest {
protected:
  void SetUp() override
  {
    TTempDirTest::SetUp();
    WorkbenchPrompts::Install(&Prompts);
    Line = new TScriptedLine;
    Link = std::make_unique<TCommunication>(nullptr, QString(), Line);
    Sink = std::make_unique<TRecordSink>(&Messages);
    Logging = new TLogging(nullptr, Link.get(), &Messages);
    Logging->SetLogDirectory(TempDir.path());
    Logging->show();
  }
  void TearDown() override
  {
    delete Logging.data();
    Sink.reset();
    WorkbenchPrompts::Install(nullptr);
  }

  void Connect()
  {
    ASSERT_TRUE(Link->OpenPort(QStringLiteral("/dev/pts/test")));
    Link->SetLinkAlive(true);
  }
  QAction *Action(const char *name) const { return Logging->findChild<QAction *>(QLatin1String(name)); }
  QString Counter() const { return Logging->findChild<QLabel *>(QStringLiteral("PacketCV"))->text(); }
  QSlider *Slider() const { return Logging->findChild<QSlider *>(QStringLiteral("PacketSlider")); }
  QListWidget *Files() const { return Logging->findChild<QListWidget *>(QStringLiteral("FLBox")); }
  bool Listed(const QString &name) const { return !Files()->findItems(name, Qt::MatchExactly).isEmpty(); }
  void Select(const QString &name)
  {
    Logging->SetLogDirectory(TempDir.path());   // re-reads the list
    const auto items = Files()->findItems(name, Qt::MatchExactly);
    ASSERT_EQ(items.size(), 1) << name.toStdString();
    Files()->setCurrentItem(items.constFirst());
  }
  void Send(const SInfo &info)
  {
    TReadInfoEvent event(info, SVersionFirmware{});
    QCoreApplication::sendEvent(Logging, &event);
  }
  void WriteLog(const QString &name, int count)
  {
    DataLog::TWriter writer;
    ASSERT_TRUE(writer.Open(Path(name)));
    for (int k = 1; k <= count; ++k)
      ASSERT_TRUE(writer.Append(LiveRecord(100 * k)));
  }
  QString EnabledActions() const
  {
    QStringList on;
    for (const char *name : {"A_Rec", "A_Play", "A_Rew", "A_Fw", "A_Pause", "A_Stop"})
      if (Action(name)->isEnabled())
        on << QLatin1String(name);
    return on.join(QLatin1Char(' '));
  }
  bool Ended() const { return !Sink->Numbers.isEmpty() && Sink->Numbers.constLast() == 0; }
  void Play(const QString &name)
  {
    Select(name);
    Action("A_Play")->trigger();
  }
  // Pauses and waits until the playback is parked and every record it sent has arrived.
  void PauseAndSettle()
  {
    Action("A_Pause")->trigger();
    ASSERT_TRUE(WaitFor([&] { return Logging->IsPlaybackHeld(); }));
    int seen = -1;
    // The records sent before the pause may still be on their way: wait until the count holds.
    ASSERT_TRUE(WaitFor([&] {
      QCoreApplication::processEvents();
      const int now = int(Sink->Numbers.size());
      const bool steady = now == seen;
      seen = now;
      return steady;
    }));
  }
  // Runs an action while paused and waits for the one record it sends.
  std::int32_t StepWith(const char *action)
  {
    const qsizetype before = Sink->Numbers.size();
    Action(action)->trigger();
    EXPECT_TRUE(WaitFor([&] { return Sink->Numbers.size() > before; })) << action;
    return Sink->Numbers.isEmpty() ? -1 : Sink->Numbers.constLast();
  }

  TScriptedPrompts Prompts;
  TMessages Messages;
  TScriptedLine *Line = nullptr;
  std::unique_ptr<TCommunication> Link;
  std::unique_ptr<TRecordSink> Sink;
  QPointer<TLogging> Logging;
};

}   // namespace

// ------------------------------------------------------------------ the window at rest

TEST_F(LoggingTest, OpensIdleWithTheDirectoryListed)
{
  EXPECT_EQ(Logging->windowTitle(), QStringLiteral("Logging"));
  EXPECT_EQ(EnabledActions(), QStringLiteral("A_Rec A_Play A_Pause A_Stop"));
  EXPECT_FALSE(Slider()->isEnabled());
  EXPECT_EQ(Counter(), QStringLiteral("0"));
  EXPECT_TRUE(Logging->LogDirectory().endsWith(QLatin1Char('/'))) << "the final separator is added";
  EXPECT_EQ(Messages.Count(), 2) << "the window registers itself";
  EXPECT_GE(Logging->width(), 470);
}

TEST_F(LoggingTest, TheListShowsOnlyLogFilesOfTheChosenDirectory)
{
  for (const char *name : {"a.zlf", "b.zlf", "c.txt", "d.zlf.bak"})
    QFile(Path(QLatin1String(name))).open(QIODevice::WriteOnly);
  QDir(TempDir.path()).mkdir(QStringLiteral("sub"));
  QFile(Path(QStringLiteral("sub/e.zlf"))).open(QIODevice::WriteOnly);
  Logging->SetLogDirectory(TempDir.path());
  QStringList names;
  for (int k = 0; k < Files()->count(); ++k)
    names << Files()->item(k)->text();
  EXPECT_EQ(names, QStringList({QStringLiteral("a.zlf"), QStringLiteral("b.zlf")}));

  Prompts.FileAnswers << Path(QStringLiteral("sub"));
  Logging->findChild<QToolButton *>(QStringLiteral("LogDirectoryButton"))->click();
  EXPECT_EQ(Logging->LogDirectory(), Path(QStringLiteral("sub")) + QLatin1Char('/'));
  ASSERT_EQ(Files()->count(), 1);
  EXPECT_EQ(Files()->item(0)->text(), QStringLiteral("e.zlf"));
}

// ------------------------------------------------------------------ recording

TEST_F(LoggingTest, ThreeLiveRecordsThenStopGiveANumberedLog)
{
  Connect();
  Prompts.TextAnswers << QStringLiteral("drive1");
  Action("A_Rec")->trigger();
  ASSERT_TRUE(Logging->IsRecording());
  EXPECT_EQ(EnabledActions(), QStringLiteral("A_Stop")) << "only Stop while recording";
  QStringList counters;
  for (int rpm : {800, 1500, 3000}) {
    Send(LiveRecord(rpm));
    counters << Counter();
  }
  EXPECT_EQ(counters, QStringList({"1", "2", "3"}));
  SaveShot(Logging, "logging_recording.png");
  Action("A_Stop")->trigger();
  EXPECT_FALSE(Logging->IsRecording());
  EXPECT_EQ(Counter(), QStringLiteral("0"));
  EXPECT_EQ(EnabledActions(), QStringLiteral("A_Rec A_Play A_Rew A_Fw A_Pause A_Stop"));
  EXPECT_TRUE(Listed(QStringLiteral("drive1.zlf"))) << "the new file is listed";

  QFile file(Path(QStringLiteral("drive1.zlf")));
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  ASSERT_EQ(file.size(), 6 + 768);
  EXPECT_TRUE(DataLog::ReadSignature(file));
  const QByteArray bytes = file.readAll();
  const int rpms[] = {800, 1500, 3000};
  for (int k = 0; k < 3; ++k) {
    SInfo record;
    std::memcpy(&record, bytes.constData() + 256 * k, 256);
    EXPECT_EQ(record.RecordNo, k + 1);
    EXPECT_EQ(record.RPM, rpms[k]);
    EXPECT_EQ(record.EcuIdentity.VersionTextRef, 0u);
    EXPECT_EQ(record.EcuIdentity.IdTextRef, 0u);
    EXPECT_EQ(record.Reserved2[0], 0);
    EXPECT_EQ(record.Reserved241[1], 0);
    EXPECT_EQ(record.Valid, 1);
  }
  EXPECT_EQ(Logging->findChild<QLabel *>(QStringLiteral("L_DataTime"))->text().left(1), QStringLiteral(" "));
}

TEST_F(LoggingTest, FileNamesFromTheBoxOrTheClock)
{
  Connect();
  QFile old(Path(QStringLiteral("Test.zlf")));
  ASSERT_TRUE(old.open(QIODevice::WriteOnly));
  old.write(QByteArray(1000, 'x'));
  old.close();
  const struct {
    QString Answer;   // "" = cancelled
    bool Auto;
    QString Pattern;
  } cases[] = {{QStringLiteral("drive1"), false, QStringLiteral("^drive1\\.zlf$")},
               {QString(), false, QStringLiteral("^Test\\.zlf$")},
               {QString(), true, QStringLiteral("^\\d\\d_\\d\\d_\\d\\d_\\d\\d_\\d\\d_\\d\\d\\.zlf$")}};
  for (const auto &c : cases) {
    Prompts.TextAnswers << c.Answer;
    Logging->findChild<QCheckBox *>(QStringLiteral("AutoFileName"))->setChecked(c.Auto);
    const QDateTime before = QDateTime::currentDateTime();
    Action("A_Rec")->trigger();
    ASSERT_TRUE(Logging->IsRecording()) << c.Pattern.toStdString();
    const QString name = Logging->RecordingFileName();
    EXPECT_TRUE(QRegularExpression(c.Pattern).match(name).hasMatch()) << name.toStdString();
    if (c.Auto) {
      const QDateTime stamp = QDateTime::fromString(name.chopped(4), QStringLiteral("dd_MM_yy_HH_mm_ss")).addYears(100);
      EXPECT_LE(std::abs(stamp.secsTo(before)), 2) << name.toStdString();
    }
    Action("A_Stop")->trigger();
    EXPECT_EQ(QFile(Path(name)).size(), 6) << "created or replaced, signature only";
    EXPECT_TRUE(Listed(name));
  }
}

TEST_F(LoggingTest, RecordOnlyWhileConnectedAndTheEcuAnswers)
{
  Action("A_Rec")->trigger();
  EXPECT_EQ(Prompts.LastMessage(), QStringLiteral("Record log files only connected Zolt."));
  ASSERT_TRUE(Link->OpenPort(QStringLiteral("/dev/pts/test")));
  Link->SetLinkAlive(false);
  Action("A_Rec")->trigger();
  EXPECT_EQ(Prompts.Messages.size(), 2);
  EXPECT_FALSE(Logging->IsRecording());
  EXPECT_EQ(Files()->count(), 0) << "no file was made";
  EXPECT_EQ(EnabledActions(), QStringLiteral("A_Rec A_Play A_Pause A_Stop"));
}

TEST_F(LoggingTest, AZeroRecordEndsTheRecording)
{
  Connect();
  Prompts.TextAnswers << QStringLiteral("lost");
  Action("A_Rec")->trigger();
  Send(LiveRecord(900));
  Send(MakeZeroInfo());   // one live packet missed while the link stays up: not written, not the end
  EXPECT_TRUE(Logging->IsRecording());
  Send(LiveRecord(950));
  Link->SetLinkAlive(false);
  Send(MakeZeroInfo());   // the polling thread's record while the link is down
  EXPECT_FALSE(Logging->IsRecording());
  EXPECT_EQ(Counter(), QStringLiteral("0"));
  EXPECT_EQ(QFile(Path(QStringLiteral("lost.zlf"))).size(), 6 + 512);
  EXPECT_TRUE(Listed(QStringLiteral("lost.zlf")));
  EXPECT_EQ(EnabledActions(), QStringLiteral("A_Rec A_Play A_Rew A_Fw A_Pause A_Stop"));
}

TEST_F(LoggingTest, AFileThatCannotBeCreatedIsReported)
{
  Connect();
  Logging->SetLogDirectory(Path(QStringLiteral("gone")));
  Action("A_Rec")->trigger();
  EXPECT_FALSE(Logging->IsRecording());
  EXPECT_TRUE(Prompts.LastMessage().contains(QStringLiteral("could not be created")));
  EXPECT_EQ(EnabledActions(), QStringLiteral("A_Rec A_Play A_Pause A_Stop")) << "controls unchanged";
}

TEST_F(LoggingTest, AWriteErrorEndsTheRecordingAndSaysSo)
{
  Connect();
  Prompts.TextAnswers << QStringLiteral("full");
  Action("A_Rec")->trigger();
  ASSERT_TRUE(Logging->IsRecording());
  Send(LiveRecord(1000));
  Send(LiveRecord(1100));
  // The disk is full from here on: writes beyond two records fail.
  rlimit saved{};
  ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
  const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
  rlimit limited = saved;
  limited.rlim_cur = 6 + 2 * 256;
  ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &limited), 0);
  Send(LiveRecord(1200));
  setrlimit(RLIMIT_FSIZE, &saved);
  std::signal(SIGXFSZ, oldHandler);

  EXPECT_FALSE(Logging->IsRecording()) << "the recording ended";
  EXPECT_TRUE(Prompts.LastMessage().contains(QStringLiteral("could not be written"))) << "and the user was told";
  EXPECT_EQ(QFile(Path(QStringLiteral("full.zlf"))).size(), 6 + 512) << "the records before the error are kept";
  EXPECT_EQ(Counter(), QStringLiteral("0"));
  Send(LiveRecord(1300));
  EXPECT_EQ(QFile(Path(QStringLiteral("full.zlf"))).size(), 6 + 512) << "nothing more is written";
}

TEST_F(LoggingTest, ClosingTheWindowWhileRecordingClosesTheFile)
{
  Connect();
  Prompts.TextAnswers << QStringLiteral("closing");
  Action("A_Rec")->trigger();
  Send(LiveRecord(1000));
  Logging->close();
  EXPECT_TRUE(WaitFor([&] { return Logging.isNull(); })) << "the window frees itself";
  QFile file(Path(QStringLiteral("closing.zlf")));
  EXPECT_EQ(file.size(), 6 + 256);
  EXPECT_TRUE(file.open(QIODevice::Append)) << "the file is closed";
}

// ------------------------------------------------------------------ playback

TEST_F(LoggingTest, PlaysTheRecordsInOrderThenTheEndRecord)
{
  WriteLog(QStringLiteral("three.zlf"), 3);
  Play(QStringLiteral("three.zlf"));
  EXPECT_EQ(Slider()->maximum(), 3);
  EXPECT_TRUE(Slider()->isEnabled());
  EXPECT_FALSE(Action("A_Play")->isEnabled());
  EXPECT_FALSE(Action("A_Rec")->isEnabled());
  ASSERT_TRUE(WaitFor([&] { return Ended(); }));
  EXPECT_EQ(Sink->Numbers, QList<std::int32_t>({1, 2, 3, 0}));
  EXPECT_EQ(Sink->Records[1].RPM, 200);
  EXPECT_EQ(Sink->Records[3].ReadTime, 0.0) << "the end record is all zero";
  EXPECT_EQ(Sink->Records[3].Valid, 0);
  std::printf("gaps between played records (ms):");
  for (qsizetype k = 1; k < Sink->ArrivalMs.size(); ++k)
    std::printf(" %lld", static_cast<long long>(Sink->ArrivalMs[k] - Sink->ArrivalMs[k - 1]));
  std::printf("\n");
  ASSERT_TRUE(WaitFor([&] { return !Logging->IsPlaying(); }));
  EXPECT_EQ(Counter(), QStringLiteral("0"));
  EXPECT_EQ(Slider()->value(), 0);
  EXPECT_FALSE(Slider()->isEnabled());
  EXPECT_EQ(EnabledActions(), QStringLiteral("A_Rec A_Play A_Rew A_Fw A_Pause A_Stop"));
  EXPECT_TRUE(Prompts.Messages.isEmpty());
}

TEST_F(LoggingTest, PlayedRecordsCarryNoTextReferences)
{
  // A log written elsewhere with numbers in the reference slots.
  SInfo record = LiveRecord(700);
  record.RecordNo = 1;
  QByteArray bytes(DataLog::Signature, 6);
  bytes.append(reinterpret_cast<const char *>(&record), 256);
  QFile file(Path(QStringLiteral("refs.zlf")));
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  file.write(bytes);
  file.close();
  Play(QStringLiteral("refs.zlf"));
  ASSERT_TRUE(WaitFor([&] { return Ended(); }));
  ASSERT_EQ(Sink->Numbers, QList<std::int32_t>({1, 0}));
  EXPECT_EQ(Sink->Records[0].EcuIdentity.VersionTextRef, 0u);
  EXPECT_EQ(Sink->Records[0].EcuIdentity.IdTextRef, 0u);
  EXPECT_EQ(Sink->Records[0].RPM, 700);
}

TEST_F(LoggingTest, PlayRefusals)
{
  WriteLog(QStringLiteral("a.zlf"), 2);
  Logging->SetLogDirectory(TempDir.path());
  Action("A_Play")->trigger();
  EXPECT_EQ(Prompts.LastMessage(), QStringLiteral("Please select file."));
  Select(QStringLiteral("a.zlf"));
  ASSERT_TRUE(Link->OpenPort(QStringLiteral("/dev/pts/test")));
  Action("A_Play")->trigger();
  EXPECT_EQ(Prompts.LastMessage(), QStringLiteral("Play log files only disconnected Zolt."));
  EXPECT_FALSE(Logging->IsPlaying());
  EXPECT_TRUE(Sink->Numbers.isEmpty());
}

TEST_F(LoggingTest, FilesWithNothingToPlay)
{
  QRandomGenerator random(3);
  QByteArray foreign(6 + 256 * 3, Qt::Uninitialized);
  for (char &c : foreign)
    c = char(random.bounded(256));
  foreign.replace(0, 6, "ZFS001");
  const struct {
    const char *Name;
    QByteArray Bytes;
    bool Unsupported;
  } cases[] = {{"foreign.zlf", foreign, true},
               {"empty.zlf", QByteArray(), true},
               {"signature.zlf", QByteArray("ZFL002"), false},
               {"short.zlf", QByteArray("ZFL002") + QByteArray(255, '\1'), false}};
  for (const auto &c : cases) {
    QFile file(Path(QLatin1String(c.Name)));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(c.Bytes);
    file.close();
    Prompts.Messages.clear();
    Sink->Numbers.clear();
    Play(QLatin1String(c.Name));
    ASSERT_TRUE(WaitFor([&] { return Ended() && !Logging->IsPlaying(); })) << c.Name;
    EXPECT_EQ(Sink->Numbers, QList<std::int32_t>({0})) << c.Name << ": only the end record";
    QCoreApplication::processEvents();
    EXPECT_EQ(Prompts.Messages,
              c.Unsupported ? QStringList({"Attention.|Version of log file is not supported"}) : QStringList())
        << c.Name;
    EXPECT_EQ(EnabledActions(), QStringLiteral("A_Rec A_Play A_Rew A_Fw A_Pause A_Stop")) << c.Name;
  }
}

TEST_F(LoggingTest, ATruncatedLogPlaysItsWholeRecordsOnly)
{
  WriteLog(QStringLiteral("cut.zlf"), 3);
  QFile file(Path(QStringLiteral("cut.zlf")));
  ASSERT_TRUE(file.resize(6 + 256 * 2 + 100));   // power failure in the middle of record 3
  Play(QStringLiteral("cut.zlf"));
  EXPECT_EQ(Slider()->maximum(), 2);
  ASSERT_TRUE(WaitFor([&] { return Ended(); }));
  EXPECT_EQ(Sink->Numbers, QList<std::int32_t>({1, 2, 0}));
}

TEST_F(LoggingTest, PauseForwardRewindAndTheirLimits)
{
  WriteLog(QStringLiteral("long.zlf"), 20);
  Play(QStringLiteral("long.zlf"));
  ASSERT_TRUE(WaitFor([&] { return Sink->Numbers.size() >= 2; }));
  PauseAndSettle();
  ASSERT_FALSE(Ended()) << "paused before the end";
  EXPECT_TRUE(Action("A_Pause")->isChecked());
  EXPECT_TRUE(Action("A_Rew")->isEnabled());
  EXPECT_TRUE(Action("A_Fw")->isEnabled());
  const std::int32_t last = Sink->Numbers.constLast();
  EXPECT_EQ(Slider()->value(), last);
  SaveShot(Logging, "logging_playing.png");

  if (last < 20) {
    EXPECT_EQ(StepWith("A_Fw"), last + 1) << "Forward shows the next record once";
    EXPECT_TRUE(WaitFor([&] { return Logging->IsPlaybackHeld(); })) << "and stays paused";
  }
  const std::int32_t here = Slider()->value();
  EXPECT_EQ(StepWith("A_Rew"), here - 1);
  EXPECT_EQ(StepWith("A_Rew"), here - 2);

  // The slider to the first record, then Rewind once more: ignored, so Forward's record follows at once.
  const qsizetype before = Sink->Numbers.size();
  Logging->PacketSliderChangedValue(1);   // as the user moving the slider
  ASSERT_TRUE(WaitFor([&] { return Sink->Numbers.size() > before; }));
  Action("A_Rew")->trigger();
  EXPECT_EQ(StepWith("A_Fw"), 2);
  EXPECT_EQ(Sink->Numbers.mid(before), QList<std::int32_t>({1, 2}));

  // The same at the other end.
  Slider()->setValue(20);   // a real move: the slider reports it
  ASSERT_TRUE(WaitFor([&] { return Sink->Numbers.constLast() == 20; }));
  const qsizetype atEnd = Sink->Numbers.size();
  Action("A_Fw")->trigger();
  EXPECT_EQ(StepWith("A_Rew"), 19);
  EXPECT_EQ(Sink->Numbers.mid(atEnd), QList<std::int32_t>({19}));

  // Stop while paused: nothing more is played, the end record still comes.
  const qsizetype atStop = Sink->Numbers.size();
  Action("A_Stop")->trigger();
  EXPECT_FALSE(Logging->IsPlaying());
  ASSERT_TRUE(WaitFor([&] { return Ended(); }));
  EXPECT_EQ(Sink->Numbers.mid(atStop), QList<std::int32_t>({0}));
  EXPECT_FALSE(Action("A_Pause")->isChecked());
  EXPECT_EQ(Counter(), QStringLiteral("0"));
}

TEST_F(LoggingTest, PauseAgainResumesPlaying)
{
  WriteLog(QStringLiteral("resume.zlf"), 6);
  Play(QStringLiteral("resume.zlf"));
  ASSERT_TRUE(WaitFor([&] { return !Sink->Numbers.isEmpty(); }));
  PauseAndSettle();
  Action("A_Pause")->trigger();
  EXPECT_FALSE(Action("A_Rew")->isEnabled());
  EXPECT_FALSE(Action("A_Fw")->isEnabled());
  ASSERT_TRUE(WaitFor([&] { return Ended(); }));
  EXPECT_EQ(Sink->Numbers, QList<std::int32_t>({1, 2, 3, 4, 5, 6, 0}));
}

TEST_F(LoggingTest, MovingTheSliderWhilePlayingJumps)
{
  WriteLog(QStringLiteral("jump.zlf"), 30);
  Play(QStringLiteral("jump.zlf"));
  ASSERT_TRUE(WaitFor([&] { return !Sink->Numbers.isEmpty(); }));
  Slider()->setValue(27);
  EXPECT_EQ(Counter(), QStringLiteral("27"));
  ASSERT_TRUE(WaitFor([&] { return Ended(); }, 10000));
  const qsizetype jump = Sink->Numbers.indexOf(27);
  ASSERT_GT(jump, 0);
  EXPECT_EQ(Sink->Numbers.mid(jump), QList<std::int32_t>({27, 28, 29, 30, 0}));
  for (qsizetype k = 0; k < jump; ++k)
    EXPECT_EQ(Sink->Numbers[k], k + 1) << "in order up to the jump";
}

TEST_F(LoggingTest, PauseForwardAndTheSliderWithoutAPlaybackDoNothing)
{
  Action("A_Pause")->trigger();
  EXPECT_FALSE(Action("A_Pause")->isChecked());
  Logging->A_FwExecute();
  Logging->A_RewExecute();
  Logging->PacketSliderChangedValue(1);
  EXPECT_EQ(Counter(), QStringLiteral("0"));
  EXPECT_TRUE(Sink->Numbers.isEmpty());
}

TEST_F(LoggingTest, ClosingTheWindowWhilePlayingStopsFirst)
{
  WriteLog(QStringLiteral("close.zlf"), 30);
  Play(QStringLiteral("close.zlf"));
  ASSERT_TRUE(WaitFor([&] { return !Sink->Numbers.isEmpty(); }));
  Logging->close();
  ASSERT_TRUE(WaitFor([&] { return Logging.isNull() && Ended(); }));
  const QList<std::int32_t> got = Sink->Numbers;
  EXPECT_LT(got.size(), 31);
  for (qsizetype k = 0; k + 1 < got.size(); ++k)
    EXPECT_EQ(got[k], k + 1);
  EXPECT_EQ(Messages.Count(), 1) << "the window left the list";
}

TEST_F(LoggingTest, TheLastStartedPlaybackIsTheOnlyOneAndRandomLogsNeverCrash)
{
  QRandomGenerator random(11);
  for (int round = 0; round < 6; ++round) {
    QByteArray bytes(int(random.bounded(1200)), Qt::Uninitialized);
    for (char &c : bytes)
      c = char(random.bounded(256));
    if (round % 2 == 0)
      bytes.replace(0, qMin<qsizetype>(6, bytes.size()), "ZFL002");
    const QString name = QStringLiteral("random%1.zlf").arg(round);
    QFile file(Path(name));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
    file.close();
    Sink->Numbers.clear();
    Play(name);
    ASSERT_TRUE(WaitFor([&] { return Ended() && !Logging->IsPlaying(); }, 10000)) << round;
    const int whole = bytes.startsWith("ZFL002") ? DataLog::RecordCountForSize(bytes.size()) : 0;
    EXPECT_EQ(Sink->Numbers.size(), whole + 1) << "every whole record, then the end record";
  }
}

// ------------------------------------------------------------------ the other windows see played records

TEST_F(LoggingTest, TheDashboardAndTheMainWindowTakePlayedRecordsLikeLiveOnes)
{
  WriteLog(QStringLiteral("show.zlf"), 10);
  TScriptedPrompts hostPrompts;
  TMain main(TempDir.path(), {}, nullptr, new TScriptedLine);
  main.show();
  TAllCalibration calibrations;
  TOnline online(&calibrations, nullptr, main.Messages());
  online.show();
  TRecordSink sink(main.Messages());
  TLogging logging(nullptr, main.Communication(), main.Messages());
  logging.SetLogDirectory(TempDir.path());

  // A live record first: the main window shows the identity.
  SInfo live = LiveRecord(2500);
  main.Messages()->BroadcastInfo(TMessages::EDelivery::Send, live,
                                 SVersionFirmware{QStringLiteral("ZOLT 2.15"), QStringLiteral("1234ABCD"), 1});
  EXPECT_EQ(main.PanelText(1), QStringLiteral("ZOLT 2.15"));
  EXPECT_EQ(online.Gauge("D_1")->Position(), 2500.0);
  sink.Numbers.clear();

  auto *list = logging.findChild<QListWidget *>(QStringLiteral("FLBox"));
  list->setCurrentItem(list->findItems(QStringLiteral("show.zlf"), Qt::MatchExactly).constFirst());
  logging.findChild<QAction *>(QStringLiteral("A_Play"))->trigger();
  // Paused at once and moved to record 5: that record stays on every display.
  logging.findChild<QAction *>(QStringLiteral("A_Pause"))->trigger();
  ASSERT_TRUE(WaitFor([&] { return logging.IsPlaybackHeld(); }));
  logging.PacketSliderChangedValue(5);
  // Generous: painting the dashboard is slow under the sanitizers.
  ASSERT_TRUE(WaitFor([&] { return sink.Numbers.contains(5); }, 30000));
  int seen = -1;
  ASSERT_TRUE(WaitFor([&] {
    QCoreApplication::processEvents();
    const bool steady = seen == int(sink.Numbers.size());
    seen = int(sink.Numbers.size());
    return steady;
  }));
  EXPECT_EQ(sink.Numbers.constLast(), 5);
  EXPECT_TRUE(main.PanelText(1).isEmpty()) << "a played record leaves the identity panels empty";
  EXPECT_EQ(online.Gauge("D_1")->Position(), 500.0) << "the dashboard shows the played record";
  logging.A_StopExecute();
  ASSERT_TRUE(WaitFor([&] { return sink.Numbers.constLast() == 0; }, 30000));
  EXPECT_EQ(sink.Numbers.mid(sink.Numbers.size() - 2), QList<std::int32_t>({5, 0}));
  EXPECT_EQ(online.Gauge("D_1")->Position(), 0.0) << "the end record brings the dashboard back to zero";
  ASSERT_TRUE(WaitFor([&] { return !logging.IsPlaying(); }));
}

#include "logging_tests.moc"
