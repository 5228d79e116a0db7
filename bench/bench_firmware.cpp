// Upload time of a 32 KiB firmware image against zolt-ecu with line pacing at 57600 baud, beside
// the wire minimum: every byte of the exchange, both ways, at 5760 bytes/s (the exchange is
// strictly one after the other, so the two directions add up).
//
// Three managers: the upload watch of the program and zolt-cli (10 ms polls, events handled in
// between); a Qt loop that handles every received byte as it comes; and a bare blocking loop on
// the pseudo-terminal without Qt, which shows what the ECU side costs by itself.
// Run: build/bin/bench_firmware [runs]

#include "communication.h"
#include "firmwareupload.h"
#include "virtualecu.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <fcntl.h>
#include <termios.h>
#include <unistd.h>
#include <functional>
#include <vector>

namespace {

constexpr int ImageSize = 32768;
constexpr int Blocks = ImageSize / 64;
constexpr double BytesPerSecond = 5760.0;   // 57600 baud, 8N1

// Manager to ECU: the blocks and five "Q"; ECU to manager: "B", four id bytes, a "K" per block, "F".
constexpr int ToEcu = Blocks * 65 + 5;
constexpr int FromEcu = 1 + 4 + Blocks + 1;

using TWatch = std::function<bool(TCommunication &)>;

bool WatchOfTheProgram(TCommunication &link)
{
  return WatchFirmwareUpload(link, [](int) {}) == EFirmwareResult::Loaded;
}

bool EventDriven(TCommunication &link)
{
  SFW state;
  link.GetFirmwareState(state);
  while (state.LoaderMode && link.IsPortOpen()) {
    QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
    link.GetFirmwareState(state);
  }
  return state.Last == 'F';
}

// Blocking reads and writes on the line, each reply sent the moment its command byte is read.
double BareUpload(const QString &port, const QByteArray &image)
{
  const int fd = ::open(port.toLocal8Bit().constData(), O_RDWR | O_NOCTTY);
  if (fd < 0)
    return -1.0;
  termios tio{};
  ::tcgetattr(fd, &tio);
  ::cfmakeraw(&tio);
  ::cfsetspeed(&tio, B57600);
  ::tcsetattr(fd, TCSANOW, &tio);
  QElapsedTimer timer;
  timer.start();
  int idBytes = 0;
  qsizetype pos = 0;
  bool loaded = false;
  for (unsigned char b = 0; ::read(fd, &b, 1) == 1;) {
    if (idBytes > 0 || b == 'B') {
      idBytes = idBytes > 0 ? idBytes - 1 : 4;
      if (::write(fd, "Q", 1) != 1)
        break;
    } else if (b == 'K' && pos + 65 <= image.size()) {
      if (::write(fd, image.constData() + pos, 65) != 65)
        break;
      pos += 65;
    } else if (b == 'F' || b == 'E' || b == 'K') {
      loaded = b == 'F';
      break;
    }
  }
  const double seconds = timer.nsecsElapsed() / 1e9;
  ::close(fd);
  return loaded ? seconds : -1.0;
}

// Seconds for one upload, or a negative value when it failed.
double Upload(const QString &file, const TWatch &watch)
{
  if (!watch) {
    TVirtualEcu ecu;
    QFile in(file);
    QByteArray image;
    if (!ecu.Start({"--flash-size", QString::number(ImageSize)}) || !in.open(QIODevice::ReadOnly) ||
        !BuildFirmwareImage(in.readAll(), image))
      return -1.0;
    return BareUpload(ecu.PortName(), image);
  }
  TVirtualEcu ecu;
  if (!ecu.Start({"--flash-size", QString::number(ImageSize), "--live-interval-ms", "100"}))
    return -1.0;
  TCommunication link;
  QElapsedTimer timer;
  timer.start();
  if (link.StartFirmwareUpload(file, ecu.PortName()) <= 0)
    return -1.0;
  const bool loaded = watch(link);
  const double seconds = timer.nsecsElapsed() / 1e9;
  link.ClosePort();
  return loaded ? seconds : -1.0;
}

void Report(const char *what, const QString &file, int runs, const TWatch &watch)
{
  const double minimum = (ToEcu + FromEcu) / BytesPerSecond;
  std::vector<double> times;
  for (int k = 0; k < runs; ++k) {
    const double s = Upload(file, watch);
    if (s < 0) {
      std::printf("%-34s upload %d failed\n", what, k + 1);
      return;
    }
    times.push_back(s);
  }
  std::sort(times.begin(), times.end());
  const double median = times[times.size() / 2];
  std::printf("%-34s median %6.2f s (best %6.2f, %d runs) | wire minimum %5.2f s (%+6.1f %%) | %5.1f ms a block\n",
              what, median, times.front(), runs, minimum, 100.0 * (median - minimum) / minimum,
              1000.0 * median / Blocks);
}

}   // namespace

int main(int argc, char **argv)
{
  QCoreApplication app(argc, argv);
  const int runs = argc > 1 ? std::max(1, QByteArray(argv[1]).toInt()) : 3;
  QTemporaryDir dir;
  const QString file = dir.filePath(QStringLiteral("bench.zbf"));
  QFile f(file);
  if (!f.open(QIODevice::WriteOnly))
    return 1;
  QByteArray image(ImageSize, '\0');
  for (int k = 0; k < ImageSize; ++k)
    image[k] = char(k * 13 + (k >> 8));
  f.write(image);
  f.close();

  std::printf("firmware upload of %d bytes (%d blocks) at 57600 baud: %d bytes to the ECU, %d from it\n", ImageSize,
              Blocks, ToEcu, FromEcu);
  Report("upload watch (10 ms polls)", file, runs, WatchOfTheProgram);
  Report("event-driven manager loop", file, runs, EventDriven);
  Report("bare loop, no Qt (ECU side alone)", file, runs, TWatch());
  return 0;
}
