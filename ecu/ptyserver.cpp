#include "ptyserver.h"

#include "ecudevice.h"
#include "linepacer.h"

#include <algorithm>
#include <deque>
#include <cerrno>
#include <chrono>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <termios.h>
#include <unistd.h>

namespace {

constexpr int LoopMs = 5;
constexpr int LineCheckMs = 20;
constexpr int ReadChunk = 256;

}   // namespace

int BaudOfSpeed(unsigned speed)
{
  switch (speed) {
  case B1200: return 1200;
  case B2400: return 2400;
  case B4800: return 4800;
  case B9600: return 9600;
  case B19200: return 19200;
  case B38400: return 38400;
  case B57600: return 57600;
  case B115200: return 115200;
  case B230400: return 230400;
  default: return 0;
  }
}

TPtyServer::~TPtyServer()
{
  if (Master >= 0)
    ::close(Master);
  if (Slave >= 0)
    ::close(Slave);
}

bool TPtyServer::Open(std::string *error)
{
  char name[128] = {};
  if (::openpty(&Master, &Slave, name, nullptr, nullptr) != 0) {
    *error = std::string("openpty failed: ") + std::strerror(errno);
    return false;
  }
  termios tio{};
  if (::tcgetattr(Slave, &tio) == 0) {
    ::cfmakeraw(&tio);
    ::cfsetspeed(&tio, B9600);
    ::tcsetattr(Slave, TCSANOW, &tio);
  }
  const int flags = ::fcntl(Master, F_GETFL);
  if (flags < 0 || ::fcntl(Master, F_SETFL, flags | O_NONBLOCK) != 0) {
    *error = std::string("cannot make the pty non-blocking: ") + std::strerror(errno);
    return false;
  }
  Name = name;
  return true;
}

int TPtyServer::LineBaudRate() const
{
  termios tio{};
  if (Slave < 0 || ::tcgetattr(Slave, &tio) != 0)
    return 0;
  return BaudOfSpeed(::cfgetospeed(&tio));
}

void TPtyServer::Write(const std::vector<std::uint8_t> &bytes)
{
  std::size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t written = ::write(Master, bytes.data() + done, bytes.size() - done);
    if (written < 0 && errno == EINTR)
      continue;
    if (written <= 0)
      return;   // EAGAIN: the buffer is full, nobody reads the line
    done += static_cast<std::size_t>(written);
  }
}

void TPtyServer::Run(TEcuDevice &device, const volatile std::sig_atomic_t &stop)
{
  using Clock = std::chrono::steady_clock;
  const Clock::time_point powerOn = Clock::now();
  auto now = [&] {
    return std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - powerOn).count();
  };

  TLinePacer pacer;
  // The manager's bytes reach the device no faster than the line would carry them, so a write
  // takes the time it takes on a real line (the pseudo-terminal itself hands them over at once).
  // The loop looks every millisecond while bytes are on their way in, so little credit is needed.
  TLinePacer inPacer(9600, 2.0);
  std::deque<std::uint8_t> incoming;
  int baud = LineBaudRate();
  if (baud > 0) {
    pacer.SetBaudRate(baud);
    inPacer.SetBaudRate(baud);
  }
  device.SetLineRate(baud, 0);
  std::int64_t nextLineCheck = LineCheckMs;
  std::vector<std::uint8_t> out;
  std::uint8_t buffer[ReadChunk];

  while (!stop) {
    pollfd pfd{Master, POLLIN, 0};
    // The bootloader acts on a block the moment the line would have delivered it; waking a full
    // loop late would add that delay to every block.
    int timeoutMs = LoopMs;
    const std::int64_t wake = device.NextWakeMs();
    if (wake >= 0)
      timeoutMs = static_cast<int>(std::clamp<std::int64_t>(wake - now(), 0, LoopMs));
    if (!incoming.empty())
      timeoutMs = std::min(timeoutMs, 1);
    ::poll(&pfd, 1, timeoutMs);
    std::int64_t t = now();

    if (pfd.revents & POLLIN) {
      const ssize_t n = ::read(Master, buffer, sizeof buffer);
      if (n > 0) {
        // The bootloader keeps its own account of when each byte arrived.
        if (Pacing && device.Mode() == EEcuMode::Normal)
          incoming.insert(incoming.end(), buffer, buffer + n);
        else
          device.Received(buffer, static_cast<int>(n), t);
      }
    } else if (pfd.revents & (POLLHUP | POLLERR)) {
      ::usleep(LoopMs * 1000);   // keep a broken line from spinning the loop
    }
    if (t >= nextLineCheck) {
      nextLineCheck = t + LineCheckMs;
      const int current = LineBaudRate();
      if (current > 0 && current != baud) {
        baud = current;
        pacer.SetBaudRate(baud);
        inPacer.SetBaudRate(baud);
        device.SetLineRate(baud, t);
      }
    }
    if (!incoming.empty()) {
      const int arrived = std::min<int>(inPacer.Available(t), static_cast<int>(incoming.size()));
      if (arrived > 0) {
        const std::vector<std::uint8_t> bytes(incoming.begin(), incoming.begin() + arrived);
        incoming.erase(incoming.begin(), incoming.begin() + arrived);
        inPacer.Consume(arrived);
        device.Received(bytes.data(), arrived, t);
      }
    }
    device.Tick(t);
    // Bytes leave the device only as fast as the line carries them, so the device always knows
    // which of its packets are still on their way.
    const int allowed = Pacing ? pacer.Available(t) : TOutputQueue::Unlimited;
    out.clear();
    device.TakeOutput(t, out, allowed);
    if (Pacing)
      pacer.Consume(static_cast<int>(out.size()));
    Write(out);
  }
}
