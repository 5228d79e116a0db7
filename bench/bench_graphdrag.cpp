// The time the graphic editor takes for one drag move: the handler alone, and the handler with
// the repaint of the chart it causes, with every curve of the map on the chart.
// Run: QT_QPA_PLATFORM=offscreen bench_graphdrag
#include "calibration.h"
#include "graphcurve.h"
#include "messages.h"

#include <QApplication>
#include <QChartView>
#include <QElapsedTimer>
#include <QLineSeries>
#include <QMouseEvent>
#include <QTreeWidget>
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <vector>

namespace {

void Move(QWidget *viewport, QPoint at)
{
  QMouseEvent move(QEvent::MouseMove, QPointF(at), viewport->mapToGlobal(QPointF(at)), Qt::NoButton, Qt::LeftButton,
                   Qt::NoModifier);
  QCoreApplication::sendEvent(viewport, &move);
}

struct SFigures {
  double Median = 0, P95 = 0, Max = 0;
};

SFigures Figures(std::vector<double> times)
{
  std::sort(times.begin(), times.end());
  return {times[times.size() / 2], times[times.size() * 95 / 100], times.back()};
}

} // namespace

int main(int argc, char **argv)
{
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
    qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  TAllCalibration calibrations;
  TMessages messages;
  for (int index = 0; index < 4; ++index) {
    TCalibration *map = calibrations.GetCalibration(0, index);
    map->SetEnabled(true);
    for (int k = 0; k < map->Count(); ++k)
      for (int i = 0; i < 27; ++i)
        map->Flow(k)->SetPoint(i, 10 + i - 0.5 * k);
    map->SetVisibleData(true);
  }
  auto *window = new TGraphCurve(nullptr, &calibrations, nullptr, &messages);
  window->resize(1000, 700);
  window->show();
  for (int i = 0; i < 5; ++i)
    QCoreApplication::processEvents();
  TFlow *flow = calibrations.GetCalibration(0, 0)->Flow(7);
  window->Tree()->setCurrentItem(window->NodeOf(flow));
  for (int i = 0; i < 5; ++i)
    QCoreApplication::processEvents();

  QLineSeries *series = window->SeriesOf(flow);
  QWidget *viewport = window->ChartView()->viewport();
  const QPoint start = window->PositionOf(series, series->at(13).x(), series->at(13).y());
  const QPoint low = window->PositionOf(series, series->at(13).x(), 15.0);
  const QPoint high = window->PositionOf(series, series->at(13).x(), 45.0);
  QMouseEvent press(QEvent::MouseButtonPress, QPointF(start), viewport->mapToGlobal(QPointF(start)), Qt::LeftButton,
                    Qt::LeftButton, Qt::NoModifier);
  QCoreApplication::sendEvent(viewport, &press);

  const int moves = 2000;
  std::vector<double> handler, withPaint;
  QElapsedTimer timer;
  for (int n = 0; n < moves; ++n) {
    const QPoint at(start.x(), low.y() + (high.y() - low.y()) * (n % 100) / 99);
    timer.start();
    Move(viewport, at);
    handler.push_back(timer.nsecsElapsed() / 1e6);
  }
  for (int n = 0; n < moves / 4; ++n) {
    const QPoint at(start.x(), low.y() + (high.y() - low.y()) * (n % 100) / 99);
    timer.start();
    Move(viewport, at);
    viewport->repaint();
    withPaint.push_back(timer.nsecsElapsed() / 1e6);
  }
  QMouseEvent release(QEvent::MouseButtonRelease, QPointF(start), viewport->mapToGlobal(QPointF(start)),
                      Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
  QCoreApplication::sendEvent(viewport, &release);

  const SFigures h = Figures(handler);
  const SFigures p = Figures(withPaint);
  std::printf("graph drag move, %d curves on the chart, 1000 x 700 window\n", 64);
  std::printf("  handler only:        median %.3f ms  p95 %.3f ms  max %.3f ms  (%d moves)\n", h.Median, h.P95, h.Max,
              moves);
  std::printf("  handler + repaint:   median %.3f ms  p95 %.3f ms  max %.3f ms  (%d moves)\n", p.Median, p.P95, p.Max,
              moves / 4);
  std::printf("  goal: under 5 ms per move; stored value after release %.1f\n", flow->Value(13));
  delete window;
  return 0;
}
