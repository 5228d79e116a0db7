// CPU time of the program while connected to zolt-ecu and polling, as a share of one core:
// the main window, the link's receive path and the polling thread, no plug-in windows.
// Goal: below 2 % of one core. Run: build/bin/bench_polling [--seconds N]

#include "communication.h"
#include "mainwindow.h"
#include "messages.h"
#include "virtualecu.h"
#include "waitfor.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QEventLoop>
#include <QTimer>
#include <cstdio>
#include <sys/resource.h>

namespace {

double CpuSeconds()
{
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return usage.ru_utime.tv_sec + usage.ru_stime.tv_sec + (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

class TCounter : public QWidget {
public:
  int Records = 0;

protected:
  void customEvent(QEvent *event) override
  {
    if (event->type() == WM_READINFO)
      ++Records;
  }
};

}   // namespace

int main(int argc, char **argv)
{
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && qEnvironmentVariableIsEmpty("DISPLAY"))
    qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  int seconds = 10;
  for (int k = 1; k + 1 < argc; ++k)
    if (qstrcmp(argv[k], "--seconds") == 0)
      seconds = std::atoi(argv[k + 1]);
  QTemporaryDir dir;
  TVirtualEcu ecu;
  if (!ecu.Start(TVirtualEcu::StateArgs(dir.path()))) {
    std::fprintf(stderr, "bench_polling: zolt-ecu did not start\n");
    return 1;
  }
  TMain window(dir.path(), {});
  window.Communication()->SetPortName(ecu.PortName());
  TCounter counter;
  window.Messages()->Add(&counter);
  window.show();
  window.A_ConnectExecute();
  if (!WaitFor([&] { return !window.PanelText(1).isEmpty(); }, 5000)) {
    std::fprintf(stderr, "bench_polling: the ECU was not identified\n");
    return 1;
  }
  counter.Records = 0;
  const double cpuStart = CpuSeconds();
  QElapsedTimer clock;
  clock.start();
  QEventLoop loop;
  QTimer::singleShot(seconds * 1000, &loop, &QEventLoop::quit);
  loop.exec();
  const double wall = clock.elapsed() / 1000.0;
  const double cpu = CpuSeconds() - cpuStart;
  std::printf("connected and polling for %.1f s: CPU %.3f s = %.2f %% of one core (goal below 2 %%), %d records "
              "(%.1f a second)\n",
              wall, cpu, 100.0 * cpu / wall, counter.Records, counter.Records / wall);
  window.Messages()->Remove(&counter);
  window.A_DisconnectExecute();
  return 0;
}
