#pragma once
// Helpers of the virtual ECU's unit tests: framed requests in, packets out.

#include "ecudevice.h"
#include "ecumemory.h"
#include "framing.h"

#include <algorithm>
#include <cstdint>
#include <vector>

namespace EcuTesting {

using Bytes = std::vector<std::uint8_t>;

struct SPacketSeen {
  std::uint8_t Type;
  Bytes Payload;
};

inline Bytes Request(const Bytes &data) { return Framing::BuildFrame(data.data(), static_cast<int>(data.size())); }

// Every packet in a byte stream, as the manager's receive window finds them.
inline std::vector<SPacketSeen> Packets(const Bytes &stream)
{
  std::vector<SPacketSeen> seen;
  TReceiveWindow window;
  for (std::size_t at = 0; at < stream.size(); at += 16) {
    const int n = static_cast<int>(std::min<std::size_t>(16, stream.size() - at));
    window.ScanWindow(stream.data() + at, n, [&](const TReceiveWindow::SFound &p) {
      seen.push_back({p.Type, Bytes(p.Payload, p.Payload + p.Length)});
    });
  }
  return seen;
}

// A device that only answers: no live or housekeeping packets of its own.
inline SEcuDeviceSettings QuietSettings(const SFaultSettings &faults = {})
{
  SEcuDeviceSettings s;
  s.Faults = faults;
  s.LiveIntervalMs = 0;
  s.ExtraIntervalMs = 0;
  return s;
}

// Sends one request at nowMs and returns what the device put on the line by then.
inline Bytes Exchange(TEcuDevice &device, const Bytes &request, std::int64_t nowMs = 0)
{
  const Bytes frame = Request(request);
  device.Received(frame.data(), static_cast<int>(frame.size()), nowMs);
  Bytes out;
  device.TakeOutput(nowMs, out);
  return out;
}

inline Bytes Pattern(int n, int seed)
{
  Bytes b(n);
  for (int k = 0; k < n; ++k)
    b[k] = static_cast<std::uint8_t>(seed + 7 * k);
  return b;
}

inline Bytes Cat(Bytes head, const Bytes &tail)
{
  head.insert(head.end(), tail.begin(), tail.end());
  return head;
}

}   // namespace EcuTesting
