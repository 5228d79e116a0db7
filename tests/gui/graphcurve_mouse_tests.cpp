// Mouse editing on the chart, the tree's check boxes and the state the window opens in.
#include "graphcurve_fixture.h"

#include <QUndoStack>

namespace {

struct SRoundCase {
  double Mouse;
  double Stored;
};

} // namespace

TEST(TGraphCurveDragValue, RoundsToTheStepHalvesUpward)
{
  const SRoundCase cases[] = {{12.74, 12.5}, {12.75, 13.0}, {12.25, 12.5}, {12.2499, 12.0}, {-0.2, 0.0}, {-0.25, 0.0},
                              {-0.26, -0.5}, {59.76, 60.0}};
  for (const SRoundCase &c : cases)
    EXPECT_DOUBLE_EQ(TGraphCurve::DragValue(c.Mouse, 0.5), c.Stored) << c.Mouse;
  EXPECT_DOUBLE_EQ(TGraphCurve::DragValue(3.7, 1.0), 4.0);
}

TEST_F(TGraphCurveTest, OpensWithEightCalibrationsAllFlowsEnabledAndChecked)
{
  Open();
  QTreeWidget *tree = Window->Tree();
  ASSERT_EQ(tree->topLevelItemCount(), 2);
  EXPECT_EQ(tree->topLevelItem(0)->text(0), QStringLiteral("Work calibration"));
  EXPECT_EQ(tree->topLevelItem(1)->text(0), QStringLiteral("Other calibration"));
  const QStringList names[2] = {{"UOZ Petrol 1", "UOZ LPG 1", "UOZ Petrol 2", "UOZ LPG 2"},
                                {"UOZ Start", "UOZ Iddle", "UOZ Accumulation", "UOZ Temperature"}};
  for (int group = 0; group < 2; ++group) {
    QTreeWidgetItem *root = tree->topLevelItem(group);
    ASSERT_EQ(root->childCount(), 4);
    for (int index = 0; index < 4; ++index) {
      TCalibration *c = Calibrations.GetCalibration(group, index);
      QTreeWidgetItem *node = root->child(index);
      EXPECT_EQ(node->text(0), names[group][index]);
      EXPECT_EQ(TGraphCurve::DataOf(node), c);
      ASSERT_EQ(node->childCount(), c->Count());
      EXPECT_EQ(node->child(c->Count() - 1)->text(0), QStringLiteral("Flow %1").arg(c->Count()));
      for (int k = 0; k < c->Count(); ++k) {
        EXPECT_TRUE(c->Flow(k)->IsEnabled());
        EXPECT_EQ(node->child(k)->checkState(0), Qt::Checked);
        ASSERT_NE(Series(c->Flow(k)), nullptr);
        EXPECT_FALSE(Series(c->Flow(k))->isVisible());   // visible-data flags are clear
      }
    }
  }
  EXPECT_EQ(Calibrations.GetCalibration(0, 4)->Flow(0)->IsEnabled(), false);   // INJ 1 not shown
  EXPECT_EQ(Window->CurrentSeries(), nullptr);
}

TEST_F(TGraphCurveTest, DragStoresTheMouseValueRoundedToTheStep)
{
  TFlow *flow = Work(0)->Flow(2);
  flow->SetEnabled(true);
  flow->SetAll(20.0);
  // Tall, so that one pixel row is about 0.01 degrees.
  Open(QSize(640, 6400));
  Select(flow);
  Settle();
  const SRoundCase cases[] = {{12.74, 12.5}, {12.75, 13.0}};
  for (const SRoundCase &c : cases) {
    const QPoint start = PointAt(flow, 5);
    const QPoint row = RowFor(flow, start.x(), c.Mouse);
    ASSERT_NEAR(Window->ValueAt(Series(flow), row), c.Mouse, 0.005);
    Drag(flow, 5, {row});
    EXPECT_DOUBLE_EQ(flow->Value(5), c.Stored) << c.Mouse;
    EXPECT_DOUBLE_EQ(Series(flow)->at(5).y(), c.Stored);
    EXPECT_DOUBLE_EQ(Window->CursorSeries()->at(0).y(), c.Stored);
    EXPECT_DOUBLE_EQ(flow->Value(4), 20.0);
    EXPECT_DOUBLE_EQ(flow->Value(6), 20.0);
  }
  EXPECT_EQ(Window->UndoStack()->count(), 2);
}

TEST_F(TGraphCurveTest, MovesBeyondTheAxisRangeAreIgnored)
{
  TFlow *flow = Work(1)->Flow(0);
  flow->SetEnabled(true);
  flow->SetAll(20.0);
  Open();
  Select(flow);
  Settle();
  const QPoint start = PointAt(flow, 10);
  const QPoint at30 = RowFor(flow, start.x(), 30.0);
  const QPoint aboveTop = Window->PositionOf(Series(flow), Series(flow)->at(10).x(), 61.0);
  const QPoint atTop = Window->PositionOf(Series(flow), Series(flow)->at(10).x(), 60.0) - QPoint(0, 1);
  const QPoint belowBottom = Window->PositionOf(Series(flow), Series(flow)->at(10).x(), -1.0);
  ASSERT_GT(Window->ValueAt(Series(flow), aboveTop), 60.0);
  ASSERT_GT(Window->ValueAt(Series(flow), atTop), 60.0);   // the first row above the plot
  ASSERT_LT(Window->ValueAt(Series(flow), belowBottom), 0.0);
  const double at30Value = TGraphCurve::DragValue(Window->ValueAt(Series(flow), at30), 0.5);
  ASSERT_DOUBLE_EQ(at30Value, 30.0);

  QTest::mousePress(Viewport(), Qt::LeftButton, {}, start);
  QTest::mouseMove(Viewport(), at30);
  for (QPoint outside : {aboveTop, atTop, belowBottom}) {
    QTest::mouseMove(Viewport(), outside);
    EXPECT_DOUBLE_EQ(Series(flow)->at(10).y(), 30.0);
  }
  QTest::mouseRelease(Viewport(), Qt::LeftButton, {}, belowBottom);
  EXPECT_DOUBLE_EQ(flow->Value(10), 30.0);
}

// Axis 1000, 1500, ... on the first nine points, freeze point 2, point 6 dragged from 20 to 26:
// the points between rise in proportion to their distance from the freeze point.
TEST_F(TGraphCurveTest, DragWithAFreezePointMovesThePointsBetween)
{
  TFlow *flow = Other(3)->Flow(0);   // UOZ Temperature, linear axis, 16 points
  flow->SetEnabled(true);
  const double values[16] = {5, 6, 8, 10, 12, 14, 20, 18, 16, 15, 14, 13, 12, 11, 10, 9};
  double axis[16];
  for (int i = 0; i < 16; ++i)
    axis[i] = 1000 + 500 * i;
  flow->SetPoints(values, axis, 16, 0);
  Open();
  Select(flow);
  Settle();

  RightClick(flow, 2);
  ASSERT_EQ(flow->FreezePoint(), 2);
  const QPoint start = PointAt(flow, 6);
  Drag(flow, 6, {RowFor(flow, start.x(), 23.0), RowFor(flow, start.x(), 26.0)});

  const double expected[16] = {5, 6, 8, 11.5, 15, 18.5, 26, 18, 16, 15, 14, 13, 12, 11, 10, 9};
  for (int i = 0; i < 16; ++i) {
    EXPECT_DOUBLE_EQ(flow->Value(i), expected[i]) << i;
    EXPECT_DOUBLE_EQ(Series(flow)->at(i).y(), expected[i]) << i;   // the moved neighbours are shown
  }
}

TEST_F(TGraphCurveTest, ADisabledFlowRefusesEdits)
{
  TFlow *flow = Work(0)->Flow(4);
  flow->SetEnabled(true);
  flow->SetAll(20.0);
  Open();
  Select(flow);
  Settle();
  Node(flow)->setCheckState(0, Qt::Unchecked);
  ASSERT_FALSE(flow->IsEnabled());
  const QPoint start = PointAt(flow, 8);
  Drag(flow, 8, {RowFor(flow, start.x(), 35.0)});
  RightClick(flow, 8);
  EXPECT_DOUBLE_EQ(flow->Value(8), 20.0);
  EXPECT_DOUBLE_EQ(Series(flow)->at(8).y(), 20.0);
  EXPECT_EQ(flow->FreezePoint(), -1);
  EXPECT_EQ(Window->UndoStack()->count(), 0);
}

TEST_F(TGraphCurveTest, RightClickSetsMovesAndClearsTheFreezePoint)
{
  TFlow *flow = Work(2)->Flow(0);
  flow->SetEnabled(true);
  flow->SetAll(10.0);
  Open();
  Select(flow);
  Settle();
  struct SStep {
    int Point;
    int Freeze;
  };
  for (const SStep step : {SStep{4, 4}, SStep{7, 7}, SStep{7, -1}}) {
    RightClick(flow, step.Point);
    EXPECT_EQ(flow->FreezePoint(), step.Freeze);
    EXPECT_EQ(Window->FreezeSeries()->isVisible(), step.Freeze >= 0);
    if (step.Freeze >= 0) {
      EXPECT_EQ(Window->FreezeSeries()->at(0), Series(flow)->at(step.Freeze));
    }
  }
  EXPECT_DOUBLE_EQ(flow->Value(7), 10.0);
}

TEST_F(TGraphCurveTest, UncheckingACalibrationGreysAndLocksItsFlowsUntilARefresh)
{
  Open();
  TCalibration *c = Work(1);
  Node(c)->setCheckState(0, Qt::Unchecked);
  for (int k = 0; k < c->Count(); ++k) {
    EXPECT_FALSE(c->Flow(k)->IsEnabled());
    EXPECT_EQ(Node(c->Flow(k))->checkState(0), Qt::Unchecked);
    EXPECT_EQ(Window->NodeTextColor(Node(c->Flow(k))), QColor(0x80, 0x80, 0x80));
  }
  EXPECT_TRUE(Work(0)->Flow(0)->IsEnabled());
  EXPECT_EQ(Window->NodeTextColor(Node(Work(0)->Flow(0))), QColor(0xFF, 0, 0));   // 255 is red
  EXPECT_EQ(Window->NodeTextColor(Node(c)), TGraphCurve::ToQColor(8388608));     // a calibration is never grey

  TCalibrationChangedEvent changed;
  QCoreApplication::sendEvent(Window.data(), &changed);
  for (int k = 0; k < c->Count(); ++k) {
    EXPECT_TRUE(c->Flow(k)->IsEnabled());
    EXPECT_EQ(Node(c->Flow(k))->checkState(0), Qt::Checked);
  }
  EXPECT_EQ(Node(c)->checkState(0), Qt::Checked);
}
