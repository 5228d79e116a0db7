#include "ecuresponder.h"

#include "ecumemory.h"
#include "enginemodel.h"
#include "faultinjector.h"
#include "packetreplay.h"
#include "transmitter.h"

#include <algorithm>

namespace {

// Small slices keep a request that arrives in pieces inside the 96-byte window until it is whole.
constexpr int FeedSlice = 16;

int NextTable(int table)
{
  const auto &numbers = TEcuMemory::TableNumbers;
  const int slot = TEcuMemory::TableSlot(table);
  return numbers[(slot + 1) % numbers.size()];
}

}   // namespace

int TEcuResponder::Feed(const std::uint8_t *bytes, int n, std::int64_t nowMs)
{
  int found = 0;
  for (int at = 0; at < n; at += FeedSlice) {
    const int slice = std::min(FeedSlice, n - at);
    found += Window.ScanWindow(bytes + at, slice, [&](const TReceiveWindow::SFound &p) {
      Handle(p.Type, p.Payload, p.Length, nowMs);
    });
  }
  return found;
}

void TEcuResponder::Handle(std::uint8_t type, const std::uint8_t *payload, int length, std::int64_t nowMs)
{
  std::vector<std::uint8_t> answer;
  bool wrote = false;
  const bool answered = Answer(type, payload, length, nowMs, answer, &wrote);
  if (wrote && MemoryWritten)
    MemoryWritten();
  if (!answered)
    return;
  // A dropped answer is lost on the line: a write has still been stored. The decision is drawn
  // for every request, so the same requests meet the same drops whatever the timing.
  if (Faults.DropAnswer())
    return;
  const auto answerType = static_cast<std::uint8_t>(type + 1);
  // Like the ECU's single transmit buffer: a resent request whose answer is still waiting or on
  // its way out gets no second one. Queueing one answer per resend would pile up more bytes than
  // 9600 baud carries, and every later answer would come too late.
  if (Out.Waiting(answerType))
    return;
  // The request still goes to the memory (a write is kept), but the recorded session's answer is
  // what the manager sees; only an answer that goes out takes one from the log.
  if (Replay)
    Replay->Next(answerType, answer);
  const std::int64_t due = nowMs + Faults.Settings().AnswerDelayMs;
  if (Faults.Settings().WrongEchoFirst) {
    const std::vector<std::uint8_t> wrong = WrongEchoAnswer(type, payload, length);
    if (!wrong.empty())
      Out.Send(answerType, wrong, due);
  }
  Out.Send(answerType, answer, due);
}

std::vector<std::uint8_t> TEcuResponder::VersionAnswer() const
{
  std::vector<std::uint8_t> out(17, 0);
  std::copy_n(Identity.Version.begin(), std::min<std::size_t>(Identity.Version.size(), 12), out.begin());
  for (int k = 0; k < 4; ++k)
    out[12 + k] = static_cast<std::uint8_t>((Identity.Id >> (8 * k)) & 0xFF);
  out[16] = Identity.Flags;
  return out;
}

bool TEcuResponder::Answer(std::uint8_t type, const std::uint8_t *payload, int length, std::int64_t nowMs,
                           std::vector<std::uint8_t> &answer, bool *wrote)
{
  answer.clear();
  *wrote = false;
  // Requests the ECU does not know, addresses without memory and data of the wrong size go
  // unanswered: the manager resends and reports the failure, and nothing half-written is kept.
  switch (type) {
  case ReadInfo:
    answer = Engine.LivePayload(nowMs);
    return true;
  case ReadVersion:
    answer = VersionAnswer();
    return true;
  case ReadParameters:
    answer.assign(Memory.Params.begin(), Memory.Params.end());
    return true;
  case ReadExtraParameters:
    answer.assign(Memory.ParamsExt.begin(), Memory.ParamsExt.end());
    return true;
  case WriteParameters:
    if (length != TEcuMemory::ParamsSize)
      return false;
    std::copy_n(payload, length, Memory.Params.begin());
    *wrote = true;
    return true;
  case WriteExtraParameters:
    if (length != TEcuMemory::ParamsExtSize)
      return false;
    std::copy_n(payload, length, Memory.ParamsExt.begin());
    *wrote = true;
    return true;
  case ReadBlock: {
    if (length < 2)
      return false;
    answer.assign(2 + TEcuMemory::BlockSize, 0);
    answer[0] = payload[0];
    answer[1] = payload[1];
    return Memory.ReadBlock(payload[0], payload[1], answer.data() + 2);
  }
  case WriteBlock:
    if (length != 2 + TEcuMemory::BlockSize || !Memory.WriteBlock(payload[0], payload[1], payload + 2))
      return false;
    answer = {payload[0], payload[1]};
    *wrote = true;
    return true;
  case ReadTable: {
    const std::vector<std::uint8_t> *table = length >= 1 ? Memory.Table(payload[0]) : nullptr;
    if (!table)
      return false;
    answer.push_back(payload[0]);
    answer.insert(answer.end(), table->begin(), table->end());
    return true;
  }
  case WriteTable:
    if (length < 1 || !Memory.WriteTable(payload[0], payload + 1, length - 1))
      return false;
    answer = {payload[0]};
    *wrote = true;
    return true;
  default:
    return false;
  }
}

std::vector<std::uint8_t> TEcuResponder::WrongEchoAnswer(std::uint8_t type, const std::uint8_t *payload,
                                                          int length) const
{
  std::vector<std::uint8_t> out;
  switch (type) {
  case ReadBlock:
  case WriteBlock: {
    if (length < 2)
      break;
    // The same flow pair of the next map: a real address with real data, only not the one asked.
    const std::uint8_t other = static_cast<std::uint8_t>((payload[0] + 1) % TEcuMemory::MapCount);
    out = {other, payload[1]};
    if (type == ReadBlock) {
      out.resize(2 + TEcuMemory::BlockSize);
      if (!Memory.ReadBlock(other, payload[1], out.data() + 2))
        out.clear();
    }
    break;
  }
  case ReadTable:
  case WriteTable: {
    if (length < 1 || TEcuMemory::TableSlot(payload[0]) < 0)
      break;
    const int other = NextTable(payload[0]);
    out = {static_cast<std::uint8_t>(other)};
    if (type == ReadTable) {
      const std::vector<std::uint8_t> *table = Memory.Table(other);
      out.insert(out.end(), table->begin(), table->end());
    }
    break;
  }
  default:
    break;
  }
  return out;
}
