// The dashboard's cost. First the paint of one gauge (face cached, and with the face rebuilt)
// and of a whole record on the open window; then the CPU time of the program itself (the main
// window, the polling thread and the dashboard from workbench.zex) over 10 s, connected to
// zolt-ecu and polling. Goal: below 5 % of one core.
//
// Run: build/bin/bench_dashboard [--seconds N] [--shot file.png] [--benchmark_filter=...]
// Under Xvfb: xvfb-run -s '-screen 0 1280x1024x24' build/bin/bench_dashboard (QT_QPA_PLATFORM
// unset picks the X server; offscreen is used when there is no display).

#include "analoggauge.h"
#include "calibration.h"
#include "communication.h"
#include "liverecord.h"
#include "mainwindow.h"
#include "messages.h"
#include "online.h"
#include "pluginman.h"
#include "virtualecu.h"
#include "waitfor.h"

#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QImage>
#include <QPainter>
#include <QSettings>
#include <QTemporaryDir>
#include <QTimer>
#include <benchmark/benchmark.h>
#include <cstdio>
#include <cstring>
#include <sys/resource.h>

namespace {

SGaugeSettings RpmSettings()
{
  SGaugeSettings s;
  s.Caption = QStringLiteral("RPM");
  s.ScaleEnd = 9000;
  s.GreenEnd = 6000;
  s.YellowEnd = 7000;
  s.MainTicks = 9;
  return s;
}

void PaintGauge(benchmark::State &state)
{
  TAnalogGauge gauge;
  gauge.SetSettings(RpmSettings());
  gauge.resize(TAnalogGauge::DesignSize, TAnalogGauge::DesignSize + 5);
  QImage target(gauge.size(), QImage::Format_ARGB32_Premultiplied);
  const bool rebuildFace = state.range(0) != 0;
  double rpm = 0;
  for (auto _ : state) {
    rpm = rpm >= 9000 ? 0 : rpm + 37;
    gauge.SetPosition(rpm);
    if (rebuildFace)
      gauge.SetSettings(gauge.Settings());
    QPainter painter(&target);
    gauge.Paint(painter);
  }
  state.SetLabel(rebuildFace ? "face rebuilt each time" : "face cached");
}
BENCHMARK(PaintGauge)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

void DashboardRecord(benchmark::State &state)
{
  TAllCalibration calibrations;
  TMessages messages;
  TOnline online(&calibrations, nullptr, &messages);
  online.show();
  QApplication::processEvents();
  SInfo info = MakeZeroInfo();
  for (auto _ : state) {
    info.RPM = (info.RPM + 53) % 9500;
    info.Advance = info.RPM / 300.0;
    info.AFR = 12 + info.RPM / 1000.0;
    info.Temp = 20 + info.RPM / 100;
    info.ErrMap = std::uint8_t(info.RPM % 2);
    online.WMReadInfo(info);
    online.repaint();   // the whole window, as each record would
  }
}
BENCHMARK(DashboardRecord)->Unit(benchmark::kMicrosecond);

double CpuSeconds()
{
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return double(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) + (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

// Counts the live records that reach a window.
class TRecordCounter : public QObject {
public:
  int Records = 0;
  bool eventFilter(QObject *, QEvent *event) override
  {
    Records += event->type() == WM_READINFO;
    return false;
  }
};

int MeasureCpu(int seconds, const QString &shot)
{
  TVirtualEcu ecu;
  if (!ecu.Start()) {
    std::printf("cpu: zolt-ecu did not start (%s)\n", qPrintable(TVirtualEcu::Program()));
    return 1;
  }
  QTemporaryDir dir;
  {
    QSettings ini(QDir(dir.path()).filePath(QStringLiteral("Setting.ini")), QSettings::IniFormat);
    ini.setValue(QStringLiteral("Main/Version"), QStringLiteral("ZFS001"));
    ini.setValue(QStringLiteral("Setting/ComPort"), ecu.PortName());
    ini.setValue(QStringLiteral("Setting/PlugIns"), QStringLiteral(ZOLT_BIN_DIR "/plugins"));
  }
  TMain main(dir.path(), {});
  main.show();
  if (main.PlugInMan()->ModuleCount() != 1) {
    std::printf("cpu: workbench.zex was not loaded from %s\n", ZOLT_BIN_DIR "/plugins");
    return 1;
  }
  main.A_ConnectExecute();
  QAction *dashboard = main.findChild<QAction *>(QStringLiteral("A_Dashboard"));
  dashboard->trigger();
  QWidget *online = nullptr;
  for (QWidget *w : QApplication::topLevelWidgets())
    if (qstrcmp(w->metaObject()->className(), "TOnline") == 0)
      online = w;
  if (!online || !WaitFor([&] { return !main.PanelText(1).isEmpty(); }, 10000)) {
    std::printf("cpu: no dashboard or no live data from the ECU\n");
    return 1;
  }
  TRecordCounter counter;
  online->installEventFilter(&counter);

  const double cpuBefore = CpuSeconds();
  QElapsedTimer wall;
  wall.start();
  QEventLoop loop;
  QTimer::singleShot(seconds * 1000, &loop, &QEventLoop::quit);
  loop.exec();
  const double cpu = CpuSeconds() - cpuBefore;
  const double elapsed = wall.elapsed() / 1000.0;
  std::printf("cpu: platform %s, %.1f s connected and polling with the dashboard open\n",
              qPrintable(QGuiApplication::platformName()), elapsed);
  std::printf("cpu: %d records shown (%.1f per s), ECU %s\n", counter.Records, counter.Records / elapsed,
              qPrintable(main.PanelText(1)));
  std::printf("cpu: Zolt used %.3f s of CPU = %.2f %% of one core (goal: below 5 %%)\n", cpu, 100.0 * cpu / elapsed);
  if (!shot.isEmpty())
    std::printf("cpu: dashboard saved to %s: %s\n", qPrintable(shot), online->grab().save(shot) ? "yes" : "no");
  online->removeEventFilter(&counter);
  main.A_DisconnectExecute();
  return 0;
}

}   // namespace

int main(int argc, char **argv)
{
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && qEnvironmentVariableIsEmpty("DISPLAY"))
    qputenv("QT_QPA_PLATFORM", "offscreen");
  int seconds = 10;
  QString shot;
  std::vector<char *> rest{argv[0]};
  for (int k = 1; k < argc; ++k) {
    if (std::strcmp(argv[k], "--seconds") == 0 && k + 1 < argc)
      seconds = std::max(1, std::atoi(argv[++k]));
    else if (std::strcmp(argv[k], "--shot") == 0 && k + 1 < argc)
      shot = QString::fromLocal8Bit(argv[++k]);
    else
      rest.push_back(argv[k]);
  }
  int restCount = int(rest.size());
  QApplication app(restCount, rest.data());
  benchmark::Initialize(&restCount, rest.data());
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return MeasureCpu(seconds, shot);
}
