#include "graphcurve.h"

#include "ui_graphcurve.h"

#include "wbprompts.h"
#include "calibration.h"
#include "messages.h"
#include "setdata.h"

#include <QAction>
#include <QApplication>
#include <QChart>
#include <QChartView>
#include <QCheckBox>
#include <QGraphicsLayout>
#include <QLineSeries>
#include <QLogValueAxis>
#include <QMenu>
#include <QMouseEvent>
#include <QScatterSeries>
#include <QScreen>
#include <QStyledItemDelegate>
#include <QTimer>
#include <QToolButton>
#include <QTreeWidget>
#include <QUndoStack>
#include <QValueAxis>
#include <algorithm>
#include <cmath>

namespace {

constexpr int DataRole = Qt::UserRole;
constexpr int CheckRole = Qt::UserRole + 1;   // the check state last handled
const QColor Grey(0x80, 0x80, 0x80);
constexpr int HitRadius = 6;                  // pixels around a point that still hit it

// The snapshot each flow took when this editor last set its freeze point. Flows live as long as
// the host's calibration set, so what one window learnt holds for the next one too.
QHash<const TFlow *, std::array<double, 27>> &KnownSnapshots()
{
  static QHash<const TFlow *, std::array<double, 27>> snapshots;
  return snapshots;
}

std::array<double, 27> ValuesOf(const TFlow *flow)
{
  std::array<double, 27> values{};
  for (int i = 0; i < TFlow::MaxPoints; ++i)
    values[std::size_t(i)] = flow->Value(i);
  return values;
}

QList<TFlow *> FlowsOf(TBaseClass *data)
{
  QList<TFlow *> flows;
  if (auto *flow = dynamic_cast<TFlow *>(data))
    flows << flow;
  else if (auto *calibration = dynamic_cast<TCalibration *>(data))
    for (int k = 0; k < calibration->Count(); ++k)
      flows << calibration->Flow(k);
  return flows;
}

// The nodes keep their object's colour, grey while it is locked; selected and root nodes keep
// the default colours.
class TNodeDelegate : public QStyledItemDelegate {
public:
  TNodeDelegate(TGraphCurve *window) : QStyledItemDelegate(window), Window(window) {}

protected:
  void initStyleOption(QStyleOptionViewItem *option, const QModelIndex &index) const override
  {
    QStyledItemDelegate::initStyleOption(option, index);
    if (option->state & QStyle::State_Selected)
      return;
    auto *data = reinterpret_cast<TBaseClass *>(index.data(DataRole).value<quintptr>());
    if (!data)
      return;
    option->palette.setColor(QPalette::Text, data->IsEnabled() ? TGraphCurve::ToQColor(data->GetColor()) : Grey);
  }

private:
  TGraphCurve *Window;
};

// One change the window made to the model; it was already made when the step is pushed.
class TModelStep : public QUndoCommand {
public:
  TModelStep(TGraphCurve *window, const QString &text, SModelState before, SModelState after)
      : QUndoCommand(text), Window(window), Before(std::move(before)), After(std::move(after))
  {
  }
  void undo() override { Window->ApplyState(Before); }
  void redo() override
  {
    if (Done) {
      Done = false;
      return;
    }
    Window->ApplyState(After);
  }

private:
  TGraphCurve *Window;
  SModelState Before;
  SModelState After;
  bool Done = true;
};

} // namespace

bool SFlowState::operator==(const SFlowState &other) const
{
  if (Flow != other.Flow || Values != other.Values || Freeze != other.Freeze || Color != other.Color ||
      VisibleData != other.VisibleData)
    return false;
  // The snapshot only matters while a freeze point is set.
  return Freeze < 0 || (SnapshotKnown == other.SnapshotKnown && Snapshot == other.Snapshot);
}

// ---------------------------------------------------------------------------------------------

TGraphCurve::TGraphCurve(QWidget *owner, TAllCalibration *calibrations, TCommunication *link, TMessages *messages)
    : QWidget(owner, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                         Qt::WindowMaximizeButtonHint | Qt::WindowCloseButtonHint),
      Ui(std::make_unique<Ui::TGraphCurve>()), Calibrations(calibrations), Communication(link), Messages(messages)
{
  Ui->setupUi(this);
  setAttribute(Qt::WA_DeleteOnClose);
  if (Messages)
    Messages->Add(this);

  FChart = new QChart;
  FChart->legend()->hide();
  FChart->setBackgroundRoundness(0);
  FChart->setBackgroundBrush(Qt::white);
  FChart->setBackgroundVisible(true);
  FChart->setPlotAreaBackgroundBrush(Qt::white);
  FChart->setPlotAreaBackgroundVisible(true);
  FChart->setMargins(QMargins(0, 0, 0, 0));
  FChart->setAnimationOptions(QChart::NoAnimation);
  GraphUOZ = new QChartView(FChart, Ui->JvPanel3);
  GraphUOZ->setObjectName(QStringLiteral("GraphUOZ"));
  GraphUOZ->setFrameShape(QFrame::StyledPanel);
  GraphUOZ->setFrameShadow(QFrame::Sunken);
  GraphUOZ->setRenderHint(QPainter::Antialiasing);
  GraphUOZ->setBackgroundBrush(Qt::white);
  GraphUOZ->setRubberBand(QChartView::NoRubberBand);
  GraphUOZ->setMouseTracking(true);
  GraphUOZ->viewport()->installEventFilter(this);
  Ui->JvPanel3->layout()->addWidget(GraphUOZ);

  QTreeWidget *tree = Ui->TreeCalibration;
  tree->setItemDelegate(new TNodeDelegate(this));
  tree->viewport()->installEventFilter(this);

  FPopupMenu = new QMenu(this);
  FPopupMenu->setObjectName(QStringLiteral("PopupMenu"));
  FActionList = {MakeAction("AutoCreateFlows", "TCalibration *", false),
                 MakeAction("SetValues", "All", false),
                 MakeAction("ChangeValues", "All", false),
                 MakeAction("SetColor", "All", false),
                 MakeAction("ClearFP", "All", false),
                 MakeAction("ClearValues", "All", false),
                 MakeAction("VisibleValues", "TFlow *", true),
                 MakeAction("VisibleData", "All", true)};
  connect(Action("AutoCreateFlows"), &QAction::triggered, this, &TGraphCurve::AutoCreateFlowsExecute);
  connect(Action("SetValues"), &QAction::triggered, this, &TGraphCurve::SetValuesExecute);
  connect(Action("ChangeValues"), &QAction::triggered, this, &TGraphCurve::ChangeValuesExecute);
  connect(Action("SetColor"), &QAction::triggered, this, &TGraphCurve::SetColorExecute);
  connect(Action("ClearFP"), &QAction::triggered, this, &TGraphCurve::ClearFPExecute);
  connect(Action("ClearValues"), &QAction::triggered, this, &TGraphCurve::ClearValuesExecute);
  connect(Action("VisibleValues"), &QAction::triggered, this, &TGraphCurve::VisibleValuesExecute);
  connect(Action("VisibleData"), &QAction::triggered, this, &TGraphCurve::VisibleDataExecute);

  // A mis-drag on a customer's map must be recoverable: every change made here is one step.
  FUndoStack = new QUndoStack(this);
  A_Undo = new QAction(this);
  A_Undo->setObjectName(QStringLiteral("A_Undo"));
  A_Undo->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Z));
  A_Undo->setEnabled(false);
  A_Redo = new QAction(this);
  A_Redo->setObjectName(QStringLiteral("A_Redo"));
  A_Redo->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Y));
  A_Redo->setEnabled(false);
  addAction(A_Undo);
  addAction(A_Redo);
  connect(A_Undo, &QAction::triggered, FUndoStack, &QUndoStack::undo);
  connect(A_Redo, &QAction::triggered, FUndoStack, &QUndoStack::redo);
  connect(FUndoStack, &QUndoStack::canUndoChanged, A_Undo, &QAction::setEnabled);
  connect(FUndoStack, &QUndoStack::canRedoChanged, A_Redo, &QAction::setEnabled);
  Ui->UndoButton->setDefaultAction(A_Undo);
  Ui->RedoButton->setDefaultAction(A_Redo);
  Retranslate();

  FWorkRoot = new QTreeWidgetItem(tree, {tr("Work calibration")});
  FWorkRoot->setCheckState(0, Qt::Unchecked);
  if (Calibrations)
    for (int index = 0; index < Calibrations->WorkCount() - 2; ++index)
      AddCalibrationNode(FWorkRoot, 0, index);
  FOtherRoot = new QTreeWidgetItem(tree, {tr("Other calibration")});
  FOtherRoot->setCheckState(0, Qt::Unchecked);
  if (Calibrations)
    for (int index = 0; index < Calibrations->OtherCount() - 4; ++index)
      AddCalibrationNode(FOtherRoot, 1, index);
  for (QTreeWidgetItemIterator it(tree); *it; ++it)
    (*it)->setData(0, CheckRole, int((*it)->checkState(0)));

  auto makeMarker = [this](int size, const QColor &pen, int penWidth, const QColor &color) {
    auto *series = new QScatterSeries;
    series->setMarkerShape(QScatterSeries::MarkerShapeCircle);
    series->setMarkerSize(size);
    series->setPen(QPen(pen, penWidth));
    series->setColor(color);
    // At x = 1, not 0: a logarithmic axis has no place for 0, and no axis has a point at 1.
    series->append(1.0, 0.0);
    FChart->addSeries(series);
    series->setVisible(false);
    return series;
  };
  FCursorSeries = makeMarker(7, Qt::black, 1, QColor(0x00, 0xFF, 0x00));
  FFreezeSeries = makeMarker(9, Qt::black, 1, QColor(0xFF, 0xFF, 0x00));
  FOnlineSeries = makeMarker(9, QColor(0x00, 0x80, 0x00), 2, QColor(0xFF, 0x00, 0x00));

  // Queued: the chart lays its items out for the new size first; a plot area set in the middle
  // of that reaches only some of them.
  connect(FChart, &QChart::geometryChanged, this, &TGraphCurve::GraphUOZResize, Qt::QueuedConnection);
  connect(tree, &QTreeWidget::itemSelectionChanged, this, &TGraphCurve::TreeCalibrationSelectionChange);
  connect(tree, &QTreeWidget::itemChanged, this, [this](QTreeWidgetItem *item, int column) {
    if (column != 0 || item->data(0, CheckRole).toInt() == int(item->checkState(0)))
      return;
    item->setData(0, CheckRole, int(item->checkState(0)));
    TreeCalibrationNodeCheckedChange(item);
  });
  connect(Ui->VisibleOnline, &QCheckBox::clicked, this, &TGraphCurve::VisibleOnlineClick);

  // The enabling rules of the actions hold without anyone calling them.
  auto *idle = new QTimer(this);
  connect(idle, &QTimer::timeout, this, &TGraphCurve::UpdateActions);
  idle->start(200);

  resize(minimumSize());
  if (const QScreen *screen = QGuiApplication::primaryScreen())
    move(screen->availableGeometry().center() - rect().center());
  GraphUOZResize();
  RefreshBranch(FWorkRoot);
  RefreshBranch(FOtherRoot);
  UpdateActions();
}

TGraphCurve::~TGraphCurve()
{
  if (Messages)
    Messages->Remove(this);
  // The controls outlive this body; nothing they do while they go may reach the window.
  GraphUOZ->viewport()->removeEventFilter(this);
  Ui->TreeCalibration->viewport()->removeEventFilter(this);
  Ui->TreeCalibration->disconnect(this);
  FChart->disconnect(this);
}

QAction *TGraphCurve::MakeAction(const char *name, const char *category, bool checkable)
{
  auto *action = new QAction(this);
  action->setObjectName(QLatin1String(name));
  action->setProperty("category", QLatin1String(category));
  action->setCheckable(checkable);
  return action;
}

void TGraphCurve::Retranslate()
{
  Action("AutoCreateFlows")->setText(tr("Autocreate flows"));
  Action("SetValues")->setText(tr("Set values"));
  Action("ChangeValues")->setText(tr("Change values"));
  Action("SetColor")->setText(tr("Set color"));
  Action("ClearFP")->setText(tr("Clear freeze point"));
  Action("ClearValues")->setText(tr("Clear values"));
  Action("VisibleValues")->setText(tr("Visible values on chart"));
  Action("VisibleData")->setText(tr("Visible data on chart"));
  A_Undo->setText(tr("Undo"));
  A_Undo->setToolTip(tr("Undo the last change (Ctrl+Z)"));
  A_Redo->setText(tr("Redo"));
  A_Redo->setToolTip(tr("Redo the change undone last (Ctrl+Y)"));
}

void TGraphCurve::changeEvent(QEvent *event)
{
  if (event->type() == QEvent::LanguageChange) {
    Ui->retranslateUi(this);
    Retranslate();
  }
  QWidget::changeEvent(event);
}

QAction *TGraphCurve::Action(const char *name) const
{
  for (QAction *action : FActionList)
    if (action->objectName() == QLatin1String(name))
      return action;
  if (qstrcmp(name, "A_Undo") == 0)
    return A_Undo;
  if (qstrcmp(name, "A_Redo") == 0)
    return A_Redo;
  return nullptr;
}

QTreeWidget *TGraphCurve::Tree() const { return Ui->TreeCalibration; }

TBaseClass *TGraphCurve::DataOf(const QTreeWidgetItem *node)
{
  return node ? reinterpret_cast<TBaseClass *>(node->data(0, DataRole).value<quintptr>()) : nullptr;
}

QTreeWidgetItem *TGraphCurve::NodeOf(const TBaseClass *data) const
{
  for (QTreeWidgetItemIterator it(Ui->TreeCalibration); *it; ++it)
    if (DataOf(*it) == data)
      return *it;
  return nullptr;
}

QLineSeries *TGraphCurve::SeriesOf(const TFlow *flow) const { return FSeriesOfNode.value(NodeOf(flow)); }

TFlow *TGraphCurve::FlowOf(const QLineSeries *series) const
{
  return dynamic_cast<TFlow *>(DataOf(FNodeOfSeries.value(series)));
}

QTreeWidgetItem *TGraphCurve::SelectedNode() const
{
  const QList<QTreeWidgetItem *> selected = Ui->TreeCalibration->selectedItems();
  return selected.isEmpty() ? nullptr : selected.constFirst();
}

QAbstractAxis *TGraphCurve::HorzAxisOf(const QXYSeries *series) const { return FAxesOfSeries.value(series).Horz; }
QValueAxis *TGraphCurve::VertAxisOf(const QXYSeries *series) const { return FAxesOfSeries.value(series).Vert; }

QColor TGraphCurve::ToQColor(std::uint32_t color)
{
  return QColor(int(color & 0xFF), int((color >> 8) & 0xFF), int((color >> 16) & 0xFF));
}

QColor TGraphCurve::NodeTextColor(const QTreeWidgetItem *node) const
{
  const TBaseClass *data = DataOf(node);
  if (!data)
    return Ui->TreeCalibration->palette().color(QPalette::Text);
  return data->IsEnabled() ? ToQColor(data->GetColor()) : Grey;
}

double TGraphCurve::DragValue(double v, double step) { return std::floor(v / step + 0.5) * step; }

int TGraphCurve::MarginPercent(int wantedPixels, int chartPixels)
{
  return wantedPixels / std::max(1, chartPixels / 100);
}

// ---------------------------------------------------------------------------------------------
// Building

void TGraphCurve::AddCalibrationNode(QTreeWidgetItem *parent, int group, int index)
{
  TCalibration *calibration = Calibrations->GetCalibration(group, index);
  if (!calibration)
    return;
  const TFlow *first = calibration->Flow(0);
  // A logarithmic axis cannot start at or below zero; such a curve is drawn on a linear one.
  const bool logarithmic = first && first->IsLogarithmic() && first->AxisValue(0) > 0;

  FAxes.Vert = new QValueAxis;
  FAxes.Vert->setTitleText(calibration->YTitle());
  FAxes.Vert->setLabelFormat(QStringLiteral("%g"));
  FAxes.Vert->setMinorTickCount(1);
  if (logarithmic) {
    auto *axis = new QLogValueAxis;
    axis->setBase(10.0);
    axis->setLabelFormat(QStringLiteral("%.0f"));
    axis->setMinorTickCount(8);
    FAxes.Horz = axis;
  } else {
    auto *axis = new QValueAxis;
    axis->setLabelFormat(QStringLiteral("%.0f"));
    axis->setTickType(QValueAxis::TicksDynamic);
    FAxes.Horz = axis;
  }
  FAxes.Horz->setTitleText(calibration->XTitle());
  for (QAbstractAxis *axis : {static_cast<QAbstractAxis *>(FAxes.Horz), static_cast<QAbstractAxis *>(FAxes.Vert)}) {
    QFont font = axis->labelsFont();
    font.setPointSize(8);
    axis->setLabelsFont(font);
    axis->setTitleFont(font);
    axis->setMinorGridLineVisible(true);
    axis->setMinorGridLinePen(QPen(QColor(0xE4, 0xE4, 0xE4), 1));
    axis->setGridLinePen(QPen(QColor(0xC8, 0xC8, 0xC8), 1));
  }
  FChart->addAxis(FAxes.Horz, Qt::AlignBottom);
  FChart->addAxis(FAxes.Vert, Qt::AlignLeft);
  FAxes.Horz->setVisible(false);
  FAxes.Vert->setVisible(false);

  auto *node = new QTreeWidgetItem(parent, {calibration->Name()});
  node->setData(0, DataRole, QVariant::fromValue(quintptr(static_cast<TBaseClass *>(calibration))));
  node->setCheckState(0, Qt::Unchecked);

  for (int k = 0; k < calibration->Count(); ++k) {
    TFlow *flow = calibration->Flow(k);
    auto *flowNode = new QTreeWidgetItem(node, {tr("Flow ") + QString::number(k + 1)});
    flowNode->setData(0, DataRole, QVariant::fromValue(quintptr(static_cast<TBaseClass *>(flow))));
    flowNode->setCheckState(0, Qt::Unchecked);

    auto *series = new QLineSeries;
    series->setPointsVisible(true);
    series->setMarkerSize(2);
    series->setPointLabelsFormat(QStringLiteral("@yPoint"));
    series->setPointLabelsColor(QColor(0x00, 0x00, 0x80));
    series->setPointLabelsClipping(false);
    series->setPointLabelsVisible(false);
    FSeriesOfNode.insert(flowNode, series);
    FNodeOfSeries.insert(series, flowNode);
    FAxesOfSeries.insert(series, FAxes);
    FCurves << series;

    const double maxX = flow->AxisValue(flow->Count() - 1);
    const double minX = flow->AxisValue(0);
    FAxes.Horz->setRange(minX, std::max(maxX, minX + 1.0));
    FAxes.Vert->setRange(flow->GetMin(), flow->GetMax());
    if (auto *linear = qobject_cast<QValueAxis *>(FAxes.Horz)) {
      // Ticks on round values: every 10 on the temperature, every volt on the voltage axis.
      const double span = maxX - minX;
      const double interval = span > 100 ? 20 : span > 30 ? 10 : span > 10 ? 2 : 1;
      linear->setTickAnchor(std::ceil(minX / interval) * interval);
      linear->setTickInterval(interval);
    }
    FillSeries(series, flow);
    series->setVisible(false);
    FChart->addSeries(series);
    series->attachAxis(FAxes.Horz);
    series->attachAxis(FAxes.Vert);
    StyleSeries(series, false);
  }
}

void TGraphCurve::FillSeries(QLineSeries *series, const TFlow *flow)
{
  if (!series || !flow)
    return;
  QList<QPointF> points;
  points.reserve(flow->Count());
  for (int i = 0; i < flow->Count(); ++i)
    points.append(QPointF(flow->AxisValue(i), flow->Value(i)));
  series->replace(points);
  QPen pen = series->pen();
  pen.setColor(ToQColor(flow->GetColor()));
  series->setPen(pen);
  FStyledCurrent.remove(series);
  StyleSeries(series, series == FCurrent && FCurrent->isVisible());
}

// The current curve: line 2 wide, points 5 in its colour. Every other: 1 wide, points 4 in grey.
void TGraphCurve::StyleSeries(QLineSeries *series, bool current)
{
  const auto styled = FStyledCurrent.constFind(series);
  if (styled != FStyledCurrent.constEnd() && *styled == current)
    return;
  FStyledCurrent.insert(series, current);
  // The others are drawn in a paler tone of their colour, so that the current curve stands out
  // even among the fifteen other flows of its map.
  QPen pen = series->pen();
  QColor color = pen.color();
  color.setAlpha(current ? 255 : 110);
  pen.setColor(color);
  pen.setWidthF(current ? 2.5 : 1.0);
  series->setPen(pen);
  series->setMarkerSize(current ? 5 : 2.5);
  QColor pointColor = current ? color : Grey;
  pointColor.setAlpha(current ? 255 : 150);
  QHash<int, QHash<QXYSeries::PointConfiguration, QVariant>> configuration;
  for (int i = 0; i < series->count(); ++i)
    configuration[i][QXYSeries::PointConfiguration::Color] = pointColor;
  series->setPointsConfiguration(configuration);
}

// ---------------------------------------------------------------------------------------------
// Current curve and markers

void TGraphCurve::PlaceMarkers(QLineSeries *series)
{
  const SAxes axes = FAxesOfSeries.value(series);
  if (!axes.Horz || !axes.Vert)
    return;
  for (QScatterSeries *marker : {FCursorSeries, FFreezeSeries, FOnlineSeries}) {
    const SAxes was = FAxesOfSeries.value(marker);
    if (was.Horz == axes.Horz && was.Vert == axes.Vert)
      continue;
    for (QAbstractAxis *axis : marker->attachedAxes())
      marker->detachAxis(axis);
    marker->attachAxis(axes.Horz);
    marker->attachAxis(axes.Vert);
    FAxesOfSeries.insert(marker, axes);
  }
}

void TGraphCurve::MoveCursor(double x, double y) { FCursorSeries->replace(0, QPointF(x, y)); }
void TGraphCurve::MoveFreezeMarker(double x, double y) { FFreezeSeries->replace(0, QPointF(x, y)); }

void TGraphCurve::MakeCurrent(QLineSeries *series)
{
  if (!series)
    series = FCurrent;
  const TFlow *flow = FlowOf(series);
  if (series) {
    const int x0 = int(FCursorSeries->at(0).x());
    const QList<QPointF> points = series->points();
    for (const QPointF &point : points)
      if (point.x() == x0) {
        MoveCursor(x0, point.y());
        break;
      }
    PlaceMarkers(series);
  }
  FCursorSeries->setVisible(false);
  FFreezeSeries->setVisible(false);
  FOnlineActive = false;
  UpdateOnlineVisibility();

  FCurrent = series;
  const bool shown = series && series->isVisible();
  const SAxes current = FAxesOfSeries.value(series);
  for (QLineSeries *curve : std::as_const(FCurves))
    if (curve != series)
      StyleSeries(curve, false);
  for (QAbstractAxis *axis : FChart->axes()) {
    const bool mine = shown && (axis == current.Horz || axis == current.Vert);
    if (axis->isVisible() != mine)
      axis->setVisible(mine);
  }
  if (shown) {
    StyleSeries(series, true);
    if (flow) {
      FFreezeIndex = flow->FreezePoint();
      if (FFreezeIndex >= 0 && FFreezeIndex < series->count())
        MoveFreezeMarker(series->at(FFreezeIndex).x(), series->at(FFreezeIndex).y());
      FFreezeSeries->setVisible(FFreezeIndex >= 0);
    }
    FCursorSeries->setVisible(true);
  }
  if (FRefreshDepth == 0)
    RaiseCurrent();
}

// Drawn last means added last: the current curve and then the markers are taken out of the
// chart and put back. Done once per refresh, not for every node a refresh passes.
void TGraphCurve::RaiseCurrent()
{
  if (!FCurrent || FCurrent == FRaised)
    return;
  for (QXYSeries *series : std::initializer_list<QXYSeries *>{FCurrent, FCursorSeries, FFreezeSeries, FOnlineSeries}) {
    const SAxes axes = FAxesOfSeries.value(series);
    FChart->removeSeries(series);
    FChart->addSeries(series);
    if (axes.Horz)
      series->attachAxis(axes.Horz);
    if (axes.Vert)
      series->attachAxis(axes.Vert);
  }
  FRaised = FCurrent;
}

// After an undo or redo: the markers of the current curve follow the model without the rest of
// what making a curve current does (the live point stays as it is).
void TGraphCurve::UpdateMarkers()
{
  const TFlow *flow = FlowOf(FCurrent);
  if (!flow || !FCurrent->isVisible())
    return;
  const int x0 = int(FCursorSeries->at(0).x());
  for (int i = 0; i < FCurrent->count(); ++i)
    if (FCurrent->at(i).x() == x0) {
      MoveCursor(x0, FCurrent->at(i).y());
      break;
    }
  FFreezeIndex = flow->FreezePoint();
  if (FFreezeIndex >= 0 && FFreezeIndex < FCurrent->count())
    MoveFreezeMarker(FCurrent->at(FFreezeIndex).x(), FCurrent->at(FFreezeIndex).y());
  FFreezeSeries->setVisible(FFreezeIndex >= 0);
}

void TGraphCurve::ShowOnlinePoint(const SInfo &info)
{
  // A zero record (silent line, end of playback) has no operating point; on a logarithmic axis
  // it would not even have a place. The marker is hidden until a record with a speed comes.
  FOnlineValid = info.RPM > 0;
  if (FOnlineValid)
    FOnlineSeries->replace(0, QPointF(double(info.RPM), info.Advance));
  UpdateOnlineVisibility();
}

void TGraphCurve::UpdateOnlineVisibility()
{
  const bool visible = FOnlineActive && FOnlineValid;
  if (FOnlineSeries->isVisible() != visible)
    FOnlineSeries->setVisible(visible);
}

void TGraphCurve::VisibleOnlineClick()
{
  FOnlineActive = Ui->VisibleOnline->isChecked();
  UpdateOnlineVisibility();
}

void TGraphCurve::GraphUOZResize()
{
  const QSizeF size = FChart->size();
  const int w = int(size.width());
  const int h = int(size.height());
  const int left = w * MarginPercent(37, w) / 100;
  const int bottom = h * MarginPercent(52, h) / 100;
  // At least 12 pixels on top, or the chart drops the label of the axis maximum.
  const int top = std::max(12, h * 1 / 100);
  const int right = w * 2 / 100;
  const QRectF plot(left, top, std::max(1, w - left - right), std::max(1, h - top - bottom));
  if (FChart->plotArea() == plot)
    return;
  FChart->setPlotArea(plot);
  // The axes and the background take the new area only when the chart is laid out again.
  if (QGraphicsLayout *layout = FChart->layout()) {
    layout->invalidate();
    layout->activate();
  }
}

// ---------------------------------------------------------------------------------------------
// Tree

void TGraphCurve::RefreshNode(QTreeWidgetItem *node)
{
  TBaseClass *data = DataOf(node);
  if (!data)
    return;
  node->setCheckState(0, data->IsEnabled() ? Qt::Checked : Qt::Unchecked);
  auto *flow = dynamic_cast<TFlow *>(data);
  QLineSeries *series = FSeriesOfNode.value(node);
  if (!flow || !series)
    return;
  // The selected flow's curve stays drawn whatever its visible-data flag, as selecting it made
  // it; otherwise "Set values" on it would take the curve being edited off the chart.
  series->setVisible(flow->IsVisibleData() || node == FLastFlowNode);
  if (series->isVisible()) {
    FillSeries(series, flow);
    MakeCurrent(series);
  } else {
    MakeCurrent(nullptr);
  }
}

void TGraphCurve::RefreshBranch(QTreeWidgetItem *node)
{
  if (!node)
    return;
  ++FRefreshDepth;
  RefreshNode(node);
  for (int i = 0; i < node->childCount(); ++i)
    RefreshBranch(node->child(i));
  --FRefreshDepth;
  if (FRefreshDepth == 0) {
    RaiseCurrent();
    Ui->TreeCalibration->viewport()->update();
  }
}

void TGraphCurve::RefreshAll()
{
  RefreshBranch(FWorkRoot);
  RefreshBranch(FOtherRoot);
}

void TGraphCurve::TreeCalibrationNodeCheckedChange(QTreeWidgetItem *node)
{
  const Qt::CheckState state = node->checkState(0);
  if (TBaseClass *data = DataOf(node))
    data->SetEnabled(state == Qt::Checked);
  for (int i = 0; i < node->childCount(); ++i)
    node->child(i)->setCheckState(0, state);
  Ui->TreeCalibration->viewport()->update();
}

void TGraphCurve::TreeCalibrationSelectionChange()
{
  QTreeWidgetItem *node = SelectedNode();
  TBaseClass *data = DataOf(node);
  if (!data)
    return;
  if (const TFlow *last = dynamic_cast<const TFlow *>(DataOf(FLastFlowNode))) {
    if (QLineSeries *series = FSeriesOfNode.value(FLastFlowNode)) {
      const SAxes axes = FAxesOfSeries.value(series);
      axes.Horz->setVisible(false);
      axes.Vert->setVisible(false);
      series->setVisible(last->IsVisibleData());
    }
  }
  auto *flow = dynamic_cast<TFlow *>(data);
  QLineSeries *series = FSeriesOfNode.value(node);
  if (flow && series) {
    series->setVisible(true);
    FillSeries(series, flow);
    MakeCurrent(series);
    FLastFlowNode = node;
  } else {
    FLastFlowNode = nullptr;
    MakeCurrent(nullptr);
  }
  UpdateActions();
}

void TGraphCurve::TreeCalibrationMouseUp(Qt::MouseButton button, QPoint viewportPos)
{
  if (button != Qt::RightButton)
    return;
  QTreeWidgetItem *node = Ui->TreeCalibration->itemAt(viewportPos);
  const TBaseClass *data = DataOf(node);
  if (!data)
    return;
  BuildPopupMenu(data);
  FPopupMenu->popup(Ui->TreeCalibration->viewport()->mapToGlobal(viewportPos));
}

QMenu *TGraphCurve::BuildPopupMenu(const TBaseClass *data)
{
  FPopupMenu->clear();
  UpdateActions();
  if (!data)
    return FPopupMenu;
  const QString typeName = data->TypeName();
  for (QAction *action : std::as_const(FActionList)) {
    const QString category = action->property("category").toString();
    if (category == QLatin1String("All") || category == typeName)
      FPopupMenu->addAction(action);
  }
  return FPopupMenu;
}

// ---------------------------------------------------------------------------------------------
// Mouse editing

QPoint TGraphCurve::PositionOf(const QXYSeries *series, double x, double y) const
{
  const QPointF inChart = FChart->mapToPosition(QPointF(x, y), const_cast<QXYSeries *>(series));
  return GraphUOZ->mapFromScene(FChart->mapToScene(inChart));
}

double TGraphCurve::ValueAt(const QXYSeries *series, QPoint viewportPos) const
{
  const QPointF inChart = FChart->mapFromScene(GraphUOZ->mapToScene(viewportPos));
  return FChart->mapToValue(inChart, const_cast<QXYSeries *>(series)).y();
}

// The point under the mouse: the current curve first, as it is drawn on top, then the others.
bool TGraphCurve::HitTest(QPoint viewportPos, QLineSeries *&series, int &index) const
{
  QList<QLineSeries *> order;
  if (FCurrent && FCurrent->isVisible())
    order << FCurrent;
  for (auto it = FCurves.crbegin(); it != FCurves.crend(); ++it)
    if (*it != FCurrent && (*it)->isVisible())
      order << *it;
  double best = HitRadius * HitRadius + 1;
  series = nullptr;
  index = -1;
  for (QLineSeries *curve : std::as_const(order)) {
    for (int i = 0; i < curve->count(); ++i) {
      const QPointF p = curve->at(i);
      const QPoint at = PositionOf(curve, p.x(), p.y());
      const double dx = at.x() - viewportPos.x();
      const double dy = at.y() - viewportPos.y();
      if (dx * dx + dy * dy < best) {
        best = dx * dx + dy * dy;
        series = curve;
        index = i;
      }
    }
    if (series)
      return true;
  }
  return false;
}

bool TGraphCurve::ChartMouseEvent(QEvent *event)
{
  auto *mouse = static_cast<QMouseEvent *>(event);
  const QPoint pos = mouse->position().toPoint();
  switch (event->type()) {
  case QEvent::MouseButtonPress: {
    QLineSeries *series = nullptr;
    int index = -1;
    if (HitTest(pos, series, index))
      GraphUOZClickSeries(series, index, mouse->button());
    return true;
  }
  case QEvent::MouseMove:
    GraphUOZMouseMove(mouse->buttons(), pos);
    return true;
  case QEvent::MouseButtonRelease:
    GraphUOZMouseUp(mouse->button());
    return true;
  default:
    return false;
  }
}

void TGraphCurve::GraphUOZClickSeries(QLineSeries *series, int valueIndex, Qt::MouseButton button)
{
  if (!series || !FNodeOfSeries.contains(series) || valueIndex < 0 || valueIndex >= series->count())
    return;
  FDragSeries = series;
  FDragIndex = valueIndex;
  QTreeWidgetItem *node = FNodeOfSeries.value(series);
  if (!node)
    return;
  Ui->TreeCalibration->setCurrentItem(node);
  TFlow *flow = dynamic_cast<TFlow *>(DataOf(node));
  if (!flow || !flow->IsEnabled()) {
    FDragSeries = nullptr;
    FDragIndex = -1;
    FDragStep = -1.0;
    return;
  }
  FDragStep = flow->GetStep();
  FDragBefore = Capture(flow);
  FHasDragBefore = true;
  const QPointF point = series->at(valueIndex);
  if (button == Qt::LeftButton) {
    MoveCursor(point.x(), point.y());
  } else if (button == Qt::RightButton) {
    Freeze(flow, flow->FreezePoint() == valueIndex ? -1 : valueIndex);
    FFreezeIndex = flow->FreezePoint();
    FFreezeSeries->setVisible(FFreezeIndex >= 0);
    if (FFreezeIndex >= 0 && FFreezeIndex < series->count())
      MoveFreezeMarker(series->at(FFreezeIndex).x(), series->at(FFreezeIndex).y());
  }
}

void TGraphCurve::GraphUOZMouseMove(Qt::MouseButtons buttons, QPoint viewportPos)
{
  if (!(buttons & Qt::LeftButton) || !FDragSeries || FDragIndex < 0 || FDragStep <= 0.0)
    return;
  const QValueAxis *axis = VertAxisOf(FDragSeries);
  if (!axis)
    return;
  const double v = ValueAt(FDragSeries, viewportPos);
  if (v >= axis->max() || v <= axis->min())
    return;
  const double value = DragValue(v, FDragStep);
  const double x = FDragSeries->at(FDragIndex).x();
  if (FDragSeries->at(FDragIndex).y() != value)
    FDragSeries->replace(FDragIndex, QPointF(x, value));
  MoveCursor(x, value);
  if (FFreezeIndex == FDragIndex)
    MoveFreezeMarker(x, value);
}

void TGraphCurve::GraphUOZMouseUp(Qt::MouseButton)
{
  if (!FDragSeries || FDragIndex < 0)
    return;
  if (TFlow *flow = FlowOf(FDragSeries)) {
    const double stored = flow->SetPoint(FDragIndex, FDragSeries->at(FDragIndex).y());
    if (FFreezeIndex >= 0) {
      QList<QPointF> points = FDragSeries->points();
      for (int i = 0; i < points.size(); ++i)
        points[i].setY(flow->Value(i));
      FDragSeries->replace(points);
    } else if (stored >= flow->GetMin()) {
      const QPointF point = FDragSeries->at(FDragIndex);
      if (point.y() != stored)
        FDragSeries->replace(FDragIndex, QPointF(point.x(), stored));
    }
    if (FHasDragBefore)
      PushStep(tr("Edit point"), FDragBefore, Capture(flow));
  }
  FHasDragBefore = false;
  FDragSeries = nullptr;
  FDragIndex = -1;
  FDragStep = -1.0;
}

// ---------------------------------------------------------------------------------------------
// Actions

void TGraphCurve::UpdateActions()
{
  const TBaseClass *data = DataOf(SelectedNode());
  if (!data)
    return;
  for (const char *name : {"SetValues", "ChangeValues", "SetColor", "ClearFP", "ClearValues"})
    Action(name)->setEnabled(data->IsEnabled());
  if (const QLineSeries *series = FSeriesOfNode.value(SelectedNode()))
    Action("VisibleValues")->setChecked(series->pointLabelsVisible());
  Action("VisibleData")->setChecked(data->IsVisibleData());
}

void TGraphCurve::AutoCreateFlowsExecute()
{
  if (!WorkbenchPrompts::Instance().AskYesNo(this, tr("Attention!"), tr("Are you sure auto create flows?")))
    return;
  QTreeWidgetItem *node = SelectedNode();
  auto *calibration = dynamic_cast<TCalibration *>(DataOf(node));
  if (!calibration)
    return;
  ChangeModel(calibration, tr("Autocreate flows"), [&] { calibration->CreateFlows(); });
  RefreshBranch(node);
  WorkbenchPrompts::Instance().Inform(this, windowTitle(), tr("Flows created"));
}

std::optional<double> TGraphCurve::AskValue(TBaseClass *data)
{
  TSetData dialog(parentWidget() ? parentWidget() : this, data);
  // "Close" cancels: only a value confirmed with "Apply" is written.
  if (dialog.exec() != QDialog::Accepted)
    return std::nullopt;
  return dialog.GetValue();
}

void TGraphCurve::SetValuesExecute()
{
  QTreeWidgetItem *node = SelectedNode();
  TBaseClass *data = DataOf(node);
  if (!data)
    return;
  const std::optional<double> value = AskValue(data);
  if (!value)
    return;
  ChangeModel(data, tr("Set values"), [&] { data->SetAll(*value); });
  RefreshBranch(node);
}

void TGraphCurve::ChangeValuesExecute()
{
  QTreeWidgetItem *node = SelectedNode();
  TBaseClass *data = DataOf(node);
  if (!data)
    return;
  const std::optional<double> value = AskValue(data);
  // Adding 0 would still run every point through the freeze-point rule; nothing is asked for.
  if (!value || *value == 0.0)
    return;
  ChangeModel(data, tr("Change values"), [&] { data->AddToAll(*value); });
  RefreshBranch(node);
}

void TGraphCurve::SetColorExecute()
{
  TBaseClass *data = DataOf(SelectedNode());
  if (!data || !data->IsEnabled())
    return;
  std::uint32_t color = FLastColor;
  if (!WorkbenchPrompts::Instance().ChooseColor(this, color))
    return;
  FLastColor = color;
  ChangeModel(data, tr("Set color"), [&] { data->SetColor(color); });
  Ui->TreeCalibration->viewport()->update();
}

void TGraphCurve::ClearFPExecute()
{
  TBaseClass *data = DataOf(SelectedNode());
  if (!data || !data->IsEnabled())
    return;
  ChangeModel(data, tr("Clear freeze point"), [&] { Freeze(data, -1); });
}

void TGraphCurve::ClearValuesExecute()
{
  TBaseClass *data = DataOf(SelectedNode());
  if (!data || !data->IsEnabled())
    return;
  ChangeModel(data, tr("Clear values"), [&] { data->SetAll(-100.0); });
}

void TGraphCurve::VisibleValuesExecute()
{
  // The menu has already inverted the checked state.
  if (QLineSeries *series = FSeriesOfNode.value(SelectedNode()))
    series->setPointLabelsVisible(Action("VisibleValues")->isChecked());
}

void TGraphCurve::VisibleDataExecute()
{
  QTreeWidgetItem *node = SelectedNode();
  TBaseClass *data = DataOf(node);
  if (!data)
    return;
  const bool visible = Action("VisibleData")->isChecked();
  ChangeModel(data, tr("Visible data on chart"), [&] { data->SetVisibleData(visible); });
  RefreshBranch(node);
}

// ---------------------------------------------------------------------------------------------
// Undo

void TGraphCurve::Freeze(TBaseClass *data, int index)
{
  data->SetFreezePoint(index);
  for (TFlow *flow : FlowsOf(data))
    if (flow->IsEnabled() && index >= -1 && index < flow->Count())
      KnownSnapshots().insert(flow, ValuesOf(flow));
}

SModelState TGraphCurve::Capture(TBaseClass *data) const
{
  SModelState state;
  if (auto *calibration = dynamic_cast<TCalibration *>(data))
    state.Calibrations.push_back({calibration, calibration->GetColor(), calibration->IsVisibleData()});
  for (TFlow *flow : FlowsOf(data)) {
    SFlowState s;
    s.Flow = flow;
    s.Values = ValuesOf(flow);
    s.Freeze = flow->FreezePoint();
    const auto known = KnownSnapshots().constFind(flow);
    s.SnapshotKnown = known != KnownSnapshots().constEnd();
    if (s.SnapshotKnown)
      s.Snapshot = *known;
    s.Color = flow->GetColor();
    s.VisibleData = flow->IsVisibleData();
    state.Flows.push_back(s);
  }
  return state;
}

template <typename TChange> void TGraphCurve::ChangeModel(TBaseClass *data, const QString &text, TChange change)
{
  SModelState before = Capture(data);
  change();
  PushStep(text, std::move(before), Capture(data));
}

void TGraphCurve::PushStep(const QString &text, SModelState before, SModelState after)
{
  if (before == after)
    return;
  FUndoStack->push(new TModelStep(this, text, std::move(before), std::move(after)));
}

// Values are written so that the freeze-point rule leaves each exactly as given: the frozen point
// first, then outward from the far ends toward it, so every point the rule moves on the way is
// written again afterwards.
void TGraphCurve::RestoreFlow(const SFlowState &state)
{
  TFlow *flow = state.Flow;
  const bool wasEnabled = flow->IsEnabled();
  flow->SetEnabled(true);
  const int count = flow->Count();
  const auto known = KnownSnapshots().constFind(flow);
  const bool snapshotDiffers = state.Freeze >= 0 && (known == KnownSnapshots().constEnd() || !state.SnapshotKnown ||
                                                      *known != state.Snapshot);
  if (flow->FreezePoint() != state.Freeze || snapshotDiffers) {
    flow->SetFreezePoint(-1);
    if (state.Freeze >= 0) {
      if (state.SnapshotKnown)
        for (int i = 0; i < count; ++i)
          flow->SetPoint(i, state.Snapshot[std::size_t(i)]);
      Freeze(flow, state.Freeze);
    }
  }
  const int f = flow->FreezePoint();
  if (f >= 0)
    flow->SetPoint(f, state.Values[std::size_t(f)]);
  for (int i = count - 1; i > f; --i)
    flow->SetPoint(i, state.Values[std::size_t(i)]);
  for (int i = 0; i < f; ++i)
    flow->SetPoint(i, state.Values[std::size_t(i)]);
  flow->SetColor(state.Color);
  flow->SetVisibleData(state.VisibleData);
  flow->SetEnabled(wasEnabled);
}

void TGraphCurve::ApplyState(const SModelState &state)
{
  for (const SCalibrationState &c : state.Calibrations) {
    c.Calibration->SetColor(c.Color);
    c.Calibration->SetVisibleData(c.VisibleData);
  }
  for (const SFlowState &s : state.Flows)
    RestoreFlow(s);
  for (const SFlowState &s : state.Flows) {
    QTreeWidgetItem *node = NodeOf(s.Flow);
    QLineSeries *series = FSeriesOfNode.value(node);
    if (!series)
      continue;
    FillSeries(series, s.Flow);
    series->setVisible(s.Flow->IsVisibleData() || node == FLastFlowNode);
  }
  UpdateMarkers();
  Ui->TreeCalibration->viewport()->update();
}

// ---------------------------------------------------------------------------------------------
// Events

void TGraphCurve::customEvent(QEvent *event)
{
  if (event->type() == WM_READINFO) {
    if (const auto *info = dynamic_cast<const TReadInfoEvent *>(event))
      ShowOnlinePoint(info->Info);
  } else if (event->type() == WM_CALIBRATIONCHANGED) {
    RefreshAll();
  } else {
    QWidget::customEvent(event);
  }
}

bool TGraphCurve::eventFilter(QObject *watched, QEvent *event)
{
  if (watched == GraphUOZ->viewport()) {
    switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseMove:
    case QEvent::MouseButtonRelease:
      return ChartMouseEvent(event);
    default:
      break;
    }
  } else if (watched == Ui->TreeCalibration->viewport() &&
             (event->type() == QEvent::MouseButtonPress || event->type() == QEvent::MouseButtonRelease)) {
    auto *mouse = static_cast<QMouseEvent *>(event);
    // A right click pops the menu up for the node under the mouse and leaves the selection.
    if (event->type() == QEvent::MouseButtonPress && mouse->button() == Qt::RightButton)
      return true;
    if (event->type() == QEvent::MouseButtonRelease && mouse->button() == Qt::RightButton) {
      TreeCalibrationMouseUp(mouse->button(), mouse->position().toPoint());
      return true;
    }
  }
  return QWidget::eventFilter(watched, event);
}
