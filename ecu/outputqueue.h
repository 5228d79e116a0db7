#pragma once
// Bytes waiting to go on the line, in chunks that each become due at a given time. Chunks leave
// in the order of their due times; chunks due at the same time keep the order they came in.
// A chunk can carry a key (the packet type) so the ECU can tell that a packet of that type is
// still waiting or still on its way out.

#include <cstdint>
#include <deque>
#include <limits>
#include <vector>

class TOutputQueue {
public:
  static constexpr int NoKey = -1;
  static constexpr int Unlimited = std::numeric_limits<int>::max();

  void Push(std::vector<std::uint8_t> bytes, std::int64_t dueMs, int key = NoKey);
  // Up to maxBytes of what is due at nowMs, appended to out in order; a chunk taken in part
  // keeps its rest at the front. Returns the number of bytes added.
  int TakeDue(std::int64_t nowMs, std::vector<std::uint8_t> &out, int maxBytes = Unlimited);
  // Whether a chunk with this key has not gone out completely yet.
  bool Holds(int key) const;
  void Clear() { Chunks.clear(); }
  bool Empty() const { return Chunks.empty(); }

private:
  struct SChunk {
    std::int64_t DueMs;
    int Key;
    std::vector<std::uint8_t> Bytes;
  };
  std::deque<SChunk> Chunks;
};
