#include "ecudevice.h"

#include "ecumemory.h"
#include "packetreplay.h"

EEcuMode ModeForBaudRate(int baud) { return baud == 57600 ? EEcuMode::Bootloader : EEcuMode::Normal; }

TEcuDevice::TEcuDevice(TEcuMemory &memory, const SEcuDeviceSettings &settings)
    : Mem(memory), Settings(settings), Faults(settings.Faults), Transmitter(Queue, Faults), EngineModel(memory),
      Responder(memory, EngineModel, Transmitter, Faults)
{
  Responder.SetIdentity(settings.Identity);
  NextExtraMs = settings.ExtraIntervalMs;
}

bool TEcuDevice::IsSilent(std::int64_t nowMs) const { return SilentFromMs >= 0 && nowMs >= SilentFromMs; }

std::int64_t TEcuDevice::NextWakeMs() const
{
  return CurrentMode == EEcuMode::Bootloader && Bootloader ? Bootloader->NextWakeMs() : -1;
}

void TEcuDevice::SetReplay(TPacketReplay *replay)
{
  Replay = replay;
  Responder.SetReplay(replay);
  ReplayWaiting = replay != nullptr;
}

void TEcuDevice::Received(const std::uint8_t *bytes, int n, std::int64_t nowMs)
{
  if (n <= 0)
    return;
  if (SilentFromMs < 0 && Settings.Faults.SilentAfterMs >= 0)
    SilentFromMs = nowMs + Settings.Faults.SilentAfterMs;
  if (IsSilent(nowMs))
    return;
  if (CurrentMode == EEcuMode::Bootloader) {
    if (Bootloader)
      Bootloader->Received(bytes, n, nowMs);
    return;
  }
  if (ReplayWaiting) {
    // Nothing recorded is played to a line nobody listens on: what went out before the manager
    // opened its port would be purged unseen, and the session would start in the middle. The
    // first request (the identity or a live packet) shows that the manager is there.
    ReplayWaiting = false;
    NextLiveMs = nowMs + Settings.LiveIntervalMs;
    NextExtraMs = nowMs + Settings.ExtraIntervalMs;
  }
  Responder.Feed(bytes, n, nowMs);
}

void TEcuDevice::Tick(std::int64_t nowMs)
{
  if (IsSilent(nowMs))
    return;
  if (CurrentMode == EEcuMode::Bootloader) {
    if (Bootloader)
      Bootloader->Tick(nowMs);
    return;
  }
  if (ReplayWaiting) {
    // The manager speaks only to a line that is alive: a lone noise byte now and then keeps it
    // alive without playing anything of the session before the manager asks.
    if (nowMs >= NextLiveMs) {
      Queue.Push({0x00}, nowMs);
      NextLiveMs = nowMs + ReplayProbeMs;
    }
    return;
  }
  if (Settings.LiveIntervalMs > 0 && nowMs >= NextLiveMs) {
    // A live packet still waiting for the line is not followed by another one.
    if (!Transmitter.Waiting(1)) {
      std::vector<std::uint8_t> payload;
      if (!Replay || !Replay->Next(1, payload))
        payload = EngineModel.LivePayload(nowMs);
      Transmitter.Send(1, payload, nowMs);
    }
    NextLiveMs += Settings.LiveIntervalMs;
    // After a stall (a stopped process, a slow machine) carry on at the rate, without a burst.
    if (NextLiveMs <= nowMs)
      NextLiveMs = nowMs + Settings.LiveIntervalMs;
  }
  if (Settings.ExtraIntervalMs > 0 && nowMs >= NextExtraMs) {
    SendExtraPacket(nowMs);
    NextExtraMs = nowMs + Settings.ExtraIntervalMs;
  }
}

void TEcuDevice::SendExtraPacket(std::int64_t nowMs)
{
  // The ECU's own housekeeping packets; the manager stores and logs them without reading them.
  static constexpr std::uint8_t Types[] = {81, 97, 161};
  std::uint8_t recordedType = 0;
  std::vector<std::uint8_t> recorded;
  if (Replay && Replay->NextOf({Types[0], Types[1], Types[2]}, recordedType, recorded)) {
    Transmitter.Send(recordedType, recorded, nowMs);
    return;
  }
  const std::uint8_t type = Types[ExtraCount % 3];
  const auto seconds = static_cast<std::uint32_t>(nowMs / 1000);
  std::vector<std::uint8_t> payload;
  switch (type) {
  case 81: payload = {std::uint8_t(seconds), std::uint8_t(seconds >> 8), std::uint8_t(seconds >> 16), std::uint8_t(seconds >> 24)}; break;
  case 97: payload = {std::uint8_t(ExtraCount), 0x00, 0x10, 0x20, 0x30, 0x40}; break;
  default: payload = {0xA1, std::uint8_t(ExtraCount)}; break;
  }
  ++ExtraCount;
  Transmitter.Send(type, payload, nowMs);
}

void TEcuDevice::TakeOutput(std::int64_t nowMs, std::vector<std::uint8_t> &out, int maxBytes)
{
  if (IsSilent(nowMs)) {
    Queue.Clear();
    return;
  }
  Queue.TakeDue(nowMs, out, maxBytes);
}

void TEcuDevice::SetLineRate(int baud, std::int64_t nowMs)
{
  const EEcuMode mode = ModeForBaudRate(baud);
  if (mode == CurrentMode)
    return;
  // Whatever was meant for the other speed would only arrive as noise.
  Queue.Clear();
  if (CurrentMode == EEcuMode::Bootloader && Bootloader)
    Bootloader->Leave(nowMs);
  CurrentMode = mode;
  if (mode == EEcuMode::Bootloader && Bootloader)
    Bootloader->Enter(nowMs);
  NextLiveMs = nowMs;
}
