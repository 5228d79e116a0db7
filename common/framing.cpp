#include "framing.h"

#include <algorithm>

namespace Framing {

std::vector<std::uint8_t> BuildFrame(const std::uint8_t *data, int length)
{
  std::vector<std::uint8_t> frame(SyncMarker.begin(), SyncMarker.end());
  const auto l = static_cast<std::uint8_t>(length + 2);
  frame.push_back(l);
  unsigned check = l;
  for (int k = 0; k < length; ++k) {
    frame.push_back(data[k]);
    check += data[k];
  }
  frame.push_back(static_cast<std::uint8_t>(check & 0xFF));
  frame.push_back(static_cast<std::uint8_t>((check >> 8) & 0xFF));
  return frame;
}

std::vector<std::uint8_t> BuildPacket(std::uint8_t type, const std::uint8_t *payload, int length)
{
  std::vector<std::uint8_t> data;
  data.reserve(length + 1);
  data.push_back(type);
  data.insert(data.end(), payload, payload + length);
  return BuildFrame(data.data(), static_cast<int>(data.size()));
}

}   // namespace Framing

void TReceiveWindow::Shift(const std::uint8_t *bytes, int n)
{
  n = std::min(n, Framing::WindowSize);
  std::copy(Window.begin() + n, Window.end(), Window.begin());
  std::copy(bytes, bytes + n, Window.end() - n);
}

int TReceiveWindow::PacketAt(int i) const
{
  using Framing::SyncMarker;
  if (!std::equal(SyncMarker.begin(), SyncMarker.end(), Window.begin() + i))
    return -1;
  const int l = Window[i + 4];
  if (l >= Framing::WindowSize - 4 - i)   // not complete in the window yet
    return -1;
  // A marker-like run with a length below 3 is not a packet; the scan goes on past it
  // instead of ending, so such a run inside a payload cannot block the window.
  if (l < 3)
    return -1;
  unsigned sum = 0;
  for (int k = i + 4; k <= i + l + 2; ++k)
    sum += Window[k];
  const unsigned check = Window[i + l + 3] + 256u * Window[i + l + 4];
  if ((sum & 0xFFFF) != check)
    return -1;
  return l;
}
