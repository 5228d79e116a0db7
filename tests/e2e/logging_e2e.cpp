// A drive recorded from the virtual ECU through the logging window and played back with the
// port closed: every display gets the same values in the same order.

#include "calibration.h"
#include "communication.h"
#include "datalog.h"
#include "logging.h"
#include "mainwindow.h"
#include "messages.h"
#include "online.h"
#include "analoggauge.h"
#include "scriptedprompts.h"
#include "tempdir.h"
#include "virtualecu.h"
#include "waitfor.h"
#include "wbprompts.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QListWidget>
#include <gtest/gtest.h>

namespace {

struct SSeen {
  int RecordNo;
  int Rpm;
  double Advance;
  int Temp;
  bool operator==(const SSeen &) const = default;
};

// A window of its own class that keeps the played records reaching it.
class TPlayWatcher : public QWidget {
public:
  std::vector<SSeen> Played;

protected:
  void customEvent(QEvent *event) override
  {
    if (event->type() != WM_READINFO)
      return;
    const SInfo &i = static_cast<TReadInfoEvent *>(event)->Info;
    if (i.RecordNo != 0)
      Played.push_back({i.RecordNo, i.RPM, i.Advance, i.Temp});
  }
};

using LoggingE2E = TTempDirTest;

}   // namespace

TEST_F(LoggingE2E, ADriveRecordedFromTheEcuPlaysBackTheSameOnEveryDisplay)
{
  TScriptedPrompts prompts;
  WorkbenchPrompts::Install(&prompts);
  TVirtualEcu ecu;
  ASSERT_TRUE(ecu.Start(TVirtualEcu::StateArgs(TempDir.path())));
  TMain main(TempDir.path(), {}, nullptr);
  main.Communication()->SetPortName(ecu.PortName());
  main.show();
  TOnline dashboard(main.Calibrations(), main.Communication(), main.Messages());
  dashboard.show();
  TPlayWatcher watcher;
  main.Messages()->Add(&watcher);
  TLogging logging(nullptr, main.Communication(), main.Messages());
  const QString logs = QDir(TempDir.path()).filePath(QStringLiteral("logs"));
  ASSERT_TRUE(QDir().mkpath(logs));
  logging.SetLogDirectory(logs);

  main.A_ConnectExecute();
  ASSERT_TRUE(WaitFor([&] { return main.Communication()->IsLinkAlive(); }, 3000));
  prompts.TextAnswers = {QStringLiteral("drive")};
  logging.A_RecExecute();
  ASSERT_TRUE(logging.IsRecording());
  const QString file = QDir(logs).filePath(QStringLiteral("drive.zlf"));
  const bool grew = WaitFor([&] { return QFileInfo(file).size() >= DataLog::SignatureSize + 12 * DataLog::RecordSize; }, 10000);
  ASSERT_TRUE(grew) << "recording " << logging.IsRecording() << " size " << QFileInfo(file).size() << " files "
                    << QDir(logs).entryList(QDir::Files).join(QLatin1Char(' ')).toStdString() << " message "
                    << prompts.LastMessage().toStdString();
  logging.A_StopExecute();
  main.A_DisconnectExecute();

  // What the log holds, record by record.
  QFile log(file);
  ASSERT_TRUE(log.open(QIODevice::ReadOnly));
  const int count = DataLog::RecordCountForSize(log.size());
  ASSERT_GE(count, 12);
  std::vector<SSeen> recorded;
  for (int k = 0; k < count; ++k) {
    SInfo r{};
    ASSERT_TRUE(DataLog::ReadRecord(log, k, r));
    recorded.push_back({r.RecordNo, r.RPM, r.Advance, r.Temp});
  }
  EXPECT_NE(recorded.front().Rpm, recorded.back().Rpm) << "the engine moved during the drive";

  auto *list = logging.findChild<QListWidget *>(QStringLiteral("FLBox"));
  const auto items = list->findItems(QStringLiteral("drive.zlf"), Qt::MatchExactly);
  ASSERT_EQ(items.size(), 1) << "the new file is listed";
  list->setCurrentItem(items.constFirst());
  logging.A_PlayExecute();
  ASSERT_TRUE(logging.IsPlaying()) << prompts.LastMessage().toStdString();

  // Halfway through, the dashboard shows the record just played.
  ASSERT_TRUE(WaitFor([&] { return int(watcher.Played.size()) >= count / 2; }, 10000));
  logging.A_PauseExecute();
  ASSERT_TRUE(WaitFor([&] { return logging.IsPlaybackHeld(); }));
  QCoreApplication::processEvents();
  EXPECT_DOUBLE_EQ(dashboard.Gauge("D_1")->Position(), float(watcher.Played.back().Rpm));
  EXPECT_DOUBLE_EQ(dashboard.Gauge("D_7")->Position(), float(watcher.Played.back().Advance));
  logging.A_PauseExecute();
  ASSERT_TRUE(WaitFor([&] { return !logging.IsPlaying(); }, 20000)) << "the end record stops the playback";
  EXPECT_EQ(watcher.Played, recorded);
  main.Messages()->Remove(&watcher);
  WorkbenchPrompts::Install(nullptr);
}
