// Firmware upload through the virtual ECU's bootloader, from zolt-cli and from the main window,
// and a packet log recorded against the ECU and played back by it.

#include "communication.h"
#include "ecumemory.h"
#include "ecustatefile.h"
#include "mainwindow.h"
#include "records.h"
#include "scriptedprompts.h"
#include "tempdir.h"
#include "virtualecu.h"
#include "waitfor.h"

#include <QFile>
#include <QProcess>
#include <gtest/gtest.h>

#include <cstring>

namespace {

// 1 KiB: 16 blocks, well under a second at 57600 baud.
constexpr int ImageSize = 1024;

QByteArray Image(int size, int seed)
{
  QByteArray b(size, '\0');
  for (int k = 0; k < size; ++k)
    b[k] = char((k * 31 + seed) ^ (k >> 6));
  return b;
}

// How a bootloader behaves and what the technician is told.
struct SUploadCase {
  const char *Name;
  QStringList BootArgs;
  bool Loaded;
};

const SUploadCase UploadCases[] = {
  {"complete", {}, true},
  {"stalls", {"--boot-stall-after", "3"}, false},
  {"fails", {"--boot-fail-after", "5"}, false},
};

class FirmwareE2E : public TTempDirTest {
protected:
  // Each case keeps its ECU's memory in a file of its own.
  bool StartEcu(const char *name, const QStringList &bootArgs)
  {
    StateName = QString::fromLatin1(name) + QStringLiteral(".state");
    return Ecu.Start(TVirtualEcu::StateArgs(TempDir.path(), StateName) +
                     QStringList{"--flash-size", QString::number(ImageSize)} + bootArgs);
  }
  QString WriteFile(const QByteArray &bytes)
  {
    const QString path = Path(QStringLiteral("new.zbf"));
    QFile f(path);
    EXPECT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
    return path;
  }
  // The image the ECU keeps, read from its state file after it stopped.
  QByteArray StoredFirmware()
  {
    EXPECT_TRUE(Ecu.Stop());
    TEcuMemory memory;
    QString error;
    EXPECT_TRUE(TEcuStateFile::Load(memory, Path(StateName), &error)) << error.toStdString();
    return memory.Firmware;
  }
  // The ECU answers at 9600 baud again: it has left its bootloader.
  bool ReadsVersion()
  {
    TCommunication link;
    SVersionFirmware identity;
    return link.OpenPort(Ecu.PortName()) && WaitFor([&] { return link.IsLinkAlive(); }) &&
           link.ReadVersion(identity) && identity.Version == QStringLiteral("ZOLT 2.15");
  }

  TVirtualEcu Ecu;
  QString StateName;
};

}   // namespace

TEST_F(FirmwareE2E, CliUpload)
{
  for (const SUploadCase &c : UploadCases) {
    SCOPED_TRACE(c.Name);
    ASSERT_TRUE(StartEcu(c.Name, c.BootArgs));
    const QByteArray file = Image(ImageSize, 1);
    QProcess cli;
    cli.start(QStringLiteral(ZOLT_BIN_DIR "/zolt-cli"),
              {"--port", Ecu.PortName(), "write-firmware", WriteFile(file)});
    ASSERT_TRUE(cli.waitForFinished(20000));
    const QString out = QString::fromUtf8(cli.readAllStandardOutput());
    const QString err = QString::fromUtf8(cli.readAllStandardError());
    EXPECT_EQ(cli.exitCode() == 0, c.Loaded) << err.toStdString();
    EXPECT_EQ(out.contains(QStringLiteral("Firmware is loaded")), c.Loaded);
    EXPECT_EQ(err.contains(QStringLiteral("Failed to load firmware")), !c.Loaded) << err.toStdString();
    EXPECT_TRUE(ReadsVersion());
    EXPECT_EQ(StoredFirmware(), c.Loaded ? file : QByteArray());
  }
}

TEST_F(FirmwareE2E, ProgramUploadThenTheLinkWorksAt9600)
{
  for (const SUploadCase &c : UploadCases) {
    SCOPED_TRACE(c.Name);
    ASSERT_TRUE(StartEcu(c.Name, c.BootArgs));
    const QByteArray file = Image(ImageSize, 2);
    TScriptedPrompts prompts;
    prompts.YesNoAnswers = {false};
    prompts.FileAnswers = {WriteFile(file)};
    auto main = std::make_unique<TMain>(TempDir.path(), QStringList{}, nullptr);
    main->Communication()->SetPortName(Ecu.PortName());
    main->show();

    main->A_WriteFirmwareExecute();
    EXPECT_EQ(prompts.LastMessage(), c.Loaded ? QStringLiteral("Firmware is loaded") : QStringLiteral("Failed to load firmware"));
    SFW state;
    main->Communication()->GetFirmwareState(state);
    EXPECT_FALSE(state.LoaderMode);
    if (c.Loaded) {
      EXPECT_EQ(state.Id, QStringLiteral("5A4F4C54"));
    } else {
      // A failed upload ends the connection; Connect then finds the ECU in normal operation.
      EXPECT_FALSE(main->Communication()->IsPortOpen());
      main->A_ConnectExecute();
    }
    // Polling at 9600 baud reads the identity onto the status bar.
    EXPECT_TRUE(WaitFor([&] { return !main->PanelText(1).isEmpty(); }, 5000));
    main->A_DisconnectExecute();
    main.reset();
    EXPECT_EQ(StoredFirmware(), c.Loaded ? file : QByteArray());
  }
}

namespace {

// The payloads of the live packets in a packet log, in order.
std::vector<QByteArray> LivePayloads(const QString &path)
{
  QFile f(path);
  EXPECT_TRUE(f.open(QIODevice::ReadOnly)) << path.toStdString();
  const QByteArray bytes = f.readAll();
  std::vector<QByteArray> live;
  for (qsizetype at = 0; at + qsizetype(sizeof(SPacket)) <= bytes.size(); at += sizeof(SPacket)) {
    SPacket p;
    std::memcpy(&p, bytes.constData() + at, sizeof p);
    if (p.Type == 1)
      live.emplace_back(reinterpret_cast<const char *>(p.Data), p.Length);
  }
  return live;
}

// Polls the live data like the polling thread, count times; the link's packet log records
// everything that came meanwhile.
void Poll(const QString &port, const QString &logPath, int count)
{
  TCommunication link(nullptr, logPath);
  ASSERT_TRUE(link.IsLogEnabled());
  ASSERT_TRUE(link.OpenPort(port));
  ASSERT_TRUE(WaitFor([&] { return link.IsLinkAlive(); }));
  SVersionFirmware identity;
  SInfo info;
  for (int k = 0; k < count; ++k)
    ASSERT_TRUE(link.ReadInfo(info, identity)) << k;
}

}   // namespace

TEST_F(FirmwareE2E, ReplayPlaysTheRecordedSessionBack)
{
  TVirtualEcu ecu;
  ASSERT_TRUE(ecu.Start({"--live-interval-ms", "60"}));
  const QString recorded = Path(QStringLiteral("Log.zlp"));
  Poll(ecu.PortName(), recorded, 12);
  ASSERT_TRUE(ecu.Stop());
  const std::vector<QByteArray> original = LivePayloads(recorded);
  ASSERT_GE(original.size(), 12u);

  // The desk ECU plays the session back; another log records what the manager saw.
  ASSERT_TRUE(ecu.Start({"--live-interval-ms", "60", "--replay", recorded}));
  const QString replayed = Path(QStringLiteral("Replay.zlp"));
  Poll(ecu.PortName(), replayed, int(original.size()) + 3);
  ASSERT_TRUE(ecu.Stop());
  const std::vector<QByteArray> seen = LivePayloads(replayed);
  ASSERT_GT(seen.size(), original.size());
  EXPECT_EQ(std::vector<QByteArray>(seen.begin(), seen.begin() + qsizetype(original.size())), original);
  // The engine model moves: its own packets after the log would not have matched by chance.
  EXPECT_NE(original.front(), original.back());
}

TEST_F(FirmwareE2E, ReplayRefusesADamagedLog)
{
  QFile f(Path(QStringLiteral("Log.zlp")));
  ASSERT_TRUE(f.open(QIODevice::WriteOnly));
  f.write(QByteArray(3 * 104, 'x'));
  f.close();
  QProcess ecu;
  ecu.start(TVirtualEcu::Program(), {"--replay", f.fileName()});
  ASSERT_TRUE(ecu.waitForFinished(10000));
  EXPECT_EQ(ecu.exitCode(), 1);
  const QString err = QString::fromUtf8(ecu.readAllStandardError());
  EXPECT_TRUE(err.contains(QStringLiteral("cannot replay packet log"))) << err.toStdString();
  EXPECT_TRUE(err.contains(QStringLiteral("record 1 "))) << err.toStdString();
  EXPECT_TRUE(ecu.readAllStandardOutput().isEmpty());
}
