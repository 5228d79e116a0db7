// The current curve, the markers, the live point, the margins and a look at the whole window.
#include "graphcurve_fixture.h"

#include "calibrationfiles.h"

#include <QCheckBox>
#include <QDir>
#include <QLogValueAxis>

namespace {

SInfo Record(std::int32_t rpm, double advance)
{
  SInfo info{};
  info.RPM = rpm;
  info.Advance = advance;
  return info;
}

// A plausible ignition map: advance rising with speed and falling with load (flow).
void FillMap(TCalibration *map)
{
  for (int k = 0; k < map->Count(); ++k) {
    TFlow *flow = map->Flow(k);
    for (int i = 0; i < flow->Count(); ++i) {
      const double rpm = flow->AxisValue(i);
      const double advance = 8.0 + 26.0 * std::min(1.0, std::log(rpm / 600.0) / std::log(5500.0 / 600.0)) - 0.9 * k;
      flow->SetPoint(i, advance);
    }
  }
}

} // namespace

TEST_F(TGraphCurveTest, MakeCurrentHighlightsTheCurveOnItsOwnAxesAndDrawsItLast)
{
  Open();
  TFlow *a = Work(0)->Flow(1);
  TFlow *b = Other(3)->Flow(0);
  a->SetAll(20.0);
  b->SetAll(5.0);
  Work(0)->SetVisibleData(true);
  Window->RefreshAll();
  Select(a);
  QLineSeries *sa = Series(a);
  EXPECT_EQ(Window->CurrentSeries(), sa);
  QLineSeries *other = Series(Work(0)->Flow(0));
  EXPECT_GT(sa->pen().widthF(), other->pen().widthF());
  EXPECT_GT(sa->markerSize(), other->markerSize());
  EXPECT_EQ(sa->pen().color(), QColor(0xFF, 0, 0));
  EXPECT_LT(other->pen().color().alpha(), 255);
  EXPECT_EQ(other->pointConfiguration(3).value(QXYSeries::PointConfiguration::Color).value<QColor>().rgb(),
            QColor(0x80, 0x80, 0x80).rgb());
  EXPECT_TRUE(Window->HorzAxisOf(sa)->isVisible());
  EXPECT_TRUE(Window->VertAxisOf(sa)->isVisible());
  EXPECT_NE(qobject_cast<QLogValueAxis *>(Window->HorzAxisOf(sa)), nullptr);
  EXPECT_DOUBLE_EQ(Window->VertAxisOf(sa)->max(), 60.0);
  // Drawn last of the curves, only the markers after it.
  const QList<QAbstractSeries *> order = Window->Chart()->series();
  EXPECT_EQ(order[order.size() - 4], sa);
  EXPECT_TRUE(Window->CursorSeries()->isVisible());
  EXPECT_EQ(Window->CursorSeries()->attachedAxes(), sa->attachedAxes());

  Select(b);
  QLineSeries *sb = Series(b);
  EXPECT_EQ(Window->CurrentSeries(), sb);
  EXPECT_EQ(sa->pen().widthF(), other->pen().widthF());
  EXPECT_FALSE(Window->HorzAxisOf(sa)->isVisible());
  EXPECT_TRUE(Window->HorzAxisOf(sb)->isVisible());
  EXPECT_EQ(qobject_cast<QLogValueAxis *>(Window->HorzAxisOf(sb)), nullptr);   // temperature: linear
  EXPECT_DOUBLE_EQ(Window->VertAxisOf(sb)->min(), -30.0);
  EXPECT_TRUE(sa->isVisible());                        // its visible-data flag is set
  EXPECT_EQ(Window->CursorSeries()->attachedAxes(), sb->attachedAxes());
  const QList<QAbstractSeries *> after = Window->Chart()->series();
  EXPECT_EQ(after[after.size() - 4], sb);

  // The last flow selected goes back to its flag when another is selected.
  Select(Other(2)->Flow(0));
  EXPECT_FALSE(sb->isVisible());
}

TEST_F(TGraphCurveTest, TheLivePointFollowsTheRecordAndHidesWithoutASpeed)
{
  Open();
  TFlow *flow = Work(0)->Flow(0);
  Select(flow);
  QTest::mouseClick(Window->findChild<QCheckBox *>(QStringLiteral("VisibleOnline")), Qt::LeftButton);
  struct SCase {
    std::int32_t Rpm;
    double Advance;
    bool Visible;
  };
  for (const SCase &c : {SCase{2500, 25.0, true}, SCase{0, 0.0, false}, SCase{-5, 3.0, false}, SCase{3100, 31.5, true}}) {
    TReadInfoEvent event(Record(c.Rpm, c.Advance), SVersionFirmware{});
    QCoreApplication::sendEvent(Window.data(), &event);
    EXPECT_EQ(Window->OnlineSeries()->isVisible(), c.Visible) << c.Rpm;
    if (c.Visible) {
      EXPECT_EQ(Window->OnlineSeries()->at(0), QPointF(c.Rpm, c.Advance));
    }
  }
  // Broadcasts reach the registered window too.
  Messages.BroadcastInfo(TMessages::EDelivery::Post, Record(1800, 12.0), SVersionFirmware{});
  EXPECT_TRUE(WaitFor([&] { return Window->OnlineSeries()->at(0) == QPointF(1800, 12.0); }));
  // Another curve made current hides it although the box stays ticked; two clicks show it again.
  Select(Work(0)->Flow(1));
  EXPECT_FALSE(Window->OnlineSeries()->isVisible());
  auto *box = Window->findChild<QCheckBox *>(QStringLiteral("VisibleOnline"));
  QTest::mouseClick(box, Qt::LeftButton);
  QTest::mouseClick(box, Qt::LeftButton);
  EXPECT_TRUE(Window->OnlineSeries()->isVisible());
}

TEST_F(TGraphCurveTest, RegistersWhileItExistsAndFreesItselfWhenClosed)
{
  const int before = Messages.Count();
  Open();
  EXPECT_EQ(Messages.Count(), before + 1);
  EXPECT_TRUE(Window->testAttribute(Qt::WA_DeleteOnClose));
  Window->close();
  EXPECT_TRUE(WaitFor([&] { return Window.isNull(); }));
  EXPECT_EQ(Messages.Count(), before);
}

TEST(TGraphCurveMargins, DivideBySizeInHundredsOfPixelsAtLeastOne)
{
  struct SCase {
    int Wanted, Size, Percent;
  };
  for (const SCase &c : {SCase{52, 366, 17}, SCase{37, 471, 9}, SCase{52, 1000, 5}, SCase{52, 99, 52}, SCase{37, 0, 37},
                         SCase{52, 6000, 0}})
    EXPECT_EQ(TGraphCurve::MarginPercent(c.Wanted, c.Size), c.Percent) << c.Size;
}

TEST_F(TGraphCurveTest, PlotAreaFollowsTheChartSize)
{
  Open();
  for (QSize size : {QSize(640, 400), QSize(1200, 800), QSize(900, 500)}) {
    Window->resize(size);
    Settle();
    const QSizeF chart = Window->Chart()->size();
    const QRectF plot = Window->Chart()->plotArea();
    const int w = int(chart.width()), h = int(chart.height());
    EXPECT_EQ(int(plot.left()), w * TGraphCurve::MarginPercent(37, w) / 100) << size.width();
    EXPECT_EQ(int(chart.height() - plot.bottom()), h * TGraphCurve::MarginPercent(52, h) / 100);
  }
  // A chart squeezed below 100 pixels (a minimised window) still gets a plot area.
  Window->ChartView()->setMinimumSize(1, 1);
  Window->Chart()->resize(60, 40);
  Window->GraphUOZResize();
  EXPECT_GT(Window->Chart()->plotArea().width(), 0);
}

// A map loaded from a file, the current curve with its live point, at the minimum size and
// larger; written to /tmp/shots for a look.
TEST_F(TGraphCurveTest, Screenshot)
{
  TAllCalibration source;
  for (int index = 0; index < 4; ++index)
    source.GetCalibration(0, index)->SetEnabled(true);
  for (int index = 0; index < 4; ++index)
    FillMap(source.GetCalibration(0, index));
  TCalibration *temperature = source.GetCalibration(1, 3);
  temperature->SetEnabled(true);
  for (int i = 0; i < 16; ++i)
    temperature->Flow(0)->SetPoint(i, 12.0 - 0.2 * (i * 10 - 30));
  QString error;
  const QString file = Path(QStringLiteral("map.zf2"));
  ASSERT_TRUE(SaveZf2File(file, source, nullptr, nullptr, error)) << error.toStdString();
  SLoadSelection all;
  for (int index = 0; index < 6; ++index) {
    Calibrations.GetCalibration(0, index)->SetEnabled(true);
  }
  for (int index = 0; index < 8; ++index)
    Calibrations.GetCalibration(1, index)->SetEnabled(true);
  ASSERT_TRUE(LoadCalibrationFile(file, Calibrations, nullptr, nullptr, all).IsOk());
  ASSERT_DOUBLE_EQ(Work(0)->Flow(4)->Value(12), source.GetCalibration(0, 0)->Flow(4)->Value(12));

  Open();
  Select(Work(0));
  Window->Action("VisibleData")->trigger();
  TFlow *flow = Work(0)->Flow(4);
  Window->Tree()->expandItem(Node(Work(0)));
  Select(flow);
  QTest::mousePress(Viewport(), Qt::LeftButton, {}, PointAt(flow, 12));
  QTest::mouseRelease(Viewport(), Qt::LeftButton, {}, PointAt(flow, 12));
  RightClick(flow, 8);
  QTest::mouseClick(Window->findChild<QCheckBox *>(QStringLiteral("VisibleOnline")), Qt::LeftButton);
  TReadInfoEvent live(Record(2500, 25.0), SVersionFirmware{});
  QCoreApplication::sendEvent(Window.data(), &live);
  ASSERT_TRUE(Window->OnlineSeries()->isVisible());
  QDir().mkpath(QStringLiteral("/tmp/shots"));
  for (QSize size : {QSize(640, 400), QSize(1100, 700)}) {
    Window->resize(size);
    Settle();
    const QImage shot = Window->grab().toImage();
    EXPECT_EQ(shot.size(), size);
    shot.save(QStringLiteral("/tmp/shots/graph_%1x%2.png").arg(size.width()).arg(size.height()));
    Window->Action("VisibleValues")->trigger();   // value labels on the larger one
  }
  Select(Other(3)->Flow(0));
  Settle();
  Window->grab().toImage().save(QStringLiteral("/tmp/shots/graph_temperature.png"));
}
