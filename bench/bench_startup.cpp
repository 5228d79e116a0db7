// Time from program start to the main window shown: the application object, the main window
// with its settings file, link and menu, and the first paint. Run: build/bin/bench_startup

#include "mainwindow.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <cstdio>

int main(int argc, char **argv)
{
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
    qputenv("QT_QPA_PLATFORM", "offscreen");
  QElapsedTimer clock;
  clock.start();
  QApplication app(argc, argv);
  const qint64 app_ms = clock.elapsed();
  QTemporaryDir dir;
  TMain window(dir.path(), {});
  window.show();
  QApplication::processEvents();
  window.repaint();
  const qint64 shown_ms = clock.elapsed();
  std::printf("application object: %lld ms\nmain window shown:  %lld ms (goal: well under 1 s)\n",
              static_cast<long long>(app_ms), static_cast<long long>(shown_ms));
  return 0;
}
