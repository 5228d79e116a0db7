// Every test binary runs with a QApplication-free core application so that timers, queued calls
// and serial notifiers work; GUI test binaries link testmain_gui.cpp instead.
#include <QCoreApplication>
#include <gtest/gtest.h>

int main(int argc, char **argv)
{
  QCoreApplication app(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
