#pragma once
// A graphic editor over a calibration set of its own, shown offscreen, with prompts answered
// from a script; helpers that drive the chart with real mouse events.

#include "calibration.h"
#include "graphcurve.h"
#include "messages.h"
#include "scriptedprompts.h"
#include "tempdir.h"
#include "waitfor.h"
#include "wbprompts.h"

#include <QChart>
#include <QChartView>
#include <QLineSeries>
#include <QPointer>
#include <QScatterSeries>
#include <QTest>
#include <QTreeWidget>
#include <QValueAxis>
#include <memory>

class TGraphCurveTest : public TTempDirTest {
protected:
  void SetUp() override
  {
    TTempDirTest::SetUp();
    WorkbenchPrompts::Install(&Prompts);
  }
  void TearDown() override
  {
    delete Window.data();
    WorkbenchPrompts::Install(nullptr);
  }

  // Opens the window; the model may be prepared before.
  TGraphCurve *Open(QSize size = {})
  {
    Window = new TGraphCurve(nullptr, &Calibrations, nullptr, &Messages);
    if (size.isValid())
      Window->resize(size);
    Window->show();
    EXPECT_TRUE(QTest::qWaitForWindowExposed(Window.data()));
    Settle();
    return Window.data();
  }
  // Lets the layout and the chart catch up with a resize or a show.
  // (a resize lays the chart out, which sets the plot area, which lays it out again).
  void Settle()
  {
    for (int pass = 0; pass < 4; ++pass) {
      QCoreApplication::sendPostedEvents();
      QCoreApplication::processEvents();
      // The chart drops the items of a series taken out and put back with deleteLater, which a
      // test without a running event loop must deliver itself.
      QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
  }

  TCalibration *Work(int index) { return Calibrations.GetCalibration(0, index); }
  TCalibration *Other(int index) { return Calibrations.GetCalibration(1, index); }
  QTreeWidgetItem *Node(const TBaseClass *data) { return Window->NodeOf(data); }
  QLineSeries *Series(const TFlow *flow) { return Window->SeriesOf(flow); }
  void Select(const TBaseClass *data) { Window->Tree()->setCurrentItem(Node(data)); }
  QWidget *Viewport() { return Window->ChartView()->viewport(); }

  // Where point i of a flow's curve is drawn now.
  QPoint PointAt(const TFlow *flow, int i)
  {
    QLineSeries *series = Series(flow);
    return Window->PositionOf(series, series->at(i).x(), series->at(i).y());
  }
  // The viewport row at x whose value on the flow's axis is nearest to value.
  QPoint RowFor(const TFlow *flow, int x, double value)
  {
    QLineSeries *series = Series(flow);
    QPoint best(x, 0);
    double bestError = 1e300;
    for (int y = 0; y < Viewport()->height(); ++y) {
      const double error = std::abs(Window->ValueAt(series, QPoint(x, y)) - value);
      if (error < bestError) {
        bestError = error;
        best.setY(y);
      }
    }
    return best;
  }
  // Press on point i, move through the given positions, release at the last.
  void Drag(const TFlow *flow, int i, const QList<QPoint> &moves, Qt::MouseButton button = Qt::LeftButton)
  {
    const QPoint start = PointAt(flow, i);
    QTest::mousePress(Viewport(), button, {}, start);
    QPoint last = start;
    for (const QPoint &to : moves) {
      QTest::mouseMove(Viewport(), to);
      last = to;
    }
    QTest::mouseRelease(Viewport(), button, {}, last);
  }
  void RightClick(const TFlow *flow, int i) { Drag(flow, i, {}, Qt::RightButton); }

  // Every value, the freeze point, colour and flag of the eight calibrations the editor shows.
  struct SModelCopy {
    std::vector<double> Values;
    std::vector<int> Freeze;
    std::vector<std::uint32_t> Colors;
    std::vector<bool> Visible;
    bool operator==(const SModelCopy &) const = default;
  };
  SModelCopy CopyModel()
  {
    SModelCopy copy;
    for (int group = 0; group < 2; ++group)
      for (int index = 0; index < 4; ++index) {
        TCalibration *c = Calibrations.GetCalibration(group, index);
        copy.Colors.push_back(c->GetColor());
        copy.Visible.push_back(c->IsVisibleData());
        for (int k = 0; k < c->Count(); ++k) {
          const TFlow *flow = c->Flow(k);
          for (int i = 0; i < flow->Count(); ++i)
            copy.Values.push_back(flow->Value(i));
          copy.Freeze.push_back(flow->FreezePoint());
          copy.Colors.push_back(flow->GetColor());
          copy.Visible.push_back(flow->IsVisibleData());
        }
      }
    return copy;
  }
  // The curve shows the flow's values.
  static bool Shows(QLineSeries *series, const TFlow *flow)
  {
    if (!series || series->count() != flow->Count())
      return false;
    for (int i = 0; i < flow->Count(); ++i)
      if (series->at(i).y() != flow->Value(i) || series->at(i).x() != flow->AxisValue(i))
        return false;
    return true;
  }

  TAllCalibration Calibrations;
  TMessages Messages;
  TScriptedPrompts Prompts;
  QPointer<TGraphCurve> Window;
};

#include "setdata.h"

#include <QApplication>
#include <QPushButton>
#include <QTimer>

// Answers the next value dialog once it is up: types the text into its field and presses
// "Apply" or "Close". Records what the dialog offered.
struct SDialogAnswer {
  QString Typed;
  bool Apply = true;
  bool Seen = false;
  double Minimum = 0, Maximum = 0, Step = 0, Start = 0;
};

inline void AnswerValueDialog(SDialogAnswer *answer)
{
  auto *timer = new QTimer;
  timer->setInterval(5);
  QObject::connect(timer, &QTimer::timeout, timer, [answer, timer] {
    auto *dialog = qobject_cast<TSetData *>(QApplication::activeModalWidget());
    if (!dialog)
      return;
    timer->stop();
    timer->deleteLater();
    auto *field = dialog->findChild<QDoubleSpinBox *>(QStringLiteral("Data"));
    answer->Seen = true;
    answer->Minimum = field->minimum();
    answer->Maximum = field->maximum();
    answer->Step = field->singleStep();
    answer->Start = field->value();
    if (!answer->Typed.isEmpty()) {
      field->selectAll();
      QTest::keyClicks(field, answer->Typed);
    }
    dialog->findChild<QPushButton *>(answer->Apply ? QStringLiteral("Good") : QStringLiteral("Abort"))->click();
  });
  timer->start();
}
