// End-to-end timing of the calibration transfer against zolt-ecu with line pacing at 9600 baud:
// 48 block reads, then a full read (48 blocks and 7 tables) and a full write, each beside the
// wire-time minimum of its request and answer bytes. Run: build/bin/bench_link

#include "calibrationtransfer.h"
#include "communication.h"
#include "virtualecu.h"
#include "waitfor.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <cstdio>

namespace {

constexpr double BytesPerSecond = 960.0;   // 9600 baud, 8N1

// A frame is the marker, the length, the type, the payload and two check bytes.
int Frame(int payload) { return 4 + 1 + 1 + payload + 2; }

qint64 Received = 0;

// Against two minimums: the request and answer bytes alone, and every byte the ECU put on the
// line meanwhile (its own live packets share it).
void Report(const char *what, double seconds, int wireBytes, qint64 receivedBytes)
{
  const double minimum = wireBytes / BytesPerSecond;
  const double lineMinimum = receivedBytes / BytesPerSecond;
  std::printf("%-24s %6.2f s | answers+requests %5.2f s (%+5.1f %%) | all bytes received %5.2f s (%+5.1f %%)\n", what,
              seconds, minimum, 100.0 * (seconds - minimum) / minimum, lineMinimum,
              100.0 * (seconds - lineMinimum) / lineMinimum);
}

}   // namespace

int main(int argc, char **argv)
{
  QCoreApplication app(argc, argv);
  QTemporaryDir dir;
  TVirtualEcu ecu;
  if (!ecu.Start(TVirtualEcu::StateArgs(dir.path()))) {
    std::fprintf(stderr, "bench_link: zolt-ecu did not start\n");
    return 1;
  }
  TCommunication link;
  if (!link.OpenPort(ecu.PortName()) || !WaitFor([&] { return link.IsLinkAlive(); })) {
    std::fprintf(stderr, "bench_link: no link\n");
    return 1;
  }
  QObject::connect(&link.Line(), &TSerialLine::BytesReceived, [](const QByteArray &b) { Received += b.size(); });
  const int blockBytes = Frame(2) + Frame(2 + 64);
  int tableBytes = 0;
  for (const auto &t : CalibrationTransfer::Tables)
    tableBytes += Frame(1) + Frame(1 + t.Size);
  int writeTableBytes = 0;
  for (const auto &t : CalibrationTransfer::Tables)
    writeTableBytes += Frame(1 + t.Size) + Frame(1);

  QElapsedTimer clock;
  Received = 0;
  clock.start();
  std::uint8_t block[64];
  int failed = 0;
  for (int f = 0; f < 16; f += 2)
    for (int c = 0; c < 6; ++c)
      failed += link.ReadCalibrationBlock(block, 64, std::uint8_t(c), std::uint8_t(f)) == 64 ? 0 : 1;
  Report("48 block reads", clock.elapsed() / 1000.0, 48 * blockBytes, Received);

  SCalibrationImage image;
  clock.restart();
  Received = 0;
  TCalibrationTransfer reader(link, [](int) {}, {});
  failed += reader.Read(image) == TCalibrationTransfer::EResult::Done ? 0 : 1;
  Report("full calibration read", clock.elapsed() / 1000.0, 48 * blockBytes + tableBytes, Received);

  clock.restart();
  Received = 0;
  TCalibrationTransfer writer(link, [](int) {}, {});
  failed += writer.Write(image) == TCalibrationTransfer::EResult::Done ? 0 : 1;
  Report("full calibration write", clock.elapsed() / 1000.0, 48 * (Frame(2 + 64) + Frame(2)) + writeTableBytes,
         Received);
  if (failed)
    std::printf("%d transfers failed\n", failed);
  return failed ? 1 : 0;
}
