// The virtual ECU playing a recorded packet log back.

#include "ecu_testing.h"
#include "packetreplay.h"
#include "records.h"
#include "tempdir.h"

#include <QFile>
#include <cstring>
#include <gtest/gtest.h>

using namespace EcuTesting;

namespace {

SPacket Record(std::uint8_t type, const Bytes &payload)
{
  SPacket p;
  std::memset(&p, 0, sizeof p);
  if (!payload.empty())
    std::memcpy(p.Data, payload.data(), payload.size());
  p.Length = int(payload.size());
  p.Status = SPacket::Waiting;
  p.Type = type;
  return p;
}

QByteArray Log(const std::vector<SPacket> &records)
{
  QByteArray bytes;
  for (const SPacket &p : records)
    bytes.append(reinterpret_cast<const char *>(&p), sizeof p);
  return bytes;
}

Bytes Live(int n) { return Pattern(24, n); }

// Every packet the device puts on the line from..to, ticking every 5 ms.
std::vector<SPacketSeen> RunDevice(TEcuDevice &device, std::int64_t from, std::int64_t to)
{
  Bytes out;
  for (std::int64_t t = from; t <= to; t += 5) {
    device.Tick(t);
    device.TakeOutput(t, out);
  }
  return Packets(out);
}

}   // namespace

TEST(EcuReplayLog, TakesRecordsAndIgnoresAPartialOneAtTheEnd)
{
  QByteArray bytes = Log({Record(1, Live(1)), Record(17, Pattern(50, 9)), Record(1, Live(2))});
  bytes.append(QByteArray(40, '\x11'));
  TPacketReplay replay;
  QString error;
  ASSERT_TRUE(replay.Load(bytes, &error)) << error.toStdString();
  EXPECT_EQ(replay.RecordCount(), 3);
  EXPECT_EQ(replay.TrailingBytes(), 40);
  EXPECT_EQ(replay.Remaining(1), 2);
  EXPECT_EQ(replay.Remaining(17), 1);
  Bytes payload;
  ASSERT_TRUE(replay.Next(1, payload));
  EXPECT_EQ(payload, Live(1));
  ASSERT_TRUE(replay.Next(1, payload));
  EXPECT_EQ(payload, Live(2));
  EXPECT_FALSE(replay.Next(1, payload));
  EXPECT_FALSE(replay.Next(49, payload));
}

TEST(EcuReplayLog, RefusesDamagedAndForeignFiles)
{
  struct SCase {
    const char *What;
    void (*Spoil)(SPacket &);
    const char *Reason;
  };
  const SCase cases[] = {
    {"status", [](SPacket &p) { p.Status = 0; }, "status 0"},
    {"length", [](SPacket &p) { p.Length = 89; }, "payload length 89"},
    {"negative length", [](SPacket &p) { p.Length = -1; }, "payload length -1"},
    {"type", [](SPacket &p) { p.Type = 5; }, "type 5"},
    {"reserved", [](SPacket &p) { p.Reserved[1] = 1; }, "reserved"},
    {"padding", [](SPacket &p) { p.Data[90] = 0x55; }, "after the payload"},
  };
  for (const SCase &c : cases) {
    SCOPED_TRACE(c.What);
    SPacket bad = Record(1, Live(2));
    c.Spoil(bad);
    TPacketReplay replay;
    QString error;
    EXPECT_FALSE(replay.Load(Log({Record(1, Live(1)), bad}), &error));
    EXPECT_TRUE(error.contains(QStringLiteral("record 2 "))) << error.toStdString();
    EXPECT_TRUE(error.contains(QLatin1String(c.Reason))) << error.toStdString();
  }
  // A text file, an empty one and one shorter than a record.
  for (const QByteArray &foreign : {QByteArray(300, 'x'), QByteArray(), QByteArray(103, '\0')}) {
    TPacketReplay replay;
    QString error;
    EXPECT_FALSE(replay.Load(foreign, &error)) << foreign.size();
    EXPECT_FALSE(error.isEmpty());
  }
}

class EcuReplay : public TTempDirTest {
protected:
  void Start(const std::vector<SPacket> &records, int liveIntervalMs = 100, int extraIntervalMs = 0)
  {
    QString error;
    ASSERT_TRUE(Replay.Load(Log(records), &error)) << error.toStdString();
    SEcuDeviceSettings s = QuietSettings();
    s.LiveIntervalMs = liveIntervalMs;
    s.ExtraIntervalMs = extraIntervalMs;
    Device = std::make_unique<TEcuDevice>(Memory, s);
    Device->SetReplay(&Replay);
  }

  TEcuMemory Memory;
  TPacketReplay Replay;
  std::unique_ptr<TEcuDevice> Device;
};

TEST_F(EcuReplay, PlaysTheRecordedLivePacketsInOrderOnceTheManagerSpeaks)
{
  Start({Record(1, Live(1)), Record(1, Live(2)), Record(1, Live(3))});
  // Nobody has asked anything yet: nothing recorded is wasted on a line nobody reads, only a noise
  // byte now and then shows the manager a line that is alive.
  Bytes waiting;
  for (std::int64_t t = 0; t < 1000; t += 5) {
    Device->Tick(t);
    Device->TakeOutput(t, waiting);
  }
  EXPECT_EQ(waiting, Bytes(10, 0x00));

  const auto first = Packets(Exchange(*Device, {0}, 1000));
  ASSERT_EQ(first.size(), 1u);
  EXPECT_EQ(first[0].Payload, Live(1));
  const auto seen = RunDevice(*Device, 1005, 1400);
  ASSERT_EQ(seen.size(), 4u);
  EXPECT_EQ(seen[0].Payload, Live(2));
  EXPECT_EQ(seen[1].Payload, Live(3));
  // The log has run out: the ECU goes on with its own live data.
  for (const auto &p : seen)
    EXPECT_EQ(p.Type, 1);
  EXPECT_EQ(seen[2].Payload, Device->Engine().LivePayload(1300));
}

TEST_F(EcuReplay, AnswersComeFromTheLogWhileItHasThemThenFromMemory)
{
  const Bytes recordedParams = Pattern(50, 40);
  const Bytes recordedBlock = Cat({2, 4}, Pattern(64, 5));
  Start({Record(17, recordedParams), Record(49, recordedBlock), Record(33, {})}, 0);

  auto answer = [&](const Bytes &request, std::int64_t t) {
    const auto packets = Packets(Exchange(*Device, request, t));
    EXPECT_EQ(packets.size(), 1u);
    return packets.empty() ? SPacketSeen{} : packets[0];
  };
  EXPECT_EQ(answer({16}, 0).Payload, recordedParams);
  EXPECT_EQ(answer({16}, 100).Payload, Bytes(Memory.Params.begin(), Memory.Params.end()));
  // The recorded answer, whatever was asked: the session is reproduced as it went.
  const SPacketSeen block = answer({48, 2, 4}, 200);
  EXPECT_EQ(block.Type, 49);
  EXPECT_EQ(block.Payload, recordedBlock);
  // A write is still kept in the memory while its acknowledgement comes from the log.
  const Bytes params = Pattern(50, 77);
  EXPECT_EQ(answer(Cat({32}, params), 300).Type, 33);
  EXPECT_EQ(Bytes(Memory.Params.begin(), Memory.Params.end()), params);
  EXPECT_EQ(answer({16}, 400).Payload, params);
}

TEST_F(EcuReplay, HousekeepingPacketsComeInTheirRecordedOrder)
{
  Start({Record(97, {1, 2}), Record(1, Live(1)), Record(161, {3}), Record(81, {4, 5, 6, 7})}, 0, 100);
  Exchange(*Device, {18}, 0);
  const auto seen = RunDevice(*Device, 5, 420);
  ASSERT_EQ(seen.size(), 4u);
  EXPECT_EQ(seen[0].Type, 97);
  EXPECT_EQ(seen[0].Payload, (Bytes{1, 2}));
  EXPECT_EQ(seen[1].Type, 161);
  EXPECT_EQ(seen[2].Type, 81);
  EXPECT_EQ(seen[2].Payload, (Bytes{4, 5, 6, 7}));
  // Then the ECU's own, starting with 81.
  EXPECT_EQ(seen[3].Type, 81);
  EXPECT_EQ(seen[3].Payload.size(), 4u);
}

TEST_F(EcuReplay, LoadFileNamesTheReason)
{
  TPacketReplay replay;
  QString error;
  EXPECT_FALSE(replay.LoadFile(Path(QStringLiteral("missing.zlp")), &error));
  EXPECT_FALSE(error.isEmpty());
  QFile f(Path(QStringLiteral("Log.zlp")));
  ASSERT_TRUE(f.open(QIODevice::WriteOnly));
  f.write(Log({Record(241, Pattern(17, 1))}));
  f.close();
  ASSERT_TRUE(replay.LoadFile(f.fileName(), &error)) << error.toStdString();
  EXPECT_EQ(replay.Remaining(241), 1);
}
