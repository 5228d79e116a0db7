// The dashboard "Online", its gauges and lamps, offscreen; and the data module that opens it.

#include "analoggauge.h"
#include "calibration.h"
#include "datam.h"
#include "lamp.h"
#include "liverecord.h"
#include "messages.h"
#include "online.h"
#include "waitfor.h"

#include <QApplication>
#include <QDir>
#include <QImage>
#include <QLabel>
#include <QPointer>
#include <cmath>
#include <functional>
#include <gtest/gtest.h>

namespace {

const char *const GaugeNames[] = {"D_1", "D_7", "D_2", "D_3", "D_6", "D_4", "D_8", "D_5"};
const char *const LampNames[] = {"F_AUX", "F_LIMIT", "F_CARB", "F_EIDDLE", "ERR_ANGLE", "ERR_MAP", "ERR_WDT", "ERR_SYNC"};

class OnlineTest : public ::testing::Test {
protected:
  void SetUp() override
  {
    Online = new TOnline(&Calibrations, nullptr, &Messages);
    Online->show();
  }
  void TearDown() override { delete Online.data(); }

  void Show(const std::function<void(SInfo &)> &fill)
  {
    SInfo info = MakeZeroInfo();
    fill(info);
    TReadInfoEvent event(info, SVersionFirmware{});
    QCoreApplication::sendEvent(Online, &event);
  }
  TAnalogGauge *Gauge(const char *name) const { return Online->Gauge(name); }
  QString Text(const char *label) const { return Online->Label(label)->text(); }

  TAllCalibration Calibrations;
  TMessages Messages;
  QPointer<TOnline> Online;
};

TEST_F(OnlineTest, ShowsNothingBeforeTheFirstRecord)
{
  EXPECT_EQ(Online->windowTitle(), QStringLiteral("Online"));
  EXPECT_EQ(Text("L_WorkMode"), QStringLiteral("Work mode:"));
  EXPECT_EQ(Gauge("D_3")->Position(), 10.0) << "Lambda rests at its scale start";
  EXPECT_EQ(Gauge("D_4")->Position(), -30.0);
  EXPECT_EQ(Gauge("D_1")->Position(), 0.0);
  EXPECT_EQ(Messages.Count(), 1) << "registered while it exists";
}

TEST_F(OnlineTest, AZeroRecordShowsZeroStopOffAndTheFirstTable)
{
  Show([](SInfo &info) { info.AuxOut = info.ErrSync = 1; });   // something to clear
  Show([](SInfo &) {});
  for (const char *name : GaugeNames) {
    SCOPED_TRACE(name);
    EXPECT_EQ(Gauge(name)->Position(), 0.0);
    EXPECT_EQ(Gauge(name)->ValueText(), QStringLiteral("0"));
  }
  EXPECT_EQ(Gauge("D_3")->NeedleValue(), 10.0) << "the Lambda needle rests at the scale start";
  for (const char *name : LampNames)
    EXPECT_EQ(Online->Lamp(name)->FillColor(), QColor(Qt::white)) << name;
  EXPECT_EQ(Text("L_WorkMode"), QStringLiteral("Work mode: Stop"));
  EXPECT_EQ(Text("L_TestMode"), QStringLiteral("Test mode: Off"));
  EXPECT_EQ(Text("L_ActiveTable"), QStringLiteral("Active table: UOZ Petrol 1"));
}

TEST_F(OnlineTest, EachFieldDrivesItsGauge)
{
  Show([](SInfo &info) {
    info.RPM = 3120;
    info.Advance = 23.25;
    info.FlowValue = 7.0;
    info.AFR = 14.7;
    info.InjTime = 2.35;
    info.Temp = 87;
    info.Voltage = 13;
    info.TempAir = -41;
  });
  const struct {
    const char *Gauge;
    double Position;
    const char *Printed;
    double Needle;
  } expected[] = {
      {"D_1", 3120, "3120", 3120},           {"D_7", 23.25, "23.3", 23.25},
      {"D_2", 7, "7", 7},                    {"D_3", double(14.7f), "14.7", double(14.7f)},
      {"D_6", double(2.35f), "2.3", double(2.35f)}, {"D_4", 87, "87", 87},
      {"D_8", 13, "13", 13},                 {"D_5", -41, "-41", -30},
  };
  for (const auto &e : expected) {
    SCOPED_TRACE(e.Gauge);
    EXPECT_EQ(Gauge(e.Gauge)->Position(), e.Position) << "as a single-precision number";
    EXPECT_EQ(Gauge(e.Gauge)->ValueText(), QLatin1String(e.Printed));
    EXPECT_EQ(Gauge(e.Gauge)->NeedleValue(), e.Needle);
    EXPECT_FALSE(Gauge(e.Gauge)->IsOverScale()) << "below the start is not over the scale";
  }
}

TEST_F(OnlineTest, AboveTheScaleEndTheNeedleStopsAndTheFaceTurnsFuchsia)
{
  TAnalogGauge *rpm = Gauge("D_1");
  const QColor normal = rpm->FaceColor();
  const QPoint facePoint(rpm->width() / 2 - int(0.3 * std::min(rpm->width(), rpm->height()) / 2), rpm->height() / 2);
  auto painted = [&] { return rpm->grab().toImage().pixelColor(facePoint); };
  EXPECT_EQ(painted(), normal);

  Show([](SInfo &info) { info.RPM = 9500; });
  EXPECT_EQ(rpm->NeedleValue(), 9000.0);
  EXPECT_EQ(rpm->ValueText(), QStringLiteral("9500"));
  EXPECT_TRUE(rpm->IsOverScale());
  EXPECT_EQ(rpm->FaceColor(), QColor(255, 0, 255));
  EXPECT_EQ(painted(), QColor(255, 0, 255)) << "the face as painted";

  Show([](SInfo &info) { info.RPM = 9000; });
  EXPECT_FALSE(rpm->IsOverScale()) << "at the end itself the face is normal again";
  EXPECT_EQ(painted(), normal);
}

TEST_F(OnlineTest, ModeBytesOutOfRangeShowTheFirstText)
{
  const struct {
    std::uint8_t Work, Test;
    const char *WorkText, *TestText;
  } cases[] = {
      {0, 0, "Work mode: Stop", "Test mode: Off"},
      {3, 7, "Work mode: Work", "Test mode: Generator info"},
      {2, 5, "Work mode: Iddle", "Test mode: Spark dryer"},
      {4, 8, "Work mode: Stop", "Test mode: Off"},
      {5, 9, "Work mode: Stop", "Test mode: Off"},
      {255, 255, "Work mode: Stop", "Test mode: Off"},
  };
  for (const auto &c : cases) {
    SCOPED_TRACE(int(c.Work));
    Show([&](SInfo &info) {
      info.WorkMode = c.Work;
      info.TestMode = c.Test;
    });
    EXPECT_EQ(Text("L_WorkMode"), QLatin1String(c.WorkText));
    EXPECT_EQ(Text("L_TestMode"), QLatin1String(c.TestText));
  }
}

TEST_F(OnlineTest, TheActiveTableIsNamedFromTheWorkCalibrations)
{
  const struct {
    std::int32_t Index;
    QString Shown;
  } cases[] = {
      {0, QStringLiteral("UOZ Petrol 1")}, {1, QStringLiteral("UOZ LPG 1")},
      {2, QStringLiteral("UOZ Petrol 2")}, {3, QStringLiteral("UOZ LPG 2")},
      {TAllCalibration::WorkCalibrations, QString()}, {-1, QString()}, {1000000, QString()},
  };
  for (const auto &c : cases) {
    SCOPED_TRACE(c.Index);
    Show([&](SInfo &info) { info.ActiveTable = c.Index; });
    EXPECT_EQ(Text("L_ActiveTable"), QStringLiteral("Active table: ") + c.Shown);
  }
}

TEST_F(OnlineTest, EachLampFollowsItsFlag)
{
  const struct {
    const char *Lamp;
    std::uint8_t SInfo::*Flag;
  } lamps[] = {
      {"F_AUX", &SInfo::AuxOut},      {"F_LIMIT", &SInfo::LimitRPM}, {"F_CARB", &SInfo::Carb},
      {"F_EIDDLE", &SInfo::EconomIdle}, {"ERR_ANGLE", &SInfo::LimitAngle}, {"ERR_MAP", &SInfo::ErrMap},
      {"ERR_WDT", &SInfo::ErrWdt},    {"ERR_SYNC", &SInfo::ErrSync},
  };
  for (const auto &lit : lamps) {
    SCOPED_TRACE(lit.Lamp);
    Show([&](SInfo &info) { info.*lit.Flag = 2; });
    for (const auto &lamp : lamps)
      EXPECT_EQ(Online->Lamp(lamp.Lamp)->FillColor(), lamp.Flag == lit.Flag ? QColor(Qt::red) : QColor(Qt::white))
          << lamp.Lamp;
  }
}

TEST_F(OnlineTest, TheWidthFollowsTheHeightAndTheGaugesShareThePanel)
{
  Online->resize(800, 600);
  EXPECT_TRUE(WaitFor([&] { return Online->size() == QSize(942, 600); })) << Online->width() << "x" << Online->height();
  const QWidget *panel = Online->findChild<QWidget *>(QStringLiteral("Panel3"));
  ASSERT_TRUE(WaitFor([&] { return Gauge("D_3")->width() == (panel->width() - 15) / 4; }));
  const int w = (panel->width() - 15) / 4, h = (panel->height() - 10) / 2;
  for (const char *name : GaugeNames)
    EXPECT_EQ(Gauge(name)->size(), QSize(w, h)) << name;
  EXPECT_EQ(Gauge("D_1")->pos(), QPoint(3, 3));
  EXPECT_EQ(Gauge("D_7")->x(), w + 6);
  EXPECT_EQ(Gauge("D_5")->pos(), QPoint(3 * w + 12, h + 6));
  EXPECT_LE(Gauge("D_5")->geometry().right(), panel->width() - 1);
  EXPECT_LE(Gauge("D_5")->geometry().bottom(), panel->height() - 1);

  Online->resize(100, 100);
  EXPECT_TRUE(WaitFor([&] { return Online->size() == QSize(785, 500); })) << "the minimum size keeps the ratio";
}

TEST_F(OnlineTest, RecordsArriveThroughTheListAndItLeavesItWhenDestroyed)
{
  SInfo info = MakeZeroInfo();
  info.Voltage = 12;
  Messages.BroadcastInfo(TMessages::EDelivery::Post, info, SVersionFirmware{});
  EXPECT_TRUE(WaitFor([&] { return Gauge("D_8")->Position() == 12.0; }));
  delete Online.data();
  EXPECT_EQ(Messages.Count(), 0);
}

TEST(AnalogGaugeTest, PrintedValueAndTickLabels)
{
  TAnalogGauge gauge;
  SGaugeSettings settings;
  settings.ScaleStart = -30;
  settings.ScaleEnd = 130;
  settings.MainTicks = 8;
  settings.TickDecimals = 1;
  gauge.SetSettings(settings);
  EXPECT_EQ(gauge.TickLabels(), (QStringList{"-30", "-10", "10", "30", "50", "70", "90", "110", "130"}))
      << "whole numbers only: no decimals";
  const struct {
    double Value;
    const char *Printed;
  } cases[] = {{0.0, "0"}, {-0.0, "0"}, {87.0, "87"}, {0.25, "0.3"}, {-4.5, "-4.5"}, {99.96, "100.0"},
               {std::nan(""), "---"}, {INFINITY, "---"}};
  for (const auto &c : cases) {
    gauge.SetPosition(c.Value);
    EXPECT_EQ(gauge.ValueText(), QLatin1String(c.Printed)) << c.Value;
  }
  gauge.SetPosition(std::nan(""));
  EXPECT_EQ(gauge.NeedleValue(), -30.0) << "a value that is no number leaves the needle at the start";
  settings.ScaleStart = 0;
  settings.ScaleEnd = 6;
  settings.MainTicks = 12;
  gauge.SetSettings(settings);
  EXPECT_EQ(gauge.TickLabels().mid(0, 4), (QStringList{"0.0", "0.5", "1.0", "1.5"}));
}

class DataModuleTest : public ::testing::Test {
protected:
  void TearDown() override
  {
    delete Module;
    EXPECT_EQ(Count(), 0) << "the module's windows go with it";
  }
  static int Count()
  {
    int n = 0;
    for (QWidget *w : QApplication::topLevelWidgets())
      n += qstrcmp(w->metaObject()->className(), "TOnline") == 0;
    return n;
  }
  TAllCalibration Calibrations;
  TMessages Messages;
  TDataM *Module = new TDataM(qApp, &Calibrations, nullptr, &Messages);
};

TEST_F(DataModuleTest, ActionsAsDesigned)
{
  QStringList rows;
  for (QAction *a : Module->ActionList())
    rows << QStringLiteral("%1|%2|%3|%4|%5|%6")
                .arg(a->objectName(), a->property("category").toString(), a->text(), a->shortcut().toString())
                .arg(a->isEnabled())
                .arg(a->isVisible());
  EXPECT_EQ(rows, (QStringList{QStringLiteral("A_Dashboard|Online|Dashboard|Ctrl+Alt+D|1|1"),
                               QStringLiteral("A_LogMode|Online|Logging|Ctrl+Alt+L|1|1"),
                               QStringLiteral("A_Calibration|Calibration|Table|Ctrl+Alt+T|0|0"),
                               QStringLiteral("A_CalibrationGraph|Calibration|Graphic calibrations|Ctrl+Alt+G|1|1")}));
}

TEST_F(DataModuleTest, DashboardOpensOnceAndAgainAfterClosing)
{
  Module->A_Dashboard->trigger();
  Module->A_Dashboard->trigger();
  EXPECT_EQ(Count(), 1);
  QPointer<QWidget> first = TDataM::FindWindow("TOnline");
  ASSERT_TRUE(first);
  EXPECT_TRUE(first->parent() == nullptr);
  first->close();
  Module->A_Dashboard->trigger();   // before the closed one is freed: still a fresh window
  EXPECT_TRUE(WaitFor([&] { return first.isNull(); }));
  EXPECT_EQ(Count(), 1);
  EXPECT_NE(TDataM::FindWindow("TOnline"), nullptr);
}

}   // namespace
