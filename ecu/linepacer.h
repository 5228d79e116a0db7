#pragma once
// Lets bytes out no faster than a serial line would carry them: baud / 10 bytes a second for
// 8 data bits, no parity and one stop bit.

#include <cstdint>

class TLinePacer {
public:
  // maxCreditMs: how much of an idle line's time may be made up at once afterwards.
  explicit TLinePacer(int baud = 9600, double maxCreditMs = DefaultMaxCreditMs) : MaxCreditMs(maxCreditMs)
  {
    SetBaudRate(baud);
  }

  void SetBaudRate(int baud) { BytesPerMs = baud / 10.0 / 1000.0; }
  double BytesPerSecond() const { return BytesPerMs * 1000.0; }

  // How many bytes may go out at nowMs.
  int Available(std::int64_t nowMs);
  // The bytes that went out.
  void Consume(int sent) { Credit -= sent; }

private:
  // A line that was idle does not save up: at most this much time's worth leaves at once.
  static constexpr double DefaultMaxCreditMs = 20.0;
  double MaxCreditMs;

  double BytesPerMs = 0.96;
  double Credit = 0.0;
  std::int64_t LastMs = -1;
};
