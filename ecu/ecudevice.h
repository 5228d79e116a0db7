#pragma once
// The whole virtual ECU without its line: memory, engine, request answers, the packets it sends
// of its own accord and the injected faults. Times are milliseconds since power-on, given by the
// caller, so everything here runs in tests without a clock.

#include "ecuresponder.h"
#include "enginemodel.h"
#include "faultinjector.h"
#include "outputqueue.h"
#include "transmitter.h"

#include <functional>
#include <memory>

class TEcuMemory;
class TPacketReplay;

// Normal operation speaks framed packets at 9600 baud; at 57600 baud the ECU is in its
// bootloader, which speaks single bytes.
enum class EEcuMode { Normal, Bootloader };
EEcuMode ModeForBaudRate(int baud);

// What runs the line while the ECU is in its bootloader. Its bytes go straight into the output
// queue, without framing.
class TEcuModeHandler {
public:
  virtual ~TEcuModeHandler() = default;
  virtual void Enter(std::int64_t nowMs) = 0;
  virtual void Received(const std::uint8_t *bytes, int n, std::int64_t nowMs) = 0;
  virtual void Tick(std::int64_t nowMs) = 0;
  virtual void Leave(std::int64_t nowMs) = 0;
  // When the handler next has something to do of its own accord; -1 when nothing is pending.
  virtual std::int64_t NextWakeMs() const { return -1; }
};

struct SEcuDeviceSettings {
  SFaultSettings Faults;
  int LiveIntervalMs = 100;     // 0: live packets only when asked for
  int ExtraIntervalMs = 3000;   // one of the packets 81, 97, 161 this often; 0: never
  SEcuIdentity Identity;
};

class TEcuDevice {
public:
  TEcuDevice(TEcuMemory &memory, const SEcuDeviceSettings &settings);

  void Received(const std::uint8_t *bytes, int n, std::int64_t nowMs);
  // Sends what is due of the ECU's own accord; call often (every few milliseconds).
  void Tick(std::int64_t nowMs);
  // Appends up to maxBytes of what is due for the line; nothing once the ECU has gone silent.
  // What the line cannot carry yet stays queued, so the ECU knows what it is still sending.
  void TakeOutput(std::int64_t nowMs, std::vector<std::uint8_t> &out, int maxBytes = TOutputQueue::Unlimited);
  bool IsSilent(std::int64_t nowMs) const;
  // When Tick next has something to do that cannot wait for the usual few milliseconds; -1 when
  // nothing is pending.
  std::int64_t NextWakeMs() const;

  // The baud rate the other end has set on the line.
  void SetLineRate(int baud, std::int64_t nowMs);
  EEcuMode Mode() const { return CurrentMode; }
  // The bootloader, once there is one; without it the ECU keeps quiet at 57600 baud.
  void SetBootloader(std::unique_ptr<TEcuModeHandler> handler) { Bootloader = std::move(handler); }

  // Plays a recorded packet log back instead of the ECU's own live and housekeeping packets and
  // answers, for as long as it holds packets of the type due. Not owned; nullptr ends it.
  void SetReplay(TPacketReplay *replay);

  // Called after every request that changed the memory.
  void SetMemoryWritten(std::function<void()> callback) { Responder.MemoryWritten = std::move(callback); }

  TOutputQueue &Output() { return Queue; }
  const TEngineModel &Engine() const { return EngineModel; }
  TEcuMemory &Memory() { return Mem; }

private:
  void SendExtraPacket(std::int64_t nowMs);

  TEcuMemory &Mem;
  SEcuDeviceSettings Settings;
  TFaultInjector Faults;
  TOutputQueue Queue;
  TEcuTransmitter Transmitter;
  TEngineModel EngineModel;
  TEcuResponder Responder;
  std::unique_ptr<TEcuModeHandler> Bootloader;
  TPacketReplay *Replay = nullptr;
  bool ReplayWaiting = false;   // until the manager first speaks
  static constexpr int ReplayProbeMs = 100;
  EEcuMode CurrentMode = EEcuMode::Normal;
  std::int64_t NextLiveMs = 0;
  std::int64_t NextExtraMs = 0;
  std::int64_t SilentFromMs = -1;
  int ExtraCount = 0;
};
