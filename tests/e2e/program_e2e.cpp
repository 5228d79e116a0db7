// The program's main window against the virtual ECU: connect, identity, a pulled cable, the
// calibration transfer with its read-back check.

#include "calibration.h"
#include "communication.h"
#include "mainwindow.h"
#include "messages.h"
#include "scriptedprompts.h"
#include "tempdir.h"
#include "virtualecu.h"
#include "waitfor.h"

#include <QAction>
#include <gtest/gtest.h>

namespace {

// Counts what reaches a window of its own class.
class TRecordWatcher : public QWidget {
public:
  int Zero = 0;
  int Live = 0;

protected:
  void customEvent(QEvent *event) override
  {
    if (event->type() != WM_READINFO)
      return;
    (static_cast<TReadInfoEvent *>(event)->Info.Valid ? Live : Zero)++;
  }
};

class ProgramE2E : public TTempDirTest {
protected:
  void StartProgram(const QStringList &ecuArgs)
  {
    ASSERT_TRUE(Ecu.Start(TVirtualEcu::StateArgs(TempDir.path()) + ecuArgs));
    Main = std::make_unique<TMain>(TempDir.path(), QStringList{});
    Main->Communication()->SetPortName(Ecu.PortName());
    Main->Messages()->Add(&Watcher);
    Main->show();
  }
  void TearDown() override
  {
    if (Main) {
      Main->Messages()->Remove(&Watcher);
      Main->A_DisconnectExecute();
    }
    Main.reset();
  }
  bool Identified() { return !Main->PanelText(1).isEmpty(); }
  bool Enabled(const char *action) { return Main->Action(action)->isEnabled(); }

  // Every flow's values, to compare models.
  static std::vector<double> Values(TAllCalibration &all)
  {
    std::vector<double> v;
    for (int g = 0; g < 2; ++g)
      for (int k = 0; TCalibration *c = all.GetCalibration(g, k); ++k)
        for (int f = 0; f < c->Count(); ++f)
          for (int i = 0; i < c->Flow(f)->Count(); ++i)
            v.push_back(c->Flow(f)->Value(i));
    return v;
  }
  static void EnableAll(TAllCalibration &all)
  {
    for (int g = 0; g < 2; ++g)
      for (int k = 0; TCalibration *c = all.GetCalibration(g, k); ++k)
        c->SetEnabled(true);
  }

  TScriptedPrompts Prompts;
  TVirtualEcu Ecu;
  TRecordWatcher Watcher;
  std::unique_ptr<TMain> Main;
};

}   // namespace

TEST_F(ProgramE2E, ConnectShowsTheIdentityAndAPulledCableTakesItAway)
{
  StartProgram({});
  Main->A_ConnectExecute();
  ASSERT_TRUE(WaitFor([this] { return Identified(); }, 3000));
  EXPECT_EQ(Main->PanelText(1), QStringLiteral("ZOLT 2.15"));
  EXPECT_EQ(Main->PanelText(2), QStringLiteral("1234ABCD"));
  EXPECT_EQ(Main->PanelText(3), QStringLiteral("FI"));
  ASSERT_TRUE(WaitFor([this] { return Enabled("A_ReadCalibrate") && Enabled("A_WriteParameters"); }));

  Ecu.Proc().kill();   // the cable is pulled
  EXPECT_TRUE(WaitFor([this] { return !Identified(); }, 3000));
  EXPECT_TRUE(WaitFor([this] { return !Enabled("A_ReadCalibrate") && !Enabled("A_WriteCalibrate"); }));
  EXPECT_TRUE(Enabled("A_Disconnect"));

  // Disconnect on the silent line ends the thread and delivers the final zero record.
  const int zeros = Watcher.Zero;
  Main->A_DisconnectExecute();
  EXPECT_FALSE(Main->IsPolling());
  EXPECT_GT(Watcher.Zero, zeros);
  EXPECT_FALSE(Main->Communication()->IsPortOpen());
}

TEST_F(ProgramE2E, CalibrationsReadWriteAndReadAgainAreIdentical)
{
  StartProgram({QStringLiteral("--no-pacing")});
  Main->A_ConnectExecute();
  ASSERT_TRUE(WaitFor([this] { return Identified(); }, 3000));
  TAllCalibration &model = *Main->Calibrations();
  EnableAll(model);
  const std::vector<double> empty = Values(model);

  Prompts.YesNoAnswers = {true};
  Main->A_ReadCalibrateExecute();
  const std::vector<double> first = Values(model);
  ASSERT_NE(first, empty) << "the ECU's memory holds non-trivial values, so a read must change the model";
  EXPECT_TRUE(Prompts.Messages.isEmpty()) << Prompts.LastMessage().toStdString();
  EXPECT_TRUE(Main->IsPolling());

  // Change one map in the model, write, and read back into a clean model.
  model.GetCalibration(0, 1)->Flow(4)->AddToAll(3.0);
  const std::vector<double> written = Values(model);
  Prompts.YesNoAnswers = {true};
  Main->A_WriteCalibrateExecute();
  EXPECT_TRUE(Prompts.Messages.isEmpty()) << "write and read-back agree: " << Prompts.LastMessage().toStdString();

  for (int g = 0; g < 2; ++g)
    for (int k = 0; TCalibration *c = model.GetCalibration(g, k); ++k)
      if (!(g == 1 && k == 4))   // "UOZ Knock" does not travel
        c->SetAll(0.0);
  Prompts.YesNoAnswers = {true};
  Main->A_ReadCalibrateExecute();
  const std::vector<double> again = Values(model);
  ASSERT_EQ(again.size(), written.size());
  for (std::size_t k = 0; k < again.size(); ++k)
    ASSERT_EQ(again[k], written[k]) << "value " << k;
  EXPECT_TRUE(WaitFor([this] { return Identified(); }, 3000)) << "polling resumed";
}

TEST_F(ProgramE2E, AnEcuFallingSilentMidReadChangesNothingAndSaysSo)
{
  StartProgram({QStringLiteral("--silent-after-ms"), QStringLiteral("1500")});
  Main->A_ConnectExecute();
  ASSERT_TRUE(WaitFor([this] { return Identified(); }, 3000));
  TAllCalibration &model = *Main->Calibrations();
  EnableAll(model);
  const std::vector<double> before = Values(model);
  Prompts.YesNoAnswers = {true};
  Main->A_ReadCalibrateExecute();
  EXPECT_EQ(Prompts.LastMessage(), QStringLiteral("The ECU stopped answering. Nothing was changed."));
  EXPECT_EQ(Values(model), before);
  EXPECT_FALSE(Main->IsBusy());
  EXPECT_EQ(Main->ProgressU()->value(), 0);
  EXPECT_TRUE(Main->Communication()->IsPortOpen());
  EXPECT_TRUE(Main->IsPolling()) << "polling resumed after the failed transfer";
}

TEST_F(ProgramE2E, ParametersWrittenReadBackEqual)
{
  StartProgram({QStringLiteral("--no-pacing")});
  Main->A_ConnectExecute();
  ASSERT_TRUE(WaitFor([this] { return Identified(); }, 3000));
  for (int k = 0; k < 50; ++k)
    Main->ParametersData()[k] = std::uint8_t(k * 5 + 1);
  for (int k = 0; k < 10; ++k)
    Main->ExtraParametersData()[k] = std::uint8_t(90 + k);
  const QByteArray params(reinterpret_cast<const char *>(Main->ParametersData()), 50);
  const QByteArray paramsExt(reinterpret_cast<const char *>(Main->ExtraParametersData()), 10);
  Prompts.YesNoAnswers = {true};
  Main->A_WriteParametersExecute();
  EXPECT_EQ(Prompts.LastMessage(), QStringLiteral("Parameters write successfully"));

  std::fill_n(Main->ParametersData(), 50, 0);
  std::fill_n(Main->ExtraParametersData(), 10, 0);
  Prompts.YesNoAnswers = {true};
  Main->A_ReadParametersExecute();
  EXPECT_EQ(Prompts.LastMessage(), QStringLiteral("Parameters read successfully"));
  EXPECT_EQ(QByteArray(reinterpret_cast<const char *>(Main->ParametersData()), 50), params);
  EXPECT_EQ(QByteArray(reinterpret_cast<const char *>(Main->ExtraParametersData()), 10), paramsExt);
}

TEST_F(ProgramE2E, AParameterReadFromASilentEcuKeepsThePreviousBlocks)
{
  StartProgram({QStringLiteral("--silent-after-ms"), QStringLiteral("300")});
  Main->A_ConnectExecute();
  ASSERT_TRUE(WaitFor([this] { return Identified(); }, 3000));
  std::fill_n(Main->ParametersData(), 50, 0x5A);
  ASSERT_TRUE(WaitFor([this] { return !Main->Communication()->IsLinkAlive(); }, 3000));
  // The transfer actions are disabled on a silent line; run the read the way its shortcut would
  // have just before.
  Prompts.YesNoAnswers = {true};
  Main->A_ReadParametersExecute();
  EXPECT_TRUE(Prompts.LastMessage().startsWith(QStringLiteral("The parameters were not read")));
  EXPECT_EQ(Main->ParametersData()[0], 0x5A);
  EXPECT_EQ(Main->ParametersData()[49], 0x5A);
}
