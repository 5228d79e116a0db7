#include "bootloader.h"

#include "ecumemory.h"
#include "outputqueue.h"

#include <algorithm>
#include <cmath>
#include <numeric>

namespace {

constexpr int BlockWithCheck = SBootloaderSettings::BlockSize + 1;

}   // namespace

TEcuBootloader::TEcuBootloader(TEcuMemory &memory, TOutputQueue &out, const SBootloaderSettings &settings)
    : Memory(memory), Out(out), Settings(settings)
{
}

void TEcuBootloader::Enter(std::int64_t nowMs)
{
  IdSent = 0;
  Blocks = 0;
  Block.clear();
  Incoming.clear();
  // Flash that was erased and not yet written reads 0xFF.
  Image.assign(static_cast<std::size_t>(std::max(Settings.FlashSize, 0)), 0xFF);
  LineFreeAtMs = double(nowMs);
  Send('B', nowMs);
  Current = EState::Announced;
}

void TEcuBootloader::Leave(std::int64_t)
{
  Current = EState::Idle;
  Incoming.clear();
  Block.clear();
}

void TEcuBootloader::Received(const std::uint8_t *bytes, int n, std::int64_t nowMs)
{
  if (Current == EState::Idle)
    return;
  // The pseudo-terminal hands over at once what a serial line would still be carrying: each byte
  // counts as arrived only when the line could have delivered it.
  double at = std::max(double(nowMs), LineFreeAtMs);
  for (int k = 0; k < n; ++k) {
    if (Settings.ReceiveBytesPerMs > 0.0)
      at += 1.0 / Settings.ReceiveBytesPerMs;
    Incoming.push_back({at, bytes[k]});
  }
  LineFreeAtMs = at;
  Process(nowMs);
}

void TEcuBootloader::Tick(std::int64_t nowMs)
{
  Process(nowMs);
  const std::int64_t quietMs = nowMs - LastActivityMs;
  // The manager's port purges what arrived before it was ready; the announcement is repeated
  // only while nothing was answered yet, so a late "Q" can never be taken for an id reply.
  if (Current == EState::Announced && quietMs >= Settings.AnnounceRepeatMs)
    Send('B', nowMs);
  // A block that stopped half-way lost bytes on the line: waiting would hang both ends, and
  // counting the next block's bytes into this one would store garbage.
  if (Current == EState::AwaitingBlock && !Block.empty() && quietMs >= Settings.BlockTimeoutMs)
    Fail(nowMs);
}

std::int64_t TEcuBootloader::NextWakeMs() const
{
  if (Incoming.empty())
    return -1;
  // Wake when the byte that completes something has arrived: the last of a block, or the reply.
  std::size_t index = 0;
  if (Current == EState::AwaitingBlock) {
    const std::size_t need = std::size_t(BlockWithCheck) - Block.size();
    index = std::min(need, Incoming.size()) - 1;
  }
  return static_cast<std::int64_t>(std::ceil(Incoming[index].AtMs));
}

void TEcuBootloader::Process(std::int64_t nowMs)
{
  while (!Incoming.empty() && Incoming.front().AtMs <= double(nowMs)) {
    const std::uint8_t byte = Incoming.front().Byte;
    Incoming.pop_front();
    Arrived(byte, nowMs);
  }
}

void TEcuBootloader::Arrived(std::uint8_t byte, std::int64_t nowMs)
{
  switch (Current) {
  case EState::Announced:
  case EState::Identifying:
    if (byte != 'Q')
      return;   // left-overs of the normal line speed, noise
    if (IdSent < 4) {
      Current = EState::Identifying;
      Send(static_cast<char>(IdByte(IdSent++)), nowMs);
    } else {
      RequestBlock(nowMs);
    }
    return;
  case EState::AwaitingBlock:
    BlockByte(byte, nowMs);
    return;
  default:
    return;
  }
}

void TEcuBootloader::BlockByte(std::uint8_t byte, std::int64_t nowMs)
{
  Block.push_back(byte);
  LastActivityMs = nowMs;
  if (int(Block.size()) < BlockWithCheck)
    return;
  const unsigned sum = std::accumulate(Block.begin(), Block.end() - 1, 0u);
  if ((sum & 0xFF) != Block.back()) {
    // Nothing of a spoiled block reaches the flash; the manager has no way to send it again.
    Fail(nowMs);
    return;
  }
  std::copy(Block.begin(), Block.end() - 1, Image.begin() + std::ptrdiff_t(Blocks) * SBootloaderSettings::BlockSize);
  Block.clear();
  ++Blocks;
  if (Blocks * SBootloaderSettings::BlockSize < Settings.FlashSize) {
    RequestBlock(nowMs);
    return;
  }
  // New firmware starts from its own defaults, as the manager warns before the upload: the old
  // calibrations and parameters do not survive it. Only a complete image replaces the old one.
  Memory.LoadDefaults();
  Memory.Firmware = QByteArray(reinterpret_cast<const char *>(Image.data()), qsizetype(Image.size()));
  if (ImageStored)
    ImageStored();
  Send('F', nowMs);
  Current = EState::Finished;
}

void TEcuBootloader::RequestBlock(std::int64_t nowMs)
{
  if (Blocks == Settings.FailAfterBlocks) {
    Fail(nowMs);
    return;
  }
  if (Blocks == Settings.StallAfterBlocks) {
    Current = EState::Stalled;
    return;
  }
  Send('K', nowMs);
  Current = EState::AwaitingBlock;
}

void TEcuBootloader::Fail(std::int64_t nowMs)
{
  Send('E', nowMs);
  Current = EState::Failed;
  Block.clear();
}

void TEcuBootloader::Send(char byte, std::int64_t nowMs)
{
  Out.Push({static_cast<std::uint8_t>(byte)}, nowMs);
  LastActivityMs = nowMs;
}
