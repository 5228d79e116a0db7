#include "communication.h"
#include "mainwindow.h"
#include "messages.h"
#include "scriptedline.h"
#include "scriptedprompts.h"
#include "tempdir.h"
#include "waitfor.h"

#include <QDir>
#include <QFile>
#include <QMenuBar>
#include <QSettings>
#include <gtest/gtest.h>

namespace {

class MainWindowTest : public TTempDirTest {
protected:
  void Start(const QString &port = QStringLiteral("/dev/pts/test"), const QStringList &args = {})
  {
    if (!port.isNull()) {
      QSettings ini(Path(QStringLiteral("Setting.ini")), QSettings::IniFormat);
      ini.setValue(QStringLiteral("Main/Version"), QStringLiteral("ZFS001"));
      ini.setValue(QStringLiteral("Setting/ComPort"), port);
    }
    Line = new TScriptedLine;
    Main = std::make_unique<TMain>(TempDir.path(), args, nullptr, Line);
    Main->show();
  }

  bool Enabled(const char *name) const { return Main->Action(name)->isEnabled(); }

  void SendRecord(int valid, int recordNo, std::uint8_t flags, const QString &version = QStringLiteral(" ZOLT 2.15 "))
  {
    SInfo info = MakeZeroInfo();
    info.Valid = std::uint8_t(valid);
    info.RecordNo = recordNo;
    info.EcuIdentity.Flags = flags;
    SVersionFirmware identity{version, QStringLiteral("1234ABCD "), flags};
    TReadInfoEvent event(info, identity);
    QCoreApplication::sendEvent(Main.get(), &event);
  }

  void TearDown() override
  {
    if (Main && Main->Communication()->IsPortOpen())
      Main->A_DisconnectExecute();
    Main.reset();
  }

  TScriptedPrompts Prompts;
  TScriptedLine *Line = nullptr;
  std::unique_ptr<TMain> Main;
};

}   // namespace

TEST_F(MainWindowTest, MenuHasFourEntriesInDesignOrder)
{
  Start();
  QStringList captions;
  for (QAction *top : Main->MainMenu()->actions())
    captions << top->text();
  EXPECT_EQ(captions, (QStringList{QStringLiteral("Connection"), QStringLiteral("Load/Save"), QStringLiteral("Work"),
                                   QStringLiteral("Help")}));
  auto entries = [this](int k) {
    QStringList names;
    for (QAction *a : Main->MainMenu()->actions()[k]->menu()->actions())
      names << a->objectName();
    return names;
  };
  EXPECT_EQ(entries(0), (QStringList{QStringLiteral("A_Connect"), QStringLiteral("A_Disconnect"),
                                     QStringLiteral("A_Settings"), QStringLiteral("A_WriteFirmware")}));
  EXPECT_EQ(entries(1), (QStringList{QStringLiteral("A_LoadFile"), QStringLiteral("A_SaveFile")}));
  EXPECT_EQ(entries(3), QStringList{QStringLiteral("A_Version")}) << "Debug is hidden without /debug";
  EXPECT_EQ(Main->MainMenu()->actions()[0]->menu()->objectName(), QStringLiteral("M0"));
}

TEST_F(MainWindowTest, DebugSwitchShowsTheDebugEntryAndTheLastSwitchWins)
{
  Start(QStringLiteral("/dev/pts/test"), {QStringLiteral("/log"), QStringLiteral("/debug")});
  EXPECT_EQ(Main->MainMenu()->actions()[3]->menu()->actions().size(), 2);
  EXPECT_FALSE(Main->Communication()->IsLogEnabled());
}

TEST_F(MainWindowTest, ActionsFollowTheEnablingTable)
{
  Start();
  ASSERT_TRUE(WaitFor([this] { return Enabled("A_Connect"); }));
  EXPECT_TRUE(Enabled("A_WriteFirmware"));
  EXPECT_FALSE(Enabled("A_Disconnect"));
  for (const char *name : {"A_ReadCalibrate", "A_WriteCalibrate", "A_ReadParameters", "A_WriteParameters"})
    EXPECT_FALSE(Enabled(name)) << name;
  for (const char *name : {"A_Settings", "A_Paramerets", "A_Version", "A_LoadFile", "A_SaveFile"})
    EXPECT_TRUE(Enabled(name)) << name;

  Main->A_ConnectExecute();
  ASSERT_TRUE(WaitFor([this] { return Enabled("A_Disconnect") && !Enabled("A_Connect"); }));
  EXPECT_FALSE(Enabled("A_WriteFirmware"));
  EXPECT_FALSE(Enabled("A_ReadCalibrate")) << "no live data yet";

  // Live data from an ECU that tells who it is: the transfers open up.
  Line->AnswerIdentity();
  Line->Heartbeat.start();
  ASSERT_TRUE(WaitFor([this] { return Enabled("A_ReadCalibrate"); }));
  EXPECT_EQ(Main->PanelText(3), QStringLiteral("FI"));
  for (const char *name : {"A_WriteCalibrate", "A_ReadParameters", "A_WriteParameters"})
    EXPECT_TRUE(WaitFor([&] { return Enabled(name); })) << name;

  // A busy transfer closes the door to everything that would compete with it.
  Main->SetBusy(true);
  ASSERT_TRUE(WaitFor([this] { return !Enabled("A_ReadCalibrate"); }));
  EXPECT_FALSE(Enabled("A_LoadFile"));
  EXPECT_TRUE(Enabled("A_Disconnect"));
  Main->SetBusy(false);
}

TEST_F(MainWindowTest, WithoutAPortNameConnectAndFirmwareStayDisabled)
{
  Start(QString());
  Main->ActionList().RunUpdates();
  EXPECT_FALSE(Enabled("A_Connect"));
  EXPECT_FALSE(Enabled("A_WriteFirmware"));
  EXPECT_TRUE(Enabled("A_Settings"));
}

TEST_F(MainWindowTest, StatusBarShowsTheIdentityOfLiveRecordsOnly)
{
  Start();
  const struct {
    int Valid, RecordNo;
    std::uint8_t Flags;
    const char *Letters;
  } cases[] = {{1, 0, 3, "FI"}, {1, 0, 1, "F"}, {1, 0, 2, "I"}, {1, 0, 0, ""}};
  for (const auto &c : cases) {
    SendRecord(c.Valid, c.RecordNo, c.Flags);
    EXPECT_EQ(Main->PanelText(1), QStringLiteral("ZOLT 2.15"));
    EXPECT_EQ(Main->PanelText(2), QStringLiteral("1234ABCD"));
    EXPECT_EQ(Main->PanelText(3), QLatin1String(c.Letters));
  }
  SendRecord(1, 7, 3);
  EXPECT_TRUE(Main->PanelText(1).isEmpty()) << "a played-back record leaves the panels empty";
  EXPECT_TRUE(Main->PanelText(3).isEmpty());
  SendRecord(1, 0, 3);
  SendRecord(0, 0, 3);
  EXPECT_TRUE(Main->PanelText(2).isEmpty()) << "a zero record empties the panels";
}

TEST_F(MainWindowTest, ConnectWhileConnectedReconnects)
{
  Start();
  Main->A_ConnectExecute();
  ASSERT_TRUE(Main->IsPolling());
  Main->A_ConnectExecute();
  EXPECT_EQ(Line->OpenCount, 2);
  EXPECT_TRUE(Main->IsPolling());
  EXPECT_TRUE(Main->Communication()->IsPortOpen());
  Main->A_DisconnectExecute();
  EXPECT_FALSE(Main->IsPolling());
  EXPECT_FALSE(Main->Communication()->IsPortOpen());
}

TEST_F(MainWindowTest, APortThatDoesNotOpenSaysConnectionErrorWithTheReason)
{
  Start();
  Line->FailOpen = true;
  Main->A_ConnectExecute();
  EXPECT_EQ(Prompts.LastMessage(), QStringLiteral("Connection error."));
  EXPECT_EQ(Prompts.Details.constLast(), QStringLiteral("Permission denied"));
  EXPECT_FALSE(Main->IsPolling());
}

TEST_F(MainWindowTest, NoToClosingKeepsTheProgramAndTheLink)
{
  Start();
  Main->A_ConnectExecute();
  Prompts.YesNoAnswers = {false};
  EXPECT_FALSE(Main->close());
  EXPECT_EQ(Prompts.Questions.constLast(), QStringLiteral("Attention!|Close program?"));
  EXPECT_TRUE(Main->Communication()->IsPortOpen());
  EXPECT_TRUE(Main->IsPolling());

  Prompts.YesNoAnswers = {true};
  EXPECT_TRUE(Main->close());
  EXPECT_FALSE(Main->Communication()->IsPortOpen());
}

// A window of its own class that counts the live records reaching it.
class TRecordCounter : public QWidget {
public:
  int Records = 0;
  int ZeroRecords = 0;

protected:
  void customEvent(QEvent *event) override
  {
    if (event->type() != WM_READINFO)
      return;
    ++Records;
    if (static_cast<TReadInfoEvent *>(event)->Info.Valid == 0)
      ++ZeroRecords;
  }
};

TEST_F(MainWindowTest, PausingStopsTheRecordsAndResumingBringsThemBack)
{
  Start();
  TRecordCounter counter;
  Main->Messages()->Add(&counter);
  Line->Heartbeat.start();
  Main->A_ConnectExecute();
  ASSERT_TRUE(WaitFor([&] { return counter.Records > 2; }));
  ASSERT_TRUE(Main->PausePolling());
  QCoreApplication::processEvents();
  const int atPause = counter.Records;
  QCoreApplication::processEvents();
  EXPECT_EQ(counter.Records, atPause) << "a paused thread broadcasts nothing";
  Main->ResumePolling();
  EXPECT_TRUE(WaitFor([&] { return counter.Records > atPause; }));

  // Disconnect ends the thread, and the final zero record arrives before Disconnect returns.
  const int zerosBefore = counter.ZeroRecords;
  Main->A_DisconnectExecute();
  EXPECT_FALSE(Main->IsPolling());
  EXPECT_GT(counter.ZeroRecords, zerosBefore);
  Main->Messages()->Remove(&counter);
}

using SettingsFileTest = TTempDirTest;

TEST_F(SettingsFileTest, FirstStartCreatesTheFileWithOnlyTheVersionTag)
{
  TScriptedPrompts prompts;
  {
    TMain main(TempDir.path(), {}, nullptr, new TScriptedLine);
    QFile ini(Path(QStringLiteral("Setting.ini")));
    ASSERT_TRUE(ini.open(QIODevice::ReadOnly));
    EXPECT_EQ(QString::fromLatin1(ini.readAll()).simplified(), QStringLiteral("[Main] Version=ZFS001"));
    EXPECT_TRUE(main.Communication()->GetPortName().isEmpty());
    EXPECT_EQ(main.Settings().PlugIns, QStringLiteral("0"));
    EXPECT_EQ(main.Settings().AFRCorr, 0.0);
  }
}

TEST_F(SettingsFileTest, AnotherVersionIsRecreatedButItsValuesAreUsedAndWrittenBack)
{
  {
    QFile ini(Path(QStringLiteral("Setting.ini")));
    ASSERT_TRUE(ini.open(QIODevice::WriteOnly));
    ini.write("[Main]\nVersion=ZFS000\n[Setting]\nComPort=/dev/ttyUSB3\nPlugIns=/opt/zolt/plugins\nAFRCorr=0.5\n"
              "[Other]\nKey=1\n");
  }
  TScriptedPrompts prompts;
  {
    TMain main(TempDir.path(), {}, nullptr, new TScriptedLine);
    EXPECT_EQ(main.Communication()->GetPortName(), QStringLiteral("/dev/ttyUSB3"));
    EXPECT_EQ(main.Settings().PlugIns, QStringLiteral("/opt/zolt/plugins"));
    EXPECT_DOUBLE_EQ(main.Settings().AFRCorr, 0.5);
    QSettings fresh(Path(QStringLiteral("Setting.ini")), QSettings::IniFormat);
    EXPECT_EQ(fresh.allKeys(), QStringList{QStringLiteral("Main/Version")});
    prompts.YesNoAnswers = {true};
    main.show();
    ASSERT_TRUE(main.close());
  }
  QSettings after(Path(QStringLiteral("Setting.ini")), QSettings::IniFormat);
  EXPECT_EQ(after.value(QStringLiteral("Main/Version")).toString(), QStringLiteral("ZFS001"));
  EXPECT_EQ(after.value(QStringLiteral("Setting/ComPort")).toString(), QStringLiteral("/dev/ttyUSB3"));
  EXPECT_EQ(after.value(QStringLiteral("Setting/PlugIns")).toString(), QStringLiteral("/opt/zolt/plugins"));
  EXPECT_DOUBLE_EQ(after.value(QStringLiteral("Setting/AFRCorr")).toDouble(), 0.5);
  EXPECT_FALSE(after.contains(QStringLiteral("Other/Key")));
}

TEST_F(SettingsFileTest, GarbageGivesDefaults)
{
  {
    QFile ini(Path(QStringLiteral("Setting.ini")));
    ASSERT_TRUE(ini.open(QIODevice::WriteOnly));
    static const char garbage[] = "\x01\xFF[[[=\n\0\0garbage";
    ini.write(garbage, sizeof garbage - 1);
  }
  TScriptedPrompts prompts;
  TMain main(TempDir.path(), {}, nullptr, new TScriptedLine);
  EXPECT_TRUE(main.Communication()->GetPortName().isEmpty());
  EXPECT_EQ(main.Settings().PlugIns, QStringLiteral("0"));
}

TEST_F(SettingsFileTest, ASettingsFileThatCannotBeWrittenIsReportedAtClose)
{
  // A folder where the file should be: nothing can read or write it, whoever runs the test.
  ASSERT_TRUE(QDir(TempDir.path()).mkdir(QStringLiteral("Setting.ini")));
  TScriptedPrompts prompts;
  TMain main(TempDir.path(), {}, nullptr, new TScriptedLine);
  EXPECT_EQ(main.Settings().PlugIns, QStringLiteral("0"));
  prompts.YesNoAnswers = {true};
  main.show();
  ASSERT_TRUE(main.close());
  EXPECT_EQ(prompts.LastMessage(), QStringLiteral("The settings were not saved."));
}
