#include "outputqueue.h"

#include <algorithm>

void TOutputQueue::Push(std::vector<std::uint8_t> bytes, std::int64_t dueMs)
{
  if (bytes.empty())
    return;
  const auto at = std::upper_bound(Chunks.begin(), Chunks.end(), dueMs,
                                   [](std::int64_t due, const SChunk &c) { return due < c.DueMs; });
  Chunks.insert(at, SChunk{dueMs, std::move(bytes)});
}

int TOutputQueue::TakeDue(std::int64_t nowMs, std::vector<std::uint8_t> &out)
{
  int added = 0;
  while (!Chunks.empty() && Chunks.front().DueMs <= nowMs) {
    const std::vector<std::uint8_t> &bytes = Chunks.front().Bytes;
    out.insert(out.end(), bytes.begin(), bytes.end());
    added += static_cast<int>(bytes.size());
    Chunks.pop_front();
  }
  return added;
}
