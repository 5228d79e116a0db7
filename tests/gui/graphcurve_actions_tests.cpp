// The pop-up menu of the tree, the whole-curve actions, automatic creation of flows and the
// value dialog.
#include "graphcurve_fixture.h"

#include <QMenu>
#include <QUndoStack>

namespace {

QStringList Entries(QMenu *menu)
{
  QStringList texts;
  for (const QAction *action : menu->actions())
    texts << action->text();
  return texts;
}

} // namespace

TEST_F(TGraphCurveTest, RightClickOnTheTreePopsUpTheActionsOfTheNodesKind)
{
  Open();
  Select(Work(0)->Flow(0));
  Window->Tree()->expandAll();
  struct SCase {
    const TBaseClass *Data;
    QStringList Expected;
  };
  const SCase cases[] = {
      {Work(2),
       {"Autocreate flows", "Set values", "Change values", "Set color", "Clear freeze point", "Clear values",
        "Visible data on chart"}},
      {Work(2)->Flow(3),
       {"Set values", "Change values", "Set color", "Clear freeze point", "Clear values", "Visible values on chart",
        "Visible data on chart"}},
  };
  for (const SCase &c : cases) {
    QTreeWidget *tree = Window->Tree();
    tree->scrollToItem(Node(c.Data));
    const QPoint at = tree->visualItemRect(Node(c.Data)).center();
    QTest::mouseClick(tree->viewport(), Qt::RightButton, {}, at);
    EXPECT_TRUE(WaitFor([&] { return Window->PopupMenu()->isVisible(); }));
    EXPECT_EQ(Entries(Window->PopupMenu()), c.Expected);
    Window->PopupMenu()->hide();
    EXPECT_EQ(tree->currentItem(), Node(Work(0)->Flow(0)));   // the selection stays
  }
  // A root node has no object: no menu.
  Window->PopupMenu()->clear();
  QTest::mouseClick(Window->Tree()->viewport(), Qt::RightButton, {},
                    Window->Tree()->visualItemRect(Window->Tree()->topLevelItem(0)).center());
  EXPECT_TRUE(Window->PopupMenu()->actions().isEmpty());
}

TEST_F(TGraphCurveTest, SetValuesWritesOnlyWhatApplyConfirmed)
{
  Open();
  TCalibration *c = Work(1);
  Select(c);
  c->SetAll(20.0);
  SDialogAnswer closed{"33", false};
  AnswerValueDialog(&closed);
  Window->Action("SetValues")->trigger();
  ASSERT_TRUE(closed.Seen);
  EXPECT_DOUBLE_EQ(c->Flow(7)->Value(3), 20.0);   // "Close" cancels
  EXPECT_EQ(Window->UndoStack()->count(), 0);

  SDialogAnswer applied{"33.3", true};
  AnswerValueDialog(&applied);
  Window->Action("SetValues")->trigger();
  ASSERT_TRUE(applied.Seen);
  EXPECT_DOUBLE_EQ(applied.Maximum, 60.0);
  EXPECT_DOUBLE_EQ(applied.Step, 0.5);
  for (int k = 0; k < c->Count(); ++k)
    for (int i = 0; i < c->Flow(k)->Count(); ++i)
      ASSERT_DOUBLE_EQ(c->Flow(k)->Value(i), 33.5);   // limited and rounded by the flow
  EXPECT_EQ(Window->UndoStack()->count(), 1);
}

TEST_F(TGraphCurveTest, ChangeValuesAddsTheAmountToEveryPoint)
{
  Open();
  TFlow *flow = Work(0)->Flow(5);
  flow->SetAll(10.0);
  flow->SetPoint(26, 59.0);
  Select(flow);
  struct SCase {
    QString Typed;
    bool Apply;
    double Point0;
    double Point26;
    int Steps;
  };
  // The field has the flow's limits, so on a 0 .. 60 flow a negative amount reads as 0.
  const SCase cases[] = {{"2.5", true, 12.5, 60.0, 1}, {"0", true, 12.5, 60.0, 1}, {"5", false, 12.5, 60.0, 1},
                         {"-4", true, 12.5, 60.0, 1}, {"1", true, 13.5, 60.0, 2}};
  for (const SCase &c : cases) {
    SDialogAnswer answer{c.Typed, c.Apply};
    AnswerValueDialog(&answer);
    Window->Action("ChangeValues")->trigger();
    ASSERT_TRUE(answer.Seen);
    EXPECT_DOUBLE_EQ(flow->Value(0), c.Point0) << c.Typed.toStdString();
    EXPECT_DOUBLE_EQ(flow->Value(26), c.Point26);
    EXPECT_TRUE(Shows(Series(flow), flow));
    EXPECT_EQ(Window->UndoStack()->count(), c.Steps);
  }
}

TEST_F(TGraphCurveTest, ClearValuesAndClearFreezePointLeaveTheChartUntilTheNextRefresh)
{
  Open();
  TFlow *flow = Other(3)->Flow(0);   // UOZ Temperature, minimum -30
  flow->SetAll(12.0);
  Select(flow);
  RightClick(flow, 5);
  ASSERT_EQ(flow->FreezePoint(), 5);

  Window->Action("ClearFP")->trigger();
  EXPECT_EQ(flow->FreezePoint(), -1);
  EXPECT_TRUE(Window->FreezeSeries()->isVisible());   // the marker stays until the curve is made current

  Window->Action("ClearValues")->trigger();
  for (int i = 0; i < flow->Count(); ++i)
    EXPECT_DOUBLE_EQ(flow->Value(i), -30.0);
  EXPECT_DOUBLE_EQ(Series(flow)->at(0).y(), 12.0);
  Window->RefreshNode(Node(flow));
  Select(Work(0));
  Select(flow);
  EXPECT_TRUE(Shows(Series(flow), flow));
  EXPECT_FALSE(Window->FreezeSeries()->isVisible());

  // Locked: nothing happens.
  Node(flow)->setCheckState(0, Qt::Unchecked);
  flow->SetEnabled(true);
  flow->SetAll(4.0);
  flow->SetEnabled(false);
  Window->Action("ClearValues")->trigger();
  EXPECT_DOUBLE_EQ(flow->Value(0), 4.0);
}

TEST_F(TGraphCurveTest, VisibleValuesAndVisibleDataSwitchLabelsAndCurves)
{
  Open();
  TFlow *flow = Work(3)->Flow(2);
  Select(flow);
  Window->UpdateActions();
  EXPECT_FALSE(Window->Action("VisibleValues")->isChecked());
  Window->Action("VisibleValues")->trigger();
  EXPECT_TRUE(Series(flow)->pointLabelsVisible());
  Window->Action("VisibleValues")->trigger();
  EXPECT_FALSE(Series(flow)->pointLabelsVisible());

  TCalibration *c = Work(3);
  Select(c);
  Window->UpdateActions();
  EXPECT_FALSE(Window->Action("VisibleData")->isChecked());
  Window->Action("VisibleData")->trigger();
  EXPECT_TRUE(c->IsVisibleData());
  for (int k = 0; k < c->Count(); ++k) {
    EXPECT_TRUE(c->Flow(k)->IsVisibleData());
    EXPECT_TRUE(Series(c->Flow(k))->isVisible());
  }
  EXPECT_FALSE(Series(Work(2)->Flow(0))->isVisible());
  Window->Action("VisibleData")->trigger();
  for (int k = 0; k < c->Count(); ++k)
    EXPECT_FALSE(Series(c->Flow(k))->isVisible());
}

TEST_F(TGraphCurveTest, SetColorColoursTheEnabledFlowsAndTheirNodes)
{
  Open();
  TCalibration *c = Work(0);
  Node(c->Flow(1))->setCheckState(0, Qt::Unchecked);
  Select(c);
  Prompts.ColorAnswers = {0x00FF8000};
  Window->Action("SetColor")->trigger();
  EXPECT_EQ(c->GetColor(), 0x00FF8000u);
  EXPECT_EQ(c->Flow(0)->GetColor(), 0x00FF8000u);
  EXPECT_EQ(c->Flow(1)->GetColor(), 255u);   // locked
  EXPECT_EQ(Window->NodeTextColor(Node(c->Flow(0))), QColor(0x00, 0x80, 0xFF));
  // Cancelled: nothing changes.
  Window->Action("SetColor")->trigger();
  EXPECT_EQ(c->Flow(0)->GetColor(), 0x00FF8000u);
  EXPECT_EQ(Window->UndoStack()->count(), 1);
}

// Flow 1 at 10, Flow 5 unchecked at 30: Flows 2, 3, 4 become 15, 20, 25; with Flow 3 unchecked
// at 40 too: Flow 2 becomes 25, Flow 4 35.
TEST_F(TGraphCurveTest, AutocreateFlowsInterpolatesBetweenFixedFlows)
{
  struct SCase {
    bool Flow3Fixed;
    double Expected[5];
  };
  const SCase cases[] = {{false, {10, 15, 20, 25, 30}}, {true, {10, 25, 40, 35, 30}}};
  for (const SCase &c : cases) {
    Open();
    TCalibration *map = Work(2);
    map->SetAll(0.0);
    map->Flow(0)->SetPoint(6, 10.0);
    map->Flow(4)->SetPoint(6, 30.0);
    Node(map->Flow(4))->setCheckState(0, Qt::Unchecked);
    if (c.Flow3Fixed) {
      map->Flow(2)->SetPoint(6, 40.0);
      Node(map->Flow(2))->setCheckState(0, Qt::Unchecked);
    }
    Select(map);
    Prompts.YesNoAnswers = {true};
    Prompts.Messages.clear();
    Window->Action("AutoCreateFlows")->trigger();
    EXPECT_EQ(Prompts.Questions.constLast(), QStringLiteral("Attention!|Are you sure auto create flows?"));
    EXPECT_EQ(Prompts.LastMessage(), QStringLiteral("Flows created"));
    for (int k = 0; k < 5; ++k) {
      EXPECT_DOUBLE_EQ(map->Flow(k)->Value(6), c.Expected[k]) << k;
      EXPECT_TRUE(Shows(Series(map->Flow(k)), map->Flow(k)) || !Series(map->Flow(k))->isVisible());
    }
    EXPECT_FALSE(map->Flow(4)->IsEnabled());   // the fixed flows stay locked
    delete Window.data();
  }
}

TEST_F(TGraphCurveTest, AutocreateFlowsAsksFirstAndLeavesASingleCurveAlone)
{
  Open();
  TCalibration *start = Other(0);
  start->Flow(0)->SetAll(7.5);
  Select(start);
  Prompts.YesNoAnswers = {false};
  Window->Action("AutoCreateFlows")->trigger();
  EXPECT_TRUE(Prompts.Messages.isEmpty());
  Prompts.YesNoAnswers = {true};
  Window->Action("AutoCreateFlows")->trigger();
  EXPECT_EQ(Prompts.LastMessage(), QStringLiteral("Flows created"));
  EXPECT_DOUBLE_EQ(start->Flow(0)->Value(0), 7.5);
  EXPECT_EQ(Window->UndoStack()->count(), 0);
  // On a flow it does nothing, not even the message.
  Prompts.Messages.clear();
  Select(start->Flow(0));
  Prompts.YesNoAnswers = {true};
  Window->Action("AutoCreateFlows")->trigger();
  EXPECT_TRUE(Prompts.Messages.isEmpty());
}

TEST(TSetDataTest, TakesLimitsAndStepFromItsObjectAndKeepsValuesWithin)
{
  TAllCalibration calibrations;
  struct SCase {
    const TBaseClass *Data;
    double Min, Max, Step;
    QString Typed;
    double Read;       // after "Apply"
    double Closed;     // after "Close"
  };
  const SCase cases[] = {
      {calibrations.GetCalibration(0, 0)->Flow(0), 0, 60, 0.5, "75", 60, 0},
      {calibrations.GetCalibration(0, 4)->Flow(0), 0.5, 6, 0.025, "3.3", 3.3, 0.5},
      {calibrations.GetCalibration(1, 3), -30, 30, 0.5, "-45", -30, 0},
      {calibrations.GetCalibration(1, 1), 0, 35, 0.5, "12.34", 12.3, 0},
  };
  for (const SCase &c : cases) {
    for (bool apply : {true, false}) {
      TSetData dialog(nullptr, c.Data);
      auto *field = dialog.findChild<QDoubleSpinBox *>(QStringLiteral("Data"));
      EXPECT_DOUBLE_EQ(field->minimum(), c.Min);
      EXPECT_DOUBLE_EQ(field->maximum(), c.Max);
      EXPECT_DOUBLE_EQ(field->singleStep(), c.Step);
      EXPECT_EQ(field->decimals(), 1);
      EXPECT_DOUBLE_EQ(dialog.GetValue(), std::max(0.0, c.Min));
      field->selectAll();
      QTest::keyClicks(field, c.Typed);
      QTest::keyClick(&dialog, Qt::Key_Escape);   // only the buttons close it
      EXPECT_EQ(dialog.result(), 0);
      if (apply) {
        dialog.GoodClick();
        EXPECT_EQ(dialog.result(), QDialog::Accepted);
        EXPECT_DOUBLE_EQ(dialog.GetValue(), c.Read) << c.Typed.toStdString();
      } else {
        dialog.AbortClick();
        EXPECT_EQ(dialog.result(), QDialog::Rejected);
        EXPECT_DOUBLE_EQ(dialog.GetValue(), c.Closed);
      }
    }
  }
  TSetData dialog(nullptr, calibrations.GetCalibration(0, 0)->Flow(0));
  auto *field = dialog.findChild<QDoubleSpinBox *>(QStringLiteral("Data"));
  field->stepUp();
  EXPECT_DOUBLE_EQ(dialog.GetValue(), 0.5);
}
