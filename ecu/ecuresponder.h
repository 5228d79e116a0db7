#pragma once
// The ECU's side of the request protocol: finds request frames in the received bytes and answers
// each with the packet type one above the request's, echoing the address bytes where the
// manager checks them.

#include "framing.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

class TEcuMemory;
class TEcuTransmitter;
class TEngineModel;
class TFaultInjector;
class TPacketReplay;

struct SEcuIdentity {
  std::string Version = "ZOLT 2.15";   // up to 12 characters
  std::uint32_t Id = 0x1234ABCD;       // shown by the manager as 8 hex digits
  std::uint8_t Flags = 3;
};

class TEcuResponder {
public:
  enum ERequest : std::uint8_t {
    ReadInfo = 0,
    ReadParameters = 16,
    ReadExtraParameters = 18,
    WriteParameters = 32,
    WriteExtraParameters = 34,
    ReadBlock = 48,
    WriteBlock = 64,
    ReadTable = 112,
    WriteTable = 128,
    ReadVersion = 240,
  };

  TEcuResponder(TEcuMemory &memory, const TEngineModel &engine, TEcuTransmitter &out, TFaultInjector &faults)
      : Memory(memory), Engine(engine), Out(out), Faults(faults)
  {
  }

  void SetIdentity(const SEcuIdentity &identity) { Identity = identity; }
  // Answers come from this recorded log while it holds packets of the answer type.
  void SetReplay(TPacketReplay *replay) { Replay = replay; }

  // Bytes received from the line, any count; nowMs is the time since power-on. Returns the number
  // of requests found in them.
  int Feed(const std::uint8_t *bytes, int n, std::int64_t nowMs);

  // Called after a request changed the memory, so that it can be kept.
  std::function<void()> MemoryWritten;

  // Builds the answer payload to one request; false when the ECU does not answer it (unknown type,
  // address without memory, data of the wrong size). Writes change the memory.
  bool Answer(std::uint8_t type, const std::uint8_t *payload, int length, std::int64_t nowMs,
              std::vector<std::uint8_t> &answer, bool *wrote);

  // The same answer for another address than the one asked for: what a confused ECU sends first
  // with --wrong-echo-first. Empty for requests without an echo.
  std::vector<std::uint8_t> WrongEchoAnswer(std::uint8_t type, const std::uint8_t *payload, int length) const;

private:
  void Handle(std::uint8_t type, const std::uint8_t *payload, int length, std::int64_t nowMs);
  std::vector<std::uint8_t> VersionAnswer() const;

  TEcuMemory &Memory;
  const TEngineModel &Engine;
  TEcuTransmitter &Out;
  TFaultInjector &Faults;
  SEcuIdentity Identity;
  TReceiveWindow Window;
  TPacketReplay *Replay = nullptr;
};
