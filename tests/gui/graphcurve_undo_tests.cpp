// Undo and redo of every change the editor makes to the model, one step each.
#include "graphcurve_fixture.h"

#include <QUndoStack>

// A session of edits; undoing them one by one gives back each earlier model exactly, and the
// chart shows it; redoing them gives the later ones back.
TEST_F(TGraphCurveTest, UndoAndRedoRestoreTheModelStepByStep)
{
  TCalibration *map = Work(0);
  map->SetEnabled(true);
  for (int k = 0; k < map->Count(); ++k)
    for (int i = 0; i < 27; ++i)
      map->Flow(k)->SetPoint(i, 10.0 + k + 0.5 * (i % 7));
  Open();
  TFlow *flow = map->Flow(3);
  Select(flow);
  Settle();

  QList<SModelCopy> models{CopyModel()};
  auto step = [&](const std::function<void()> &change) {
    change();
    models << CopyModel();
    ASSERT_EQ(Window->UndoStack()->count(), models.size() - 1);
    ASSERT_NE(models.constLast(), models[models.size() - 2]);
  };
  auto dragTo = [&](int point, double value) {
    Drag(flow, point, {RowFor(flow, PointAt(flow, point).x(), value)});
  };
  step([&] { dragTo(12, 30.0); });
  step([&] { RightClick(flow, 4); });
  step([&] { dragTo(14, 40.0); });          // moves points 5 .. 13 from the snapshot
  step([&] { dragTo(9, 20.0); });
  step([&] { RightClick(flow, 20); });      // moves the freeze point, new snapshot
  step([&] { dragTo(24, 50.0); });
  step([&] {
    Select(map);
    SDialogAnswer answer{"2", true};
    AnswerValueDialog(&answer);
    Window->Action("ChangeValues")->trigger();
  });
  step([&] {
    Prompts.ColorAnswers = {0x00123456};
    Window->Action("SetColor")->trigger();
  });
  step([&] { Window->Action("VisibleData")->trigger(); });
  step([&] {
    Node(map->Flow(8))->setCheckState(0, Qt::Unchecked);
    Prompts.YesNoAnswers = {true};
    Window->Action("AutoCreateFlows")->trigger();
  });
  step([&] { Window->Action("ClearFP")->trigger(); });
  step([&] {
    Select(flow);
    SDialogAnswer answer{"44", true};
    AnswerValueDialog(&answer);
    Window->Action("SetValues")->trigger();
  });
  step([&] { Window->Action("ClearValues")->trigger(); });

  // The value dialogs took the activation; the shortcuts work in the active window.
  Window->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(Window.data()));
  for (int i = models.size() - 2; i >= 0; --i) {
    QTest::keyClick(Window.data(), Qt::Key_Z, Qt::ControlModifier);
    ASSERT_TRUE(models[i] == CopyModel()) << "after undoing step " << i + 1;
    ASSERT_TRUE(Shows(Series(flow), flow)) << i;
  }
  EXPECT_FALSE(Window->UndoStack()->canUndo());
  for (int i = 1; i < models.size(); ++i) {
    QTest::keyClick(Window.data(), Qt::Key_Y, Qt::ControlModifier);
    ASSERT_TRUE(models[i] == CopyModel()) << "after redoing step " << i;
    ASSERT_TRUE(Shows(Series(flow), flow)) << i;
  }
  EXPECT_FALSE(Window->UndoStack()->canRedo());
}

// After an undo the freeze point has its old snapshot again: the next edit moves the points
// between exactly as it would have before the undone steps.
TEST_F(TGraphCurveTest, UndoGivesTheFreezePointItsSnapshotBack)
{
  TFlow *flow = Work(1)->Flow(0);
  flow->SetEnabled(true);
  for (int i = 0; i < 27; ++i)
    flow->SetPoint(i, 10.0 + (i % 5));
  Open();
  Select(flow);
  Settle();
  RightClick(flow, 3);
  const SModelCopy frozen = CopyModel();
  Drag(flow, 10, {RowFor(flow, PointAt(flow, 10).x(), 30.0)});
  const SModelCopy reference = CopyModel();

  QTest::keyClick(Window.data(), Qt::Key_Z, Qt::ControlModifier);   // the drag
  ASSERT_EQ(CopyModel(), frozen);
  RightClick(flow, 8);                                              // new freeze point, new snapshot
  Drag(flow, 12, {RowFor(flow, PointAt(flow, 12).x(), 5.0)});
  QTest::keyClick(Window.data(), Qt::Key_Z, Qt::ControlModifier);
  QTest::keyClick(Window.data(), Qt::Key_Z, Qt::ControlModifier);
  ASSERT_EQ(CopyModel(), frozen);
  EXPECT_EQ(flow->FreezePoint(), 3);
  EXPECT_TRUE(Window->FreezeSeries()->isVisible());
  EXPECT_EQ(Window->FreezeSeries()->at(0), Series(flow)->at(3));

  Drag(flow, 10, {RowFor(flow, PointAt(flow, 10).x(), 30.0)});
  EXPECT_EQ(CopyModel(), reference);
}

TEST_F(TGraphCurveTest, UndoRestoresALockedFlowAndStepsNeedAChange)
{
  TFlow *flow = Work(2)->Flow(1);
  flow->SetEnabled(true);
  flow->SetAll(15.0);
  Open();
  Select(flow);
  Settle();
  // A click without movement changes nothing and is no step.
  Drag(flow, 6, {});
  EXPECT_EQ(Window->UndoStack()->count(), 0);
  Drag(flow, 6, {RowFor(flow, PointAt(flow, 6).x(), 25.0)});
  ASSERT_DOUBLE_EQ(flow->Value(6), 25.0);
  Node(flow)->setCheckState(0, Qt::Unchecked);
  Window->Action("A_Undo")->trigger();
  EXPECT_DOUBLE_EQ(flow->Value(6), 15.0);
  EXPECT_FALSE(flow->IsEnabled());    // the lock stays as the user set it
  EXPECT_DOUBLE_EQ(Series(flow)->at(6).y(), 15.0);
}
