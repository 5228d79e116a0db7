#pragma once
// The ECU's packet framing, both directions, without a port:
//   55 00 AA 00 | L | type | payload (L - 3 bytes) | check low | check high
// where L counts type, payload and check, and check = (L + type + payload bytes) mod 65536.

#include <array>
#include <cstdint>
#include <vector>

namespace Framing {

inline constexpr std::array<std::uint8_t, 4> SyncMarker{0x55, 0x00, 0xAA, 0x00};
inline constexpr int WindowSize = 96;
inline constexpr int MaxPayload = 88;

// Frames one request: data[0] is the request type, the rest its payload.
std::vector<std::uint8_t> BuildFrame(const std::uint8_t *data, int length);

// Frames one packet of the given type and payload (what the ECU sends).
std::vector<std::uint8_t> BuildPacket(std::uint8_t type, const std::uint8_t *payload, int length);

}   // namespace Framing

// The sliding 96-byte receive window. Each batch of received bytes moves the window left and
// lands at its end; every complete packet found in it is handed on, front first, and destroyed
// in the window so it is never found twice.
class TReceiveWindow {
public:
  struct SFound {
    std::uint8_t Type;
    const std::uint8_t *Payload;
    int Length;
  };

  // Takes at most WindowSize bytes (the caller's batches never exceed that); calls
  // onPacket(SFound) for every complete packet. Returns the number of packets found.
  template <typename F> int ScanWindow(const std::uint8_t *bytes, int n, F &&onPacket);

  const std::array<std::uint8_t, Framing::WindowSize> &Bytes() const { return Window; }
  void Clear() { Window.fill(0); }

private:
  void Shift(const std::uint8_t *bytes, int n);
  // Length byte of a complete, correctly checked packet at position i, or -1.
  int PacketAt(int i) const;

  std::array<std::uint8_t, Framing::WindowSize> Window{};
};

template <typename F> int TReceiveWindow::ScanWindow(const std::uint8_t *bytes, int n, F &&onPacket)
{
  if (n <= 0)
    return 0;
  Shift(bytes, n);
  int found = 0;
  for (int i = 0; i + 4 < Framing::WindowSize;) {
    const int l = PacketAt(i);
    if (l < 0) {
      ++i;
      continue;
    }
    // Copy out before destroying the packet in the window.
    std::array<std::uint8_t, Framing::WindowSize> payload{};
    const int length = l - 3;
    for (int k = 0; k < length; ++k)
      payload[k] = Window[i + 6 + k];
    const std::uint8_t type = Window[i + 5];
    // Everything before the packet and the whole packet, check included, is spent.
    for (int k = 0; k <= i + l + 4; ++k)
      Window[k] = 0;
    onPacket(SFound{type, payload.data(), length});
    ++found;
    i += l + 5;
  }
  return found;
}
