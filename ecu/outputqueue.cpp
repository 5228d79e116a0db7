#include "outputqueue.h"

#include <algorithm>

void TOutputQueue::Push(std::vector<std::uint8_t> bytes, std::int64_t dueMs, int key)
{
  if (bytes.empty())
    return;
  const auto at = std::upper_bound(Chunks.begin(), Chunks.end(), dueMs,
                                   [](std::int64_t due, const SChunk &c) { return due < c.DueMs; });
  Chunks.insert(at, SChunk{dueMs, key, std::move(bytes)});
}

int TOutputQueue::TakeDue(std::int64_t nowMs, std::vector<std::uint8_t> &out, int maxBytes)
{
  int added = 0;
  while (!Chunks.empty() && Chunks.front().DueMs <= nowMs && added < maxBytes) {
    std::vector<std::uint8_t> &bytes = Chunks.front().Bytes;
    const int n = std::min(static_cast<int>(bytes.size()), maxBytes - added);
    out.insert(out.end(), bytes.begin(), bytes.begin() + n);
    added += n;
    if (n == static_cast<int>(bytes.size()))
      Chunks.pop_front();
    else
      bytes.erase(bytes.begin(), bytes.begin() + n);
  }
  return added;
}

bool TOutputQueue::Holds(int key) const
{
  return std::any_of(Chunks.begin(), Chunks.end(), [key](const SChunk &c) { return c.Key == key; });
}
