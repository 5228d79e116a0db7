// The link against the virtual ECU over a real pseudo-terminal.

#include "calibrationtransfer.h"
#include "communication.h"
#include "tempdir.h"
#include "virtualecu.h"
#include "waitfor.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QRegularExpression>
#include <gtest/gtest.h>

#include <cstring>

namespace {

class LinkE2E : public TTempDirTest {
protected:
  bool Connect(const QStringList &ecuArgs)
  {
    if (!Ecu.Start(TVirtualEcu::StateArgs(TempDir.path()) + ecuArgs))
      return false;
    return Link.OpenPort(Ecu.PortName()) && WaitFor([this] { return Link.IsLinkAlive(); });
  }
  TVirtualEcu Ecu;
  TCommunication Link;
};

QByteArray Bytes(const std::uint8_t *data, int n) { return QByteArray(reinterpret_cast<const char *>(data), n); }

}   // namespace

TEST_F(LinkE2E, ReadsTheIdentity)
{
  ASSERT_TRUE(Connect({QStringLiteral("--version-text"), QStringLiteral("ZOLT 3.01"), QStringLiteral("--identifier"),
                       QStringLiteral("00C0FFEE"), QStringLiteral("--flags"), QStringLiteral("1")}));
  SVersionFirmware identity;
  ASSERT_TRUE(Link.ReadVersion(identity));
  EXPECT_EQ(identity.Version, QStringLiteral("ZOLT 3.01"));
  EXPECT_EQ(identity.Id, QStringLiteral("00C0FFEE"));
  EXPECT_EQ(identity.FlagLetters(), QStringLiteral("F"));
}

TEST_F(LinkE2E, WrittenBlocksReadBackEqual)
{
  ASSERT_TRUE(Connect({QStringLiteral("--no-pacing")}));
  std::uint8_t params[50], paramsExt[10], block[64];
  for (int k = 0; k < 50; ++k)
    params[k] = std::uint8_t(200 - k);
  for (int k = 0; k < 10; ++k)
    paramsExt[k] = std::uint8_t(k * 11);
  for (int k = 0; k < 64; ++k)
    block[k] = std::uint8_t(k + 30);
  ASSERT_TRUE(Link.WriteParameters(params));
  ASSERT_TRUE(Link.WriteExtraParameters(paramsExt));
  ASSERT_TRUE(Link.WriteCalibrationBlock(block, 64, 3, 10));

  std::uint8_t readParams[50] = {}, readExt[10] = {}, readBlock[64] = {};
  EXPECT_EQ(Link.ReadParameters(readParams), 50);
  EXPECT_EQ(Link.ReadExtraParameters(readExt), 10);
  EXPECT_EQ(Link.ReadCalibrationBlock(readBlock, 64, 3, 10), 64);
  EXPECT_EQ(Bytes(readParams, 50), Bytes(params, 50));
  EXPECT_EQ(Bytes(readExt, 10), Bytes(paramsExt, 10));
  EXPECT_EQ(Bytes(readBlock, 64), Bytes(block, 64));
}

TEST_F(LinkE2E, DroppedAnswersAreResentUntilEveryReadIsRight)
{
  // The same memory read from a faultless ECU and from one that drops three answers in ten.
  SCalibrationImage clean, lossy;
  {
    ASSERT_TRUE(Connect({QStringLiteral("--no-pacing")}));
    TCalibrationTransfer transfer(Link, [](int) {}, {});
    ASSERT_EQ(transfer.Read(clean), TCalibrationTransfer::EResult::Done);
    Link.ClosePort();
    Ecu.Stop();
  }
  ASSERT_TRUE(Connect({QStringLiteral("--no-pacing"), QStringLiteral("--drop-answers"), QStringLiteral("0.3"),
                       QStringLiteral("--seed"), QStringLiteral("11")}));
  TCalibrationTransfer transfer(Link, [](int) {}, {});
  ASSERT_EQ(transfer.Read(lossy), TCalibrationTransfer::EResult::Done);
  EXPECT_EQ(lossy.Blocks, clean.Blocks);
  EXPECT_EQ(lossy.Tables, clean.Tables);
  EXPECT_EQ(lossy.Table4, clean.Table4);
  EXPECT_NE(clean.Blocks, SCalibrationImage{}.Blocks) << "the ECU's memory is not empty, so a read that stored nothing fails";
}

TEST_F(LinkE2E, ASilentLineEndsTheWaitAndTheLink)
{
  ASSERT_TRUE(Connect({QStringLiteral("--no-pacing"), QStringLiteral("--silent-after-ms"), QStringLiteral("200")}));
  std::uint8_t block[64];
  int reads = 0;
  while (Link.ReadCalibrationBlock(block, 64, 0, 0) > 0)
    ASSERT_LT(++reads, 10000);
  EXPECT_GT(reads, 0) << "the ECU answered before it fell silent";
  EXPECT_TRUE(WaitFor([this] { return !Link.IsLinkAlive(); }));
  EXPECT_EQ(Link.ReadParameters(block), 0);
}

TEST_F(LinkE2E, WrongEchoesFirstStillGiveTheRightBlocks)
{
  ASSERT_TRUE(Connect({QStringLiteral("--no-pacing"), QStringLiteral("--wrong-echo-first")}));
  std::uint8_t first[64] = {}, again[64] = {};
  ASSERT_EQ(Link.ReadCalibrationBlock(first, 64, 1, 2), 64);
  ASSERT_EQ(Link.ReadCalibrationBlock(again, 64, 1, 2), 64);
  EXPECT_EQ(Bytes(first, 64), Bytes(again, 64));
}

namespace {

struct SCliRun {
  int Exit;
  QString Out, Err;
};

SCliRun RunCli(const QStringList &args)
{
  QProcess cli;
  cli.start(QStringLiteral(ZOLT_BIN_DIR "/zolt-cli"), args);
  cli.waitForFinished(20000);
  return {cli.exitStatus() == QProcess::NormalExit ? cli.exitCode() : -1, QString::fromUtf8(cli.readAllStandardOutput()),
          QString::fromUtf8(cli.readAllStandardError())};
}

}   // namespace

TEST_F(LinkE2E, CliInfoPrintsThreeLinesOrOneErrorLine)
{
  ASSERT_TRUE(Ecu.Start({QStringLiteral("--flags"), QStringLiteral("2")}));
  const SCliRun ok = RunCli({QStringLiteral("--port"), Ecu.PortName(), QStringLiteral("info")});
  EXPECT_EQ(ok.Exit, 0) << ok.Err.toStdString();
  EXPECT_EQ(ok.Out, QStringLiteral("version: ZOLT 2.15\nid: 1234ABCD\nflags: I\n"));
  Ecu.Stop();

  // An ECU that never speaks first: the manager never hears it and gives up.
  ASSERT_TRUE(Ecu.Start({QStringLiteral("--live-interval-ms"), QStringLiteral("0"), QStringLiteral("--extra-interval-ms"),
                         QStringLiteral("0")}));
  const SCliRun mute = RunCli({QStringLiteral("--port"), Ecu.PortName(), QStringLiteral("info")});
  EXPECT_EQ(mute.Exit, 1);
  EXPECT_EQ(mute.Err.count(QLatin1Char('\n')), 1);
  EXPECT_TRUE(mute.Out.isEmpty());

  const SCliRun missing = RunCli({QStringLiteral("--port"), Path(QStringLiteral("no-such-port")), QStringLiteral("info")});
  EXPECT_EQ(missing.Exit, 1);
  EXPECT_TRUE(missing.Err.startsWith(QStringLiteral("zolt-cli: cannot open")));
}

TEST_F(LinkE2E, CliLivePrintsTheHeaderAndTheRowsAsked)
{
  ASSERT_TRUE(Ecu.Start());
  const SCliRun live = RunCli({QStringLiteral("--port"), Ecu.PortName(), QStringLiteral("live"), QStringLiteral("--count"),
                               QStringLiteral("5")});
  EXPECT_EQ(live.Exit, 0) << live.Err.toStdString();
  const QStringList lines = live.Out.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
  ASSERT_EQ(lines.size(), 6);
  EXPECT_TRUE(lines[0].startsWith(QStringLiteral("WorkMode,TestMode,ActiveTable,")));
  EXPECT_TRUE(lines[0].endsWith(QStringLiteral(",Valid,ReadTime")));
  for (const QString &row : lines.mid(1))
    EXPECT_EQ(row.count(QLatin1Char(',')), 29);
}

TEST_F(LinkE2E, CliParametersAndCalibrationsGoThroughTextAndFilesUnchanged)
{
  ASSERT_TRUE(Ecu.Start(TVirtualEcu::StateArgs(TempDir.path()) + QStringList{QStringLiteral("--no-pacing")}));
  const QString port = Ecu.PortName();
  const SCliRun params = RunCli({QStringLiteral("--port"), port, QStringLiteral("read-params")});
  ASSERT_EQ(params.Exit, 0) << params.Err.toStdString();
  ASSERT_TRUE(params.Out.contains(QStringLiteral("\"CylCount\"")));

  // Change one field in the document and write it: only that field changes on the ECU.
  QString edited = params.Out;
  edited.replace(QRegularExpression(QStringLiteral("\"Oktan\": [-0-9.]+")), QStringLiteral("\"Oktan\": 3.5"));
  QFile doc(Path(QStringLiteral("car.json")));
  ASSERT_TRUE(doc.open(QIODevice::WriteOnly));
  doc.write(edited.toUtf8());
  doc.close();
  const SCliRun write = RunCli({QStringLiteral("--port"), port, QStringLiteral("write-params"), doc.fileName()});
  ASSERT_EQ(write.Exit, 0) << write.Err.toStdString();
  const SCliRun again = RunCli({QStringLiteral("--port"), port, QStringLiteral("read-params")});
  ASSERT_EQ(again.Exit, 0);
  auto raw = [](const QString &json) {
    return QJsonDocument::fromJson(json.toUtf8()).object()[QStringLiteral("raw")].toObject()[QStringLiteral("params")].toArray();
  };
  const QJsonArray before = raw(params.Out), after = raw(again.Out);
  ASSERT_EQ(after.size(), 50);
  for (int k = 0; k < 50; ++k)
    EXPECT_EQ(after[k].toInt(), k == 2 ? 7 : before[k].toInt()) << "byte " << k;

  // A calibration read into a file and written back passes its read-back check.
  const QString file = Path(QStringLiteral("car.zf2"));
  const SCliRun read = RunCli({QStringLiteral("--port"), port, QStringLiteral("read-calibration"), file});
  ASSERT_EQ(read.Exit, 0) << read.Err.toStdString();
  const SCliRun back = RunCli({QStringLiteral("--port"), port, QStringLiteral("write-calibration"), file});
  EXPECT_EQ(back.Exit, 0) << back.Err.toStdString();
  const SCliRun shown = RunCli({QStringLiteral("show"), file});
  ASSERT_EQ(shown.Exit, 0);
  EXPECT_EQ(QJsonDocument::fromJson(shown.Out.toUtf8()).object().value(QStringLiteral("calibrations")).toArray().size(), 14);
}
