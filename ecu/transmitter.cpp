#include "transmitter.h"

#include "faultinjector.h"
#include "framing.h"
#include "outputqueue.h"

#include <algorithm>

bool TEcuTransmitter::Waiting(std::uint8_t type) const { return Queue.Holds(type); }

void TEcuTransmitter::Send(std::uint8_t type, const std::vector<std::uint8_t> &payload, std::int64_t dueMs)
{
  const int length = std::min(static_cast<int>(payload.size()), Framing::MaxPayload);
  std::vector<std::uint8_t> frame = Framing::BuildPacket(type, payload.data(), length);
  if (Faults.CorruptPacket())
    frame[frame.size() - 2] ^= 0x5A;   // low check byte; any non-zero mask makes the check wrong
  Queue.Push(Faults.Noise(), dueMs);
  Queue.Push(std::move(frame), dueMs, type);
}
