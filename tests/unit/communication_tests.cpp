#include "communication.h"
#include "scriptedline.h"
#include "tempdir.h"
#include "waitfor.h"

#include <QFile>
#include <gtest/gtest.h>

#include <atomic>
#include <cstring>
#include <thread>

namespace {

QByteArray Bytes(std::initializer_list<int> values) { return TScriptedLine::Bytes(values); }

// A link over a scripted line, opened and alive: the line keeps sending live packets.
class LinkTest : public TTempDirTest {
protected:
  void SetUp() override
  {
    TTempDirTest::SetUp();
    Line = new TScriptedLine;
    Link = std::make_unique<TCommunication>(nullptr, QString(), Line);
    ASSERT_TRUE(Link->OpenPort(QStringLiteral("/dev/pts/test")));
    Line->Heartbeat.start();
    ASSERT_TRUE(WaitFor([this] { return Link->IsLinkAlive(); }));
  }

  // Answers each request of requestType with the packets the function gives for it.
  void Answer(std::uint8_t requestType, std::function<QList<QByteArray>(const QByteArray &frame)> answers)
  {
    Line->OnWrite = [this, requestType, answers](const QByteArray &frame) {
      if (frame.size() > 5 && std::uint8_t(frame[5]) == requestType)
        for (const QByteArray &packet : answers(frame))
          Line->Feed(packet);
    };
  }

  TScriptedLine *Line = nullptr;
  std::unique_ptr<TCommunication> Link;
};

}   // namespace

TEST_F(LinkTest, TakeAnswerMovesAPacketOutOfItsSlotOnce)
{
  Line->Heartbeat.stop();
  Line->FeedPacket(17, Bytes({7, 8, 9}));
  SPacket record = SPacket::MakeEmpty();
  ASSERT_TRUE(WaitFor([&] {
    Link->TakeAnswer(record, 17);
    return record.Status == SPacket::Waiting;
  }));
  EXPECT_EQ(record.Length, 3);
  EXPECT_EQ(record.Type, 17);
  EXPECT_EQ(record.Data[2], 9);
  EXPECT_EQ(record.Data[3], 0);   // zero after the payload

  SPacket again = record;
  again.Data[0] = 0x42;
  Link->TakeAnswer(again, 17);
  EXPECT_EQ(again.Data[0], 0x42) << "an emptied slot leaves the caller's record as it was";
  EXPECT_FALSE(TCommunication::HasSlot(5));
  EXPECT_TRUE(TCommunication::HasSlot(161));
}

TEST_F(LinkTest, AnEcuThatNeverAnswersGetsOneSendAndFourResends)
{
  std::uint8_t dest[64];
  EXPECT_EQ(Link->ReadCalibrationBlock(dest, 64, 2, 4), 0);
  EXPECT_EQ(Line->CountWrites(48), 5);
}

TEST_F(LinkTest, WrongEchoIsSkippedAndTheRightAnswerCopied)
{
  Answer(48, [](const QByteArray &frame) {
    QByteArray right = frame.mid(6, 2) + QByteArray(64, char(25));
    QByteArray wrong = Bytes({frame[6] + 1, frame[7]}) + QByteArray(64, char(99));
    return QList<QByteArray>{TScriptedLine::Packet(49, wrong), TScriptedLine::Packet(49, right)};
  });
  std::uint8_t dest[64] = {};
  ASSERT_EQ(Link->ReadCalibrationBlock(dest, 64, 3, 6), 64);
  EXPECT_EQ(dest[0], 25);
  EXPECT_EQ(dest[63], 25);
}

TEST_F(LinkTest, EndlessWrongEchoesFailTheOperation)
{
  Answer(64, [](const QByteArray &frame) {
    QList<QByteArray> answers;
    for (int k = 0; k < 12; ++k)
      answers << TScriptedLine::Packet(65, Bytes({frame[6] + 1, frame[7]}));
    return answers;
  });
  const std::uint8_t block[64] = {};
  EXPECT_FALSE(Link->WriteCalibrationBlock(block, 64, 1, 0));
}

TEST_F(LinkTest, ALateAnswerToAnEarlierRequestIsNotTakenForTheNextOne)
{
  // An acknowledgement left over from an earlier, given-up write.
  Line->FeedPacket(65, Bytes({1, 0}));
  QCoreApplication::processEvents();
  const std::uint8_t block[64] = {};
  EXPECT_FALSE(Link->WriteCalibrationBlock(block, 64, 1, 0)) << "the ECU never acknowledged this write";
  EXPECT_EQ(Line->CountWrites(64), 5);
}

TEST_F(LinkTest, ReadsCopyWhatTheAnswerCarriesAndNoMore)
{
  Answer(16, [](const QByteArray &) { return QList<QByteArray>{TScriptedLine::Packet(17, QByteArray(40, char(7)))}; });
  std::uint8_t params[50];
  std::memset(params, 0xEE, sizeof params);
  EXPECT_EQ(Link->ReadParameters(params), 40);
  EXPECT_EQ(params[39], 7);
  EXPECT_EQ(params[40], 0);
  EXPECT_EQ(params[49], 0);

  Answer(112, [](const QByteArray &frame) {
    return QList<QByteArray>{TScriptedLine::Packet(113, frame.mid(6, 1) + QByteArray(18, char(3)))};
  });
  std::uint8_t table[17];
  std::memset(table, 0xEE, sizeof table);
  EXPECT_TRUE(Link->ReadTable(table, 16, 3));
  EXPECT_EQ(table[15], 3);
  EXPECT_EQ(table[16], 0xEE) << "never more than the caller's buffer holds";

  Answer(112, [](const QByteArray &frame) { return QList<QByteArray>{TScriptedLine::Packet(113, frame.mid(6, 1))}; });
  std::memset(table, 0xEE, sizeof table);
  EXPECT_FALSE(Link->ReadTable(table, 16, 4)) << "an answer of only the index byte carries no table";
  EXPECT_EQ(table[0], 0xEE);
}

TEST_F(LinkTest, WritesSendTheBlockAndWaitForTheAcknowledgement)
{
  QByteArray sentPayload;
  Line->OnWrite = [&](const QByteArray &frame) {
    if (std::uint8_t(frame[5]) == 32) {
      sentPayload = frame.mid(6, frame.size() - 8);
      Line->FeedPacket(33, {});
    }
  };
  std::uint8_t params[50];
  for (int k = 0; k < 50; ++k)
    params[k] = std::uint8_t(k * 3);
  EXPECT_TRUE(Link->WriteParameters(params));
  EXPECT_EQ(sentPayload, QByteArray(reinterpret_cast<const char *>(params), 50));
}

TEST_F(LinkTest, ASilentLineEndsAWaitAndTheLink)
{
  Line->Heartbeat.stop();
  std::uint8_t dest[64];
  EXPECT_EQ(Link->ReadCalibrationBlock(dest, 64, 0, 0), 0);
  EXPECT_TRUE(WaitFor([this] { return !Link->IsLinkAlive(); }));
  EXPECT_EQ(Link->ReadParameters(dest), 0);
  EXPECT_EQ(Line->CountWrites(16), 0) << "nothing is sent on a silent line";
}

TEST_F(LinkTest, IdentityIsReadOncePerLinkUpAndForgottenWhenTheLinkDrops)
{
  int versionAnswers = 1;
  Answer(240, [&](const QByteArray &) {
    QList<QByteArray> answers;
    if (versionAnswers-- > 0) {
      QByteArray payload("ZOLT 2.15\0\0\0", 12);
      payload += Bytes({0xCD, 0xAB, 0x34, 0x12, 3});
      answers << TScriptedLine::Packet(241, payload);
    }
    return answers;
  });
  SInfo info = MakeZeroInfo();
  SVersionFirmware identity;
  Link->ReadInfo(info, identity);
  EXPECT_EQ(identity.Version, QStringLiteral("ZOLT 2.15"));
  EXPECT_EQ(identity.Id, QStringLiteral("1234ABCD"));
  EXPECT_EQ(identity.FlagLetters(), QStringLiteral("FI"));
  EXPECT_EQ(info.EcuIdentity.Flags, 3);
  EXPECT_TRUE(Link->IsIdentified());

  Link->ReadInfo(info, identity);
  EXPECT_EQ(Line->CountWrites(240), 1);

  Line->Heartbeat.stop();
  ASSERT_TRUE(WaitFor([this] { return !Link->IsLinkAlive(); }));
  EXPECT_FALSE(Link->IsIdentified());
  EXPECT_EQ(Link->Identity(), SVersionFirmware{});

  // Back alive, but this time the ECU does not answer the identity request: not identified,
  // and the next poll asks again.
  Line->Heartbeat.start();
  ASSERT_TRUE(WaitFor([this] { return Link->IsLinkAlive(); }));
  Link->ReadInfo(info, identity);
  EXPECT_FALSE(Link->IsIdentified());
  const int asked = Line->CountWrites(240);
  Link->ReadInfo(info, identity);
  EXPECT_GT(Line->CountWrites(240), asked);
}

TEST(Link, AFRCorrectionIsAcceptedStrictlyInsideItsRange)
{
  TCommunication link(nullptr, QString(), new TScriptedLine);
  const struct {
    double Value;
    double Expected;
  } cases[] = {{1.5, 1.5}, {1.6, 1.5}, {-1.6, 1.5}, {-1.59, -1.59}, {0.0, 0.0}};
  for (const auto &c : cases) {
    link.SetAFRCorrection(c.Value);
    EXPECT_DOUBLE_EQ(link.AFRCorrection(), c.Expected) << c.Value;
  }
}

TEST(Link, APortThatDoesNotOpenIsTriedOnceAndTellsWhy)
{
  auto *line = new TScriptedLine;
  line->FailOpen = true;
  TCommunication link(nullptr, QString(), line);
  EXPECT_FALSE(link.OpenPort(QStringLiteral("/dev/ttyUSB7")));
  EXPECT_EQ(link.LastPortError(), QStringLiteral("Permission denied"));
  EXPECT_EQ(link.GetPortName(), QStringLiteral("/dev/ttyUSB7"));
  EXPECT_FALSE(link.IsPortOpen());
  const std::uint8_t request = 0;
  EXPECT_FALSE(link.SendRequest(&request, 1, 1));
}

using PacketLog = TTempDirTest;

TEST_F(PacketLog, HoldsOneRecordPerStoredPacket)
{
  const QString path = Path(QStringLiteral("Log.zlp"));
  QFile old(path);
  ASSERT_TRUE(old.open(QIODevice::WriteOnly));
  old.write("previous run");
  old.close();

  auto *line = new TScriptedLine;
  {
    TCommunication link(nullptr, path, line);
    ASSERT_TRUE(link.IsLogEnabled());
    ASSERT_TRUE(link.OpenPort(QStringLiteral("x")));
    line->FeedPacket(5, Bytes({1, 2}));
    line->FeedPacket(19, QByteArray("0123456789"));
    SPacket record = SPacket::MakeEmpty();
    ASSERT_TRUE(WaitFor([&] {
      link.TakeAnswer(record, 19);
      return record.Status == SPacket::Waiting;
    }));
  }
  QFile log(path);
  ASSERT_TRUE(log.open(QIODevice::ReadOnly));
  const QByteArray bytes = log.readAll();
  ASSERT_EQ(bytes.size(), 104) << "one record for type 19, none for type 5, the old file replaced";
  SPacket logged;
  std::memcpy(&logged, bytes.constData(), sizeof logged);
  EXPECT_EQ(QByteArray(reinterpret_cast<const char *>(logged.Data), 10), QByteArray("0123456789"));
  EXPECT_EQ(QByteArray(reinterpret_cast<const char *>(logged.Data) + 10, 86), QByteArray(86, '\0'));
  EXPECT_EQ(logged.Length, 10);
  EXPECT_EQ(logged.Status, 2);
  EXPECT_EQ(logged.Type, 19);
  EXPECT_EQ(logged.Reserved[0] | logged.Reserved[1], 0);
}

TEST(Link, AnUnwritableLogLeavesTheLinkWithoutOne)
{
  TCommunication link(nullptr, QStringLiteral("/proc/no/such/dir/Log.zlp"), new TScriptedLine);
  EXPECT_FALSE(link.IsLogEnabled());
}

// The polling thread waits without looking every millisecond, with the same resends.
TEST_F(LinkTest, WaitsOnAnotherThreadKeepTheirResendsAndAnswers)
{
  std::atomic<int> result{-1};
  std::thread silent([&] {
    std::uint8_t dest[64];
    result = Link->ReadCalibrationBlock(dest, 64, 5, 14);
  });
  EXPECT_TRUE(WaitFor([&] { return result != -1; }));
  silent.join();
  EXPECT_EQ(result, 0);
  EXPECT_EQ(Line->CountWrites(48), 5);

  Answer(48, [](const QByteArray &frame) {
    return QList<QByteArray>{TScriptedLine::Packet(49, Bytes({frame[6] + 1, frame[7]}) + QByteArray(64, char(1))),
                             TScriptedLine::Packet(49, frame.mid(6, 2) + QByteArray(64, char(2)))};
  });
  std::uint8_t dest[64] = {};
  result = -1;
  std::thread answered([&] { result = Link->ReadCalibrationBlock(dest, 64, 1, 2); });
  EXPECT_TRUE(WaitFor([&] { return result != -1; }));
  answered.join();
  EXPECT_EQ(result, 64);
  EXPECT_EQ(dest[10], 2);

  // A line that falls silent ends the wait on the other thread too.
  Line->OnWrite = nullptr;
  Line->Heartbeat.stop();
  result = -1;
  std::thread dropped([&] { result = Link->ReadParameters(dest); });
  EXPECT_TRUE(WaitFor([&] { return result != -1; }));
  dropped.join();
  EXPECT_EQ(result, 0);
}
