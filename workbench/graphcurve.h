#pragma once
// TGraphCurve, the window "Graphic calibrations": the tree of the ignition calibrations and their
// flows, every flow as a curve on one chart, mouse editing of single points, whole-curve actions
// from a pop-up menu, automatic creation of flows and the live operating point. It edits the
// host's calibration objects in place; every change it makes can be undone while it is open.

#include "records.h"

#include <QHash>
#include <QList>
#include <QPoint>
#include <QWidget>
#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

namespace Ui {
class TGraphCurve;
}

class QAbstractAxis;
class QAction;
class QChart;
class QChartView;
class QLineSeries;
class QMenu;
class QScatterSeries;
class QTreeWidget;
class QTreeWidgetItem;
class QUndoStack;
class QValueAxis;
class QXYSeries;
class TAllCalibration;
class TBaseClass;
class TCalibration;
class TCommunication;
class TFlow;
class TMessages;

// What an undo step puts back: the values, freeze point, colour and visible-data flag of every
// flow it touched, and the colour and visible-data flag of a calibration it touched.
struct SFlowState {
  TFlow *Flow = nullptr;
  std::array<double, 27> Values{};
  int Freeze = -1;
  bool SnapshotKnown = false;
  std::array<double, 27> Snapshot{};
  std::uint32_t Color = 0;
  bool VisibleData = false;
  bool operator==(const SFlowState &other) const;
};

struct SCalibrationState {
  TCalibration *Calibration = nullptr;
  std::uint32_t Color = 0;
  bool VisibleData = false;
  bool operator==(const SCalibrationState &other) const = default;
};

struct SModelState {
  std::vector<SCalibrationState> Calibrations;
  std::vector<SFlowState> Flows;
  bool operator==(const SModelState &other) const = default;
};

class TGraphCurve : public QWidget {
  Q_OBJECT
public:
  // A top-level window over the host's objects, none of which it owns; it frees itself when
  // closed and is registered in messages while it exists.
  TGraphCurve(QWidget *owner, TAllCalibration *calibrations, TCommunication *link, TMessages *messages);
  ~TGraphCurve() override;

  // Refreshes from the model: check boxes, curves, current curve.
  void RefreshNode(QTreeWidgetItem *node);
  void RefreshBranch(QTreeWidgetItem *node);
  void RefreshAll();
  // Highlights a curve (thick, coloured, axes shown, drawn last) and brings the markers onto its
  // axes; nullptr keeps the current curve.
  void MakeCurrent(QLineSeries *series);
  void ShowOnlinePoint(const SInfo &info);
  // The pop-up menu for a node's object, rebuilt from the actions by category.
  QMenu *BuildPopupMenu(const TBaseClass *data);

  // Handlers, reachable from tests as from the events that raise them.
  void GraphUOZClickSeries(QLineSeries *series, int valueIndex, Qt::MouseButton button);
  void GraphUOZMouseMove(Qt::MouseButtons buttons, QPoint viewportPos);
  void GraphUOZMouseUp(Qt::MouseButton button);
  void GraphUOZResize();
  void TreeCalibrationMouseUp(Qt::MouseButton button, QPoint viewportPos);
  void TreeCalibrationSelectionChange();
  void TreeCalibrationNodeCheckedChange(QTreeWidgetItem *node);
  void VisibleOnlineClick();
  void UpdateActions();

  void AutoCreateFlowsExecute();
  // The value of the dialog, or nothing when it was closed without "Apply".
  std::optional<double> AskValue(TBaseClass *data);
  void SetValuesExecute();
  void ChangeValuesExecute();
  void SetColorExecute();
  void ClearFPExecute();
  void ClearValuesExecute();
  void VisibleValuesExecute();
  void VisibleDataExecute();

  // Looking in.
  QTreeWidget *Tree() const;
  QChartView *ChartView() const { return GraphUOZ; }
  QChart *Chart() const { return FChart; }
  QMenu *PopupMenu() const { return FPopupMenu; }
  QUndoStack *UndoStack() const { return FUndoStack; }
  QAction *Action(const char *name) const;
  const QList<QAction *> &ActionList() const { return FActionList; }
  QTreeWidgetItem *NodeOf(const TBaseClass *data) const;
  QLineSeries *SeriesOf(const TFlow *flow) const;
  QLineSeries *CurrentSeries() const { return FCurrent; }
  QScatterSeries *CursorSeries() const { return FCursorSeries; }
  QScatterSeries *FreezeSeries() const { return FFreezeSeries; }
  QScatterSeries *OnlineSeries() const { return FOnlineSeries; }
  QAbstractAxis *HorzAxisOf(const QXYSeries *series) const;
  QValueAxis *VertAxisOf(const QXYSeries *series) const;
  static TBaseClass *DataOf(const QTreeWidgetItem *node);
  // Text colour of a node that is not selected: its object's colour, grey when disabled.
  QColor NodeTextColor(const QTreeWidgetItem *node) const;
  // Chart-view viewport position of a value pair on a series' axes, and back.
  QPoint PositionOf(const QXYSeries *series, double x, double y) const;
  double ValueAt(const QXYSeries *series, QPoint viewportPos) const;

  // Margin in percent of the chart size for a wanted pixel count: the size is taken in whole
  // hundreds of pixels, at least 1, so a window shrunk below 100 pixels cannot divide by zero.
  static int MarginPercent(int wantedPixels, int chartPixels);
  // A mouse value rounded to the nearest multiple of the step, halves upward.
  static double DragValue(double v, double step);
  static QColor ToQColor(std::uint32_t color);

  // Puts a captured state back into the model and shows it (undo and redo).
  void ApplyState(const SModelState &state);
  SModelState Capture(TBaseClass *data) const;

protected:
  void customEvent(QEvent *event) override;
  bool eventFilter(QObject *watched, QEvent *event) override;
  void changeEvent(QEvent *event) override;

private:
  void AddCalibrationNode(QTreeWidgetItem *parent, int group, int index);
  void FillSeries(QLineSeries *series, const TFlow *flow);
  void StyleSeries(QLineSeries *series, bool current);
  void MoveCursor(double x, double y);
  void MoveFreezeMarker(double x, double y);
  void PlaceMarkers(QLineSeries *series);
  void RaiseCurrent();
  void UpdateOnlineVisibility();
  QAction *MakeAction(const char *name, const char *category, bool checkable);
  void Retranslate();
  bool ChartMouseEvent(QEvent *event);
  bool HitTest(QPoint viewportPos, QLineSeries *&series, int &index) const;
  TFlow *FlowOf(const QLineSeries *series) const;
  QTreeWidgetItem *SelectedNode() const;
  // Runs a change to the model as one undo step.
  template <typename TChange> void ChangeModel(TBaseClass *data, const QString &text, TChange change);
  void PushStep(const QString &text, SModelState before, SModelState after);
  // SetFreezePoint on the object, remembering the snapshot each flow takes, so that an undo can
  // give a flow back exactly the snapshot it had.
  void Freeze(TBaseClass *data, int index);
  void RestoreFlow(const SFlowState &state);
  void UpdateMarkers();

  struct SAxes {
    QAbstractAxis *Horz = nullptr;
    QValueAxis *Vert = nullptr;
  };

  std::unique_ptr<Ui::TGraphCurve> Ui;
  TAllCalibration *const Calibrations;
  TCommunication *const Communication;
  TMessages *const Messages;

  QChartView *GraphUOZ = nullptr;
  QChart *FChart = nullptr;
  QMenu *FPopupMenu = nullptr;
  QList<QAction *> FActionList;
  QAction *A_Undo = nullptr;
  QAction *A_Redo = nullptr;
  QUndoStack *FUndoStack = nullptr;

  QHash<const QTreeWidgetItem *, QLineSeries *> FSeriesOfNode;
  QHash<const QLineSeries *, QTreeWidgetItem *> FNodeOfSeries;
  QHash<const QXYSeries *, SAxes> FAxesOfSeries;
  QHash<const QLineSeries *, bool> FStyledCurrent;
  QList<QLineSeries *> FCurves;
  QTreeWidgetItem *FWorkRoot = nullptr;
  QTreeWidgetItem *FOtherRoot = nullptr;

  QLineSeries *FDragSeries = nullptr;
  int FDragIndex = -1;
  double FDragStep = -1.0;
  int FFreezeIndex = -1;
  QTreeWidgetItem *FLastFlowNode = nullptr;
  QScatterSeries *FCursorSeries = nullptr;
  QScatterSeries *FFreezeSeries = nullptr;
  QScatterSeries *FOnlineSeries = nullptr;
  SAxes FAxes;                       // the pair of the calibration being built
  QLineSeries *FCurrent = nullptr;   // the series last made current
  QLineSeries *FRaised = nullptr;    // the series drawn last at present
  int FRefreshDepth = 0;             // raising waits until the outermost refresh has finished
  bool FOnlineActive = false;
  bool FOnlineValid = false;
  std::uint32_t FLastColor = 0;
  bool FHasDragBefore = false;
  SModelState FDragBefore;
};
