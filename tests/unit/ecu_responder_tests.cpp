#include "ecu_testing.h"

#include <gtest/gtest.h>

#include <string>

using namespace EcuTesting;

namespace {

class EcuResponder : public ::testing::Test {
protected:
  TEcuMemory Memory;
  TEcuDevice Device{Memory, QuietSettings()};

  std::vector<SPacketSeen> Ask(const Bytes &request) { return Packets(Exchange(Device, request)); }
};

}   // namespace

TEST_F(EcuResponder, AnswersEveryRequestWithItsTypeAndEcho)
{
  struct SCase {
    Bytes Request;
    std::uint8_t Type;
    Bytes Prefix;
    std::size_t Length;
  };
  const std::vector<SCase> cases = {
    {{0}, 1, {}, 24},
    {{240}, 241, {'Z', 'O', 'L', 'T', ' ', '2', '.', '1', '5', 0, 0, 0, 0xCD, 0xAB, 0x34, 0x12, 3}, 17},
    {{16}, 17, {4, 3}, 50},
    {{18}, 19, {}, 10},
    {{48, 5, 14}, 49, {5, 14}, 66},
    {{48, 0, 0}, 49, {0, 0}, 66},
    {{112, 1}, 113, {1}, 19},
    {{112, 3}, 113, {3}, 17},
    {{112, 4}, 113, {4}, 17},
    {{112, 6}, 113, {6}, 19},
    {{112, 9}, 113, {9}, 17},
    {Cat({32}, Pattern(50, 1)), 33, {}, 0},
    {Cat({34}, Pattern(10, 2)), 35, {}, 0},
    {Cat({64, 3, 6}, Pattern(64, 3)), 65, {3, 6}, 2},
    {Cat({128, 9}, Pattern(16, 4)), 129, {9}, 1},
  };
  for (const SCase &c : cases) {
    SCOPED_TRACE(int(c.Request[0]));
    const auto answers = Ask(c.Request);
    ASSERT_EQ(answers.size(), 1u);
    EXPECT_EQ(answers[0].Type, c.Type);
    EXPECT_EQ(answers[0].Payload.size(), c.Length);
    ASSERT_GE(answers[0].Payload.size(), c.Prefix.size());
    EXPECT_TRUE(std::equal(c.Prefix.begin(), c.Prefix.end(), answers[0].Payload.begin()));
  }
}

TEST_F(EcuResponder, LeavesUnknownRequestsAndAddressesUnanswered)
{
  const std::vector<Bytes> requests = {
    {5}, {17}, {48}, {48, 6, 0}, {48, 0, 1}, {48, 0, 16}, {112, 5}, {112, 7}, {112, 0},
    {128, 4}, Cat({128, 4}, Pattern(19, 1)), Cat({128, 7}, Pattern(16, 1)),
    Cat({32}, Pattern(49, 1)), Cat({34}, Pattern(11, 1)), Cat({64, 0, 0}, Pattern(63, 1)), Cat({64, 6, 0}, Pattern(64, 1)),
  };
  const TEcuMemory before = Memory;
  for (const Bytes &r : requests) {
    SCOPED_TRACE(int(r[0]));
    EXPECT_TRUE(Ask(r).empty());
  }
  EXPECT_EQ(Memory.Maps, before.Maps);
  EXPECT_EQ(Memory.Params, before.Params);
  EXPECT_EQ(Memory.Tables, before.Tables);
}

TEST_F(EcuResponder, WritesAreReadBackAndReported)
{
  int written = 0;
  Device.SetMemoryWritten([&] { ++written; });

  const Bytes block = Pattern(64, 9);
  ASSERT_EQ(Ask(Cat({64, 4, 10}, block)).size(), 1u);
  EXPECT_EQ(Ask({48, 4, 10})[0].Payload, Cat({4, 10}, block));
  EXPECT_TRUE(std::equal(block.begin(), block.end(), Memory.Maps.begin() + 4 * 512 + 5 * 64));

  // A table keeps what was written, whatever its usual size.
  const Bytes table = Pattern(18, 5);
  Ask(Cat({128, 3}, table));
  EXPECT_EQ(Ask({112, 3})[0].Payload, Cat({3}, table));
  Ask(Cat({128, 1}, Pattern(2, 6)));
  EXPECT_EQ(Ask({112, 1})[0].Payload, Cat({1}, Pattern(2, 6)));

  const Bytes params = Pattern(50, 11), ext = Pattern(10, 12);
  Ask(Cat({32}, params));
  Ask(Cat({34}, ext));
  EXPECT_EQ(Ask({16})[0].Payload, params);
  EXPECT_EQ(Ask({18})[0].Payload, ext);
  EXPECT_EQ(written, 5);
}

TEST_F(EcuResponder, FindsRequestsSplitAndAmongNoise)
{
  const Bytes frame = Request({112, 2});
  const Bytes noise = {0x55, 0x00, 0xAA, 0x13, 0x55, 0x00, 7};
  const Bytes stream = Cat(Cat(noise, frame), Request({18}));
  std::vector<SPacketSeen> answers;
  for (std::size_t k = 0; k < stream.size(); ++k) {   // one byte at a time, like a slow line
    Device.Received(&stream[k], 1, 0);
    Bytes out;
    Device.TakeOutput(0, out);
    for (auto &p : Packets(out))
      answers.push_back(p);
  }
  ASSERT_EQ(answers.size(), 2u);
  EXPECT_EQ(answers[0].Type, 113);
  EXPECT_EQ(answers[1].Type, 19);
}

TEST(EcuFaults, DroppedAnswersFollowTheSeed)
{
  auto pattern = [](std::uint32_t seed) {
    TEcuMemory memory;
    SFaultSettings faults;
    faults.DropAnswers = 0.3;
    faults.Seed = seed;
    TEcuDevice device(memory, QuietSettings(faults));
    std::vector<bool> answered;
    for (int k = 0; k < 1000; ++k)
      answered.push_back(!Packets(Exchange(device, {18}, k)).empty());
    return answered;
  };
  const std::vector<bool> first = pattern(7);
  const auto count = std::count(first.begin(), first.end(), true);
  EXPECT_GT(count, 620);
  EXPECT_LT(count, 780);
  EXPECT_EQ(pattern(7), first);
  EXPECT_NE(pattern(8), first);
}

TEST(EcuFaults, WrongEchoComesFirstThenTheRightOne)
{
  TEcuMemory memory;
  SFaultSettings faults;
  faults.WrongEchoFirst = true;
  TEcuDevice device(memory, QuietSettings(faults));

  struct SCase {
    Bytes Request;
    std::size_t EchoBytes;
  };
  const std::vector<SCase> cases = {
    {{48, 2, 6}, 2}, {{48, 5, 14}, 2}, {Cat({64, 1, 0}, Pattern(64, 1)), 2}, {{112, 9}, 1}, {Cat({128, 4}, Pattern(16, 2)), 1},
  };
  for (const SCase &c : cases) {
    SCOPED_TRACE(int(c.Request[0]));
    const auto answers = Packets(Exchange(device, c.Request));
    ASSERT_EQ(answers.size(), 2u);
    const Bytes echo(c.Request.begin() + 1, c.Request.begin() + 1 + c.EchoBytes);
    EXPECT_FALSE(std::equal(echo.begin(), echo.end(), answers[0].Payload.begin()));
    EXPECT_TRUE(std::equal(echo.begin(), echo.end(), answers[1].Payload.begin()));
    EXPECT_EQ(answers[0].Type, answers[1].Type);
  }
  // The wrong answer of a read carries the other block's real data.
  const auto blockAnswers = Packets(Exchange(device, {48, 2, 6}));
  EXPECT_EQ(blockAnswers[0].Payload, Packets(Exchange(device, {48, blockAnswers[0].Payload[0], 6}))[1].Payload);
  // Requests without an echo are answered once.
  EXPECT_EQ(Packets(Exchange(device, {16})).size(), 1u);
}

TEST(EcuFaults, CorruptChecksAndNoiseOnTheLine)
{
  TEcuMemory memory;
  SFaultSettings corrupt;
  corrupt.Corrupt = 1.0;
  TEcuDevice broken(memory, QuietSettings(corrupt));
  const Bytes out = Exchange(broken, {16});
  EXPECT_EQ(out.size(), 58u);   // the whole packet goes out ...
  EXPECT_TRUE(Packets(out).empty());   // ... but no receiver takes it

  SFaultSettings noisy;
  noisy.Garbage = 1.0;
  noisy.Seed = 3;
  TEcuDevice device(memory, QuietSettings(noisy));
  Bytes stream;
  for (int k = 0; k < 200; ++k)
    stream = Cat(stream, Exchange(device, {112, 2}, k));
  const auto answers = Packets(stream);
  EXPECT_EQ(answers.size(), 200u);
  EXPECT_GT(stream.size(), 200u * 26);
}

TEST(EcuFaults, LateAnswersAndSilence)
{
  TEcuMemory memory;
  SFaultSettings faults;
  faults.AnswerDelayMs = 200;
  faults.SilentAfterMs = 500;
  SEcuDeviceSettings settings = QuietSettings(faults);
  settings.LiveIntervalMs = 100;
  TEcuDevice device(memory, settings);

  EXPECT_TRUE(Packets(Exchange(device, {18}, 1000)).empty());
  Bytes out;
  device.TakeOutput(1199, out);
  EXPECT_TRUE(Packets(out).empty());
  device.TakeOutput(1200, out);
  ASSERT_EQ(Packets(out).size(), 1u);
  EXPECT_EQ(Packets(out)[0].Type, 19);

  // From 500 ms after the first byte on, nothing at all: no answers, no live data.
  out.clear();
  for (std::int64_t t = 1500; t < 3000; t += 5) {
    device.Tick(t);
    Exchange(device, {18}, t);
    device.TakeOutput(t, out);
  }
  EXPECT_TRUE(out.empty());
}
