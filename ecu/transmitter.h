#pragma once
// Frames the ECU's packets and puts them into the output queue, with the line faults applied:
// a wrong check now and then, noise between packets.

#include <cstdint>
#include <vector>

class TFaultInjector;
class TOutputQueue;

class TEcuTransmitter {
public:
  TEcuTransmitter(TOutputQueue &queue, TFaultInjector &faults) : Queue(queue), Faults(faults) {}

  void Send(std::uint8_t type, const std::vector<std::uint8_t> &payload, std::int64_t dueMs);
  // Whether a packet of this type has not gone out completely yet.
  bool Waiting(std::uint8_t type) const;

private:
  TOutputQueue &Queue;
  TFaultInjector &Faults;
};
