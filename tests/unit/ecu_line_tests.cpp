#include "ecu_testing.h"
#include "ecuoptions.h"
#include "linepacer.h"
#include "outputqueue.h"

#include <gtest/gtest.h>

using namespace EcuTesting;

TEST(EcuLine, ChunksLeaveInTheOrderTheyFallDue)
{
  TOutputQueue q;
  q.Push({1}, 200);
  q.Push({2}, 100);
  q.Push({3}, 100);
  Bytes out;
  EXPECT_EQ(q.TakeDue(99, out), 0);
  EXPECT_EQ(q.TakeDue(150, out), 2);
  EXPECT_EQ(out, (Bytes{2, 3}));
  q.TakeDue(200, out);
  EXPECT_EQ(out, (Bytes{2, 3, 1}));
  EXPECT_TRUE(q.Empty());

  // A chunk the line takes only in part is still on its way out.
  q.Push({4, 5, 6}, 300, 49);
  out.clear();
  EXPECT_EQ(q.TakeDue(300, out, 2), 2);
  EXPECT_TRUE(q.Holds(49));
  q.TakeDue(300, out, 2);
  EXPECT_EQ(out, (Bytes{4, 5, 6}));
  EXPECT_FALSE(q.Holds(49));
}

TEST(EcuLine, ResendsWhileTheAnswerIsOnItsWayGetNoSecondAnswer)
{
  TEcuMemory memory;
  TEcuDevice device(memory, QuietSettings());
  const Bytes frame = Request({48, 1, 2});
  Bytes out;
  device.Received(frame.data(), int(frame.size()), 0);
  device.TakeOutput(0, out, 10);   // the line is slow: the answer is still going out
  device.Received(frame.data(), int(frame.size()), 60);
  device.TakeOutput(60, out);
  ASSERT_EQ(Packets(out).size(), 1u);
  EXPECT_EQ(out.size(), 74u);
  // Once it is out, a new request is answered again.
  EXPECT_EQ(Packets(Exchange(device, {48, 1, 2}, 100)).size(), 1u);
}

TEST(EcuLine, PacingFollowsTheBaudRate)
{
  for (const int baud : {9600, 57600}) {
    TLinePacer pacer(baud);
    int sent = 0;
    for (std::int64_t t = 0; t <= 1000; t += 5) {
      const int n = pacer.Available(t);
      pacer.Consume(n);
      sent += n;
    }
    EXPECT_NEAR(sent, baud / 10, 2) << baud;
    // A long idle time does not turn into a burst.
    EXPECT_LE(pacer.Available(61'000), baud / 10 / 50 + 1) << baud;
  }
}

TEST(EcuLine, SendsLiveAndHousekeepingPacketsOfItsOwnAccord)
{
  TEcuMemory memory;
  SEcuDeviceSettings settings;
  settings.LiveIntervalMs = 100;
  settings.ExtraIntervalMs = 300;
  TEcuDevice device(memory, settings);
  Bytes out;
  for (std::int64_t t = 0; t < 1000; t += 5) {
    device.Tick(t);
    device.TakeOutput(t, out);
  }
  std::vector<int> types;
  for (const auto &p : Packets(out))
    types.push_back(p.Type);
  EXPECT_EQ(std::count(types.begin(), types.end(), 1), 10);
  std::vector<int> others;
  std::copy_if(types.begin(), types.end(), std::back_inserter(others), [](int t) { return t != 1; });
  EXPECT_EQ(others, (std::vector<int>{81, 97, 161}));
}

TEST(EcuLine, BootloaderSpeedStopsTheFramedTraffic)
{
  TEcuMemory memory;
  SEcuDeviceSettings settings;
  settings.LiveIntervalMs = 100;
  TEcuDevice device(memory, settings);
  device.SetLineRate(57600, 0);
  EXPECT_EQ(device.Mode(), EEcuMode::Bootloader);
  Bytes out = Exchange(device, {16}, 0);
  for (std::int64_t t = 0; t < 500; t += 5)
    device.Tick(t), device.TakeOutput(t, out);
  EXPECT_TRUE(out.empty());
  device.SetLineRate(9600, 500);
  EXPECT_EQ(device.Mode(), EEcuMode::Normal);
  EXPECT_EQ(Packets(Exchange(device, {16}, 500)).size(), 1u);
}

TEST(EcuOptions, ParsesEveryOptionAndRefusesBadValues)
{
  SEcuOptions o;
  QString error;
  ASSERT_TRUE(ParseEcuOptions({"zolt-ecu"}, o, &error)) << qPrintable(error);
  EXPECT_TRUE(o.Pacing);
  EXPECT_EQ(o.Device.LiveIntervalMs, 100);
  EXPECT_EQ(o.Device.Faults.SilentAfterMs, -1);

  ASSERT_TRUE(ParseEcuOptions({"zolt-ecu", "--state", "/tmp/x", "--no-pacing", "--drop-answers", "0.25", "--corrupt",
                               "0.5", "--garbage", "1", "--wrong-echo-first", "--answer-delay-ms", "40",
                               "--silent-after-ms", "0", "--seed", "99", "--live-interval-ms", "0", "--identifier",
                               "00C0FFEE", "--flags", "1", "--version-text", "ZOLT 3.0"},
                              o, &error))
    << qPrintable(error);
  EXPECT_EQ(o.StateFile, "/tmp/x");
  EXPECT_FALSE(o.Pacing);
  EXPECT_DOUBLE_EQ(o.Device.Faults.DropAnswers, 0.25);
  EXPECT_DOUBLE_EQ(o.Device.Faults.Corrupt, 0.5);
  EXPECT_DOUBLE_EQ(o.Device.Faults.Garbage, 1.0);
  EXPECT_TRUE(o.Device.Faults.WrongEchoFirst);
  EXPECT_EQ(o.Device.Faults.AnswerDelayMs, 40);
  EXPECT_EQ(o.Device.Faults.SilentAfterMs, 0);
  EXPECT_EQ(o.Device.Faults.Seed, 99u);
  EXPECT_EQ(o.Device.LiveIntervalMs, 0);
  EXPECT_EQ(o.Device.Identity.Id, 0x00C0FFEEu);
  EXPECT_EQ(o.Device.Identity.Flags, 1);
  EXPECT_EQ(o.Device.Identity.Version, "ZOLT 3.0");

  for (const QStringList &bad : std::vector<QStringList>{{"--drop-answers", "1.5"}, {"--corrupt", "x"},
                                                         {"--answer-delay-ms", "-1"}, {"--identifier", "123"},
                                                         {"--flags", "256"}, {"--version-text", "THIRTEEN CHRS"},
                                                         {"--bogus"}, {"stray"}}) {
    SEcuOptions ignored;
    EXPECT_FALSE(ParseEcuOptions(QStringList{"zolt-ecu"} + bad, ignored, &error)) << qPrintable(bad.join(' '));
    EXPECT_FALSE(error.isEmpty());
  }
}
