#pragma once
// Bytes waiting to go on the line, in chunks that each become due at a given time. Chunks leave
// in the order of their due times; chunks due at the same time keep the order they came in.

#include <cstdint>
#include <deque>
#include <vector>

class TOutputQueue {
public:
  void Push(std::vector<std::uint8_t> bytes, std::int64_t dueMs);
  // Everything due at nowMs, appended to out in order; returns the number of bytes added.
  int TakeDue(std::int64_t nowMs, std::vector<std::uint8_t> &out);
  void Clear() { Chunks.clear(); }
  bool Empty() const { return Chunks.empty(); }
  std::size_t ChunkCount() const { return Chunks.size(); }

private:
  struct SChunk {
    std::int64_t DueMs;
    std::vector<std::uint8_t> Bytes;
  };
  std::deque<SChunk> Chunks;
};
