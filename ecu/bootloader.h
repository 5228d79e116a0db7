#pragma once
// The ECU's bootloader, which runs the line while it is switched to 57600 baud. It speaks single
// bytes, no framing:
//
//   ECU "B"            manager "Q"      (the bootloader is here)
//   ECU id byte x 4    manager "Q" each (its identification)
//   ECU "K"            manager 64 data bytes and their sum modulo 256, once per block
//   ECU "F"                             (all blocks stored) or "E" (the exchange failed)
//
// The manager looks only at the first byte of what it receives at a time, so the bootloader never
// sends a byte before the reply to the previous one has arrived in full.
//
// The bootloader cannot know how long the manager's file is: it asks for as many blocks as its
// flash holds. A file shorter than the flash makes the manager refuse the block beyond its end; a
// test that wants a complete upload gives a flash size equal to its image.

#include "ecudevice.h"

#include <cstdint>
#include <deque>
#include <functional>
#include <vector>

class TEcuMemory;
class TOutputQueue;

struct SBootloaderSettings {
  static constexpr int BlockSize = 64;
  static constexpr int MaxFlashSize = 1 << 20;

  int FlashSize = 32768;             // whole blocks of 64 bytes
  std::uint32_t Id = 0x5A4F4C54;     // identification, sent high byte first
  int StallAfterBlocks = -1;         // stop asking after this many blocks; -1 never
  int FailAfterBlocks = -1;          // send "E" after this many blocks; -1 never
  double ReceiveBytesPerMs = 0.0;    // line rate at which received bytes count as arrived; 0: at once
  int AnnounceRepeatMs = 1000;       // "B" again when the first "Q" does not come
  int BlockTimeoutMs = 500;          // a block that stops arriving half-way ends the exchange
};

class TEcuBootloader : public TEcuModeHandler {
public:
  enum class EState { Idle, Announced, Identifying, AwaitingBlock, Stalled, Finished, Failed };

  TEcuBootloader(TEcuMemory &memory, TOutputQueue &out, const SBootloaderSettings &settings);

  void Enter(std::int64_t nowMs) override;
  void Received(const std::uint8_t *bytes, int n, std::int64_t nowMs) override;
  void Tick(std::int64_t nowMs) override;
  void Leave(std::int64_t nowMs) override;
  std::int64_t NextWakeMs() const override;

  // Called after a complete image has been stored in the memory.
  void SetImageStored(std::function<void()> callback) { ImageStored = std::move(callback); }

  EState State() const { return Current; }
  int BlocksReceived() const { return Blocks; }

private:
  struct SArrival {
    double AtMs;
    std::uint8_t Byte;
  };

  void Arrived(std::uint8_t byte, std::int64_t nowMs);
  void BlockByte(std::uint8_t byte, std::int64_t nowMs);
  void RequestBlock(std::int64_t nowMs);
  void Send(char byte, std::int64_t nowMs);
  void Fail(std::int64_t nowMs);
  void Process(std::int64_t nowMs);
  std::uint8_t IdByte(int k) const { return static_cast<std::uint8_t>(Settings.Id >> (8 * (3 - k))); }

  TEcuMemory &Memory;
  TOutputQueue &Out;
  SBootloaderSettings Settings;
  std::function<void()> ImageStored;

  EState Current = EState::Idle;
  int IdSent = 0;
  int Blocks = 0;
  std::vector<std::uint8_t> Block;
  std::vector<std::uint8_t> Image;
  std::int64_t LastActivityMs = 0;
  std::deque<SArrival> Incoming;
  double LineFreeAtMs = 0.0;
};
