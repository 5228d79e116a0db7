// The data log (.zlf) and packet log (.zlp) readers and the data log writer.

#include "datalog.h"
#include "packetlog.h"
#include "tempdir.h"

#include <QBuffer>
#include <QFile>
#include <QRandomGenerator>
#include <cstring>
#include <gtest/gtest.h>

namespace {

SInfo Filled(std::uint8_t byte)
{
  SInfo info;
  std::memset(&info, byte, sizeof info);
  return info;
}

const std::uint8_t *Bytes(const SInfo &info) { return reinterpret_cast<const std::uint8_t *>(&info); }

bool IsLocalSlot(int offset)
{
  return (offset >= 2 && offset < 4) || (offset >= 228 && offset < 236) || (offset >= 237 && offset < 240) ||
         (offset >= 241 && offset < 244);
}

QByteArray LogBytes(const QList<SInfo> &records, const QByteArray &tail = {})
{
  QByteArray bytes(DataLog::Signature, DataLog::SignatureSize);
  for (const SInfo &r : records)
    bytes.append(reinterpret_cast<const char *>(&r), sizeof r);
  return bytes + tail;
}

class DataLogFileTest : public TTempDirTest {};

}   // namespace

TEST(DataLogCount, ComesFromTheSizeAndIgnoresAPartialLastRecord)
{
  const struct {
    qint64 Size;
    std::int32_t Count;
  } cases[] = {{0, 0}, {5, 0}, {6, 0}, {6 + 255, 0}, {6 + 256, 1}, {6 + 768, 3}, {6 + 768 + 100, 3},
               {6 + 256LL * 5'000'000, 5'000'000}, {6 + 256LL * 0x7FFFFFFF + 256 * 10, 0x7FFFFFFF}};
  for (const auto &c : cases)
    EXPECT_EQ(DataLog::RecordCountForSize(c.Size), c.Count) << "size " << c.Size;
  EXPECT_EQ(DataLog::RecordOffset(0), 6);
  EXPECT_EQ(DataLog::RecordOffset(2), 6 + 512);
}

TEST(DataLogRecord, PreparedForWritingCarriesItsNumberAndNoLocalSlots)
{
  const SInfo live = Filled(0xAB);
  const SInfo record = DataLog::PrepareForWriting(live, 7);
  EXPECT_EQ(record.RecordNo, 7);
  for (int k = 0; k < 256; ++k) {
    if (k >= 244 && k < 248)
      continue;
    EXPECT_EQ(Bytes(record)[k], IsLocalSlot(k) ? 0 : 0xAB) << "offset " << k;
  }
}

TEST(DataLogRecord, AutoFileNameIsDayMonthYearHourMinuteSecond)
{
  EXPECT_EQ(DataLog::AutoFileName(QDateTime(QDate(2011, 7, 17), QTime(14, 5, 9))),
            QStringLiteral("17_07_11_14_05_09.zlf"));
  EXPECT_EQ(DataLog::AutoFileName(QDateTime(QDate(2024, 1, 2), QTime(3, 4, 5))),
            QStringLiteral("02_01_24_03_04_05.zlf"));
}

TEST(DataLogRead, SignatureAndRecordsFromABuffer)
{
  SInfo second = Filled(0x11);
  second.RecordNo = 2;
  QByteArray bytes = LogBytes({Filled(0x22), second}, QByteArray(100, '\x33'));
  QBuffer buffer(&bytes);
  ASSERT_TRUE(buffer.open(QIODevice::ReadOnly));
  EXPECT_TRUE(DataLog::ReadSignature(buffer));
  EXPECT_EQ(DataLog::RecordCountForSize(buffer.size()), 2);

  SInfo read = Filled(0x55);
  ASSERT_TRUE(DataLog::ReadRecord(buffer, 1, read));
  EXPECT_EQ(read.RecordNo, 2);
  EXPECT_EQ(read.EcuIdentity.VersionTextRef, 0u) << "text references are zero after every read";
  EXPECT_EQ(read.EcuIdentity.IdTextRef, 0u);
  EXPECT_EQ(read.EcuIdentity.Flags, 0x11);
  EXPECT_EQ(read.Raw.Type, 0x11);

  SInfo untouched = Filled(0x55);
  EXPECT_FALSE(DataLog::ReadRecord(buffer, 2, untouched)) << "the partial third record is never read";
  EXPECT_FALSE(DataLog::ReadRecord(buffer, -1, untouched));
  const SInfo before = Filled(0x55);
  EXPECT_EQ(std::memcmp(&untouched, &before, sizeof untouched), 0) << "a failed read leaves the record alone";
}

TEST(DataLogRead, SignaturesThatAreNotOurs)
{
  for (const QByteArray &head : {QByteArray("ZFL001"), QByteArray("ZFL00"), QByteArray(), QByteArray("zfl002"),
                                 QByteArray("XZFL002")}) {
    QByteArray bytes = head + QByteArray(300, '\0');
    if (head.size() < 6)
      bytes = head;
    QBuffer buffer(&bytes);
    ASSERT_TRUE(buffer.open(QIODevice::ReadOnly));
    EXPECT_FALSE(DataLog::ReadSignature(buffer)) << head.constData();
  }
}

TEST(DataLogRead, RandomBytesNeverGiveAPartialRecord)
{
  QRandomGenerator random(8);
  for (int round = 0; round < 200; ++round) {
    QByteArray bytes(int(random.bounded(2000)), Qt::Uninitialized);
    for (char &c : bytes)
      c = char(random.bounded(256));
    QBuffer buffer(&bytes);
    ASSERT_TRUE(buffer.open(QIODevice::ReadOnly));
    DataLog::ReadSignature(buffer);
    const std::int32_t count = DataLog::RecordCountForSize(bytes.size());
    SInfo record;
    for (std::int32_t k = 0; k < count; ++k) {
      ASSERT_TRUE(DataLog::ReadRecord(buffer, k, record));
      EXPECT_EQ(std::memcmp(Bytes(record) + 120, bytes.constData() + 6 + 256 * k + 120, 104), 0);
    }
    EXPECT_FALSE(DataLog::ReadRecord(buffer, count, record)) << "size " << bytes.size();
  }
}

TEST_F(DataLogFileTest, ThreeRecordsGiveSixPlus768BytesNumberedFromOne)
{
  DataLog::TWriter writer;
  ASSERT_TRUE(writer.Open(Path("drive.zlf")));
  for (std::uint8_t fill : {0x10, 0x20, 0x30})
    ASSERT_TRUE(writer.Append(Filled(fill)));
  EXPECT_EQ(writer.NextRecordNo(), 4);
  writer.Close();

  QFile file(Path("drive.zlf"));
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  const QByteArray bytes = file.readAll();
  ASSERT_EQ(bytes.size(), 6 + 768);
  EXPECT_EQ(bytes.left(6), QByteArray("ZFL002"));
  for (int k = 0; k < 3; ++k) {
    SInfo record;
    std::memcpy(&record, bytes.constData() + 6 + 256 * k, 256);
    EXPECT_EQ(record.RecordNo, k + 1);
    for (int offset = 0; offset < 256; ++offset) {
      if (IsLocalSlot(offset)) {
        ASSERT_EQ(Bytes(record)[offset], 0) << "record " << k << " offset " << offset;
      }
    }
    EXPECT_EQ(record.Raw.Data[0], 0x10 * (k + 1));
  }
}

TEST_F(DataLogFileTest, AnExistingFileIsReplacedAndAFailedOpenSaysSo)
{
  {
    QFile old(Path("Test.zlf"));
    ASSERT_TRUE(old.open(QIODevice::WriteOnly));
    old.write(QByteArray(5000, 'x'));
  }
  DataLog::TWriter writer;
  ASSERT_TRUE(writer.Open(Path("Test.zlf")));
  writer.Close();
  EXPECT_EQ(QFile(Path("Test.zlf")).size(), 6);

  EXPECT_FALSE(writer.Open(Path("no/such/dir/x.zlf")));
  EXPECT_FALSE(writer.IsOpen());
  EXPECT_FALSE(writer.Append(Filled(1))) << "nothing is written without a file";
  if (QFile::exists(QStringLiteral("/dev/full"))) {
    EXPECT_FALSE(writer.Open(QStringLiteral("/dev/full"))) << "the signature could not be written";
    EXPECT_FALSE(writer.IsOpen());
  }
}

TEST(PacketLogRead, CountRecordsAndPayload)
{
  const struct {
    qint64 Size;
    std::int32_t Count;
  } cases[] = {{0, 0}, {103, 0}, {104, 1}, {1040, 10}, {1040 + 50, 10}};
  for (const auto &c : cases)
    EXPECT_EQ(PacketLog::RecordCountForSize(c.Size), c.Count) << "size " << c.Size;

  SPacket packet{};
  for (int k = 0; k < SPacket::DataSize; ++k)
    packet.Data[k] = std::uint8_t(k * 17);
  const struct {
    std::int32_t Length;
    int Chars;
  } lengths[] = {{10, 20}, {0, 0}, {-5, 0}, {96, 192}, {200, 192}};
  for (const auto &l : lengths) {
    packet.Length = l.Length;
    EXPECT_EQ(PacketLog::PayloadHex(packet).size(), l.Chars) << "length " << l.Length;
  }
  packet.Length = 3;
  EXPECT_EQ(PacketLog::PayloadHex(packet), QStringLiteral("001122"));
  packet.Data[0] = 0xAB;
  EXPECT_EQ(PacketLog::PayloadHex(packet), QStringLiteral("AB1122"));
}

TEST(PacketLogRead, RecordsAndATrailingPartialOne)
{
  QByteArray bytes;
  for (int k = 0; k < 3; ++k) {
    SPacket p{};
    p.Type = std::uint8_t(k + 1);
    p.Length = k;
    p.Status = SPacket::Waiting;
    bytes.append(reinterpret_cast<const char *>(&p), sizeof p);
  }
  bytes.append(QByteArray(50, '\x7F'));
  QBuffer buffer(&bytes);
  ASSERT_TRUE(buffer.open(QIODevice::ReadOnly));
  SPacket record{};
  ASSERT_TRUE(PacketLog::ReadRecord(buffer, 2, record));
  EXPECT_EQ(record.Type, 3);
  EXPECT_EQ(record.Length, 2);
  record.Type = 99;
  EXPECT_FALSE(PacketLog::ReadRecord(buffer, 3, record));
  EXPECT_EQ(record.Type, 99);
}
