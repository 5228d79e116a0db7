#include "framing.h"

#include <gtest/gtest.h>

#include <random>
#include <vector>

namespace {

using Bytes = std::vector<std::uint8_t>;

struct SSeen {
  std::uint8_t Type;
  Bytes Payload;
  bool operator==(const SSeen &) const = default;
};

std::vector<SSeen> Scan(TReceiveWindow &w, const Bytes &batch)
{
  std::vector<SSeen> seen;
  w.ScanWindow(batch.data(), int(batch.size()), [&](const TReceiveWindow::SFound &p) {
    seen.push_back({p.Type, Bytes(p.Payload, p.Payload + p.Length)});
  });
  return seen;
}

Bytes Packet(std::uint8_t type, const Bytes &payload)
{
  return Framing::BuildPacket(type, payload.data(), int(payload.size()));
}

Bytes Concat(std::initializer_list<Bytes> parts)
{
  Bytes all;
  for (const Bytes &p : parts)
    all.insert(all.end(), p.begin(), p.end());
  return all;
}

}   // namespace

TEST(Framing, BuildsTheDocumentedFrames)
{
  EXPECT_EQ(Packet(1, {}), (Bytes{0x55, 0x00, 0xAA, 0x00, 0x03, 0x01, 0x04, 0x00}));
  // A request: type 48, block 2, part 4 -> L = 5, check = 5 + 48 + 2 + 4.
  const Bytes request{48, 2, 4};
  EXPECT_EQ(Framing::BuildFrame(request.data(), 3), (Bytes{0x55, 0x00, 0xAA, 0x00, 5, 48, 2, 4, 59, 0}));
}

TEST(ReceiveWindow, FindsPacketsInTheByteStream)
{
  const Bytes payload{1, 2, 3, 250};
  struct SCase {
    const char *Name;
    std::vector<Bytes> Batches;
    std::vector<SSeen> Expected;
  };
  const Bytes p = Packet(17, payload);
  const Bytes empty = {0x55, 0x00, 0xAA, 0x00, 0x03, 0x01, 0x04, 0x00};
  Bytes highFirst = empty;
  std::swap(highFirst[6], highFirst[7]);
  const std::vector<SCase> cases{
      {"empty payload", {empty}, {{1, {}}}},
      {"split over two batches", {Bytes(p.begin(), p.begin() + 5), Bytes(p.begin() + 5, p.end())}, {{17, payload}}},
      {"noise before the marker", {Concat({{0x13, 0x55, 0x00, 0xAA, 0x77, 0x55}, p})}, {{17, payload}}},
      {"check sent high byte first", {highFirst}, {}},
      {"two packets in one batch, front first", {Concat({p, empty})}, {{17, payload}, {1, {}}}},
      {"marker with a length below 3 does not block",
       {Concat({{0x55, 0x00, 0xAA, 0x00, 0x02, 0x02, 0x00}, p})}, {{17, payload}}},
      {"wrong check", {Concat({Bytes(p.begin(), p.end() - 1), {Bytes::value_type(p.back() + 1)}})}, {}},
  };
  for (const SCase &c : cases) {
    TReceiveWindow w;
    std::vector<SSeen> seen;
    for (const Bytes &batch : c.Batches)
      for (SSeen &s : Scan(w, batch))
        seen.push_back(s);
    EXPECT_EQ(seen, c.Expected) << c.Name;
  }
}

TEST(ReceiveWindow, NeverFindsAPacketTwice)
{
  TReceiveWindow w;
  EXPECT_EQ(Scan(w, Packet(1, {9, 9})).size(), 1u);
  for (int k = 0; k < 20; ++k)
    EXPECT_TRUE(Scan(w, {0x00}).empty());
}

TEST(ReceiveWindow, LargestPacketFitsTheWindow)
{
  const Bytes payload(Framing::MaxPayload, 0xAB);
  TReceiveWindow w;
  const auto seen = Scan(w, Packet(113, payload));
  ASSERT_EQ(seen.size(), 1u);
  EXPECT_EQ(seen[0].Payload, payload);
}

// Noise, truncated packets and wrong checks around real packets: nothing false is ever taken,
// order is kept, and with batches small enough that no packet scrolls out, nothing is lost.
TEST(ReceiveWindow, RandomStreamsGiveExactlyTheSentPackets)
{
  for (unsigned seed = 1; seed <= 300; ++seed) {
    std::mt19937 rng(seed);
    auto byte = [&rng] { return std::uint8_t(rng() & 0xFF); };
    Bytes stream;
    std::vector<SSeen> sent;
    for (int k = 0; k < 40; ++k) {
      const int noise = int(rng() % 12);
      for (int n = 0; n < noise; ++n)
        stream.push_back(rng() % 4 == 0 ? Framing::SyncMarker[rng() % 4] : byte());
      Bytes payload(rng() % 30);
      for (auto &b : payload)
        b = byte();
      Bytes frame = Packet(std::uint8_t(rng() % 3 == 0 ? 5 : 1 + rng() % 200), payload);
      switch (rng() % 5) {
      case 0: {   // truncated; the next byte is never the one that was cut off
        const std::size_t cut = 1 + rng() % (frame.size() - 1);
        const std::uint8_t lost = frame[cut];
        frame.resize(cut);
        frame.push_back(lost ^ 0xFF);
        break;
      }
      case 1:   // damaged check
        frame.back() ^= std::uint8_t(1 + rng() % 255);
        break;
      default:
        sent.push_back({frame[5], payload});
      }
      stream.insert(stream.end(), frame.begin(), frame.end());
    }
    const int maxBatch = seed % 2 ? 32 : 96;
    TReceiveWindow w;
    std::vector<SSeen> seen;
    for (std::size_t at = 0; at < stream.size();) {
      const std::size_t n = std::min<std::size_t>(1 + rng() % maxBatch, stream.size() - at);
      for (SSeen &s : Scan(w, Bytes(stream.begin() + long(at), stream.begin() + long(at + n))))
        seen.push_back(s);
      at += n;
    }
    // Every packet seen was sent, in order.
    std::size_t next = 0;
    for (const SSeen &s : seen) {
      while (next < sent.size() && !(sent[next] == s))
        ++next;
      ASSERT_LT(next, sent.size()) << "seed " << seed << ": a packet that was never sent, type " << int(s.Type)
                                   << " length " << s.Payload.size();
      ++next;
    }
    if (maxBatch == 32) {
      EXPECT_EQ(seen.size(), sent.size()) << "seed " << seed;
    }
  }
}
