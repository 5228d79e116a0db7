#include "communication.h"
#include "firmwareupload.h"
#include "scriptedline.h"
#include "tempdir.h"
#include "waitfor.h"

#include <QFile>
#include <gtest/gtest.h>

namespace {

QByteArray Bytes(std::initializer_list<int> values) { return TScriptedLine::Bytes(values); }

class FirmwareTest : public TTempDirTest {
protected:
  void SetUp() override
  {
    TTempDirTest::SetUp();
    Line = new TScriptedLine;
    Link = std::make_unique<TCommunication>(nullptr, QString(), Line);
  }

  QString WriteFile(const QByteArray &bytes)
  {
    const QString path = Path(QStringLiteral("fw.zbf"));
    QFile f(path);
    EXPECT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
    return path;
  }

  static QByteArray Counting(int size)
  {
    QByteArray b(size, '\0');
    for (int k = 0; k < size; ++k)
      b[k] = char(k * 7 + 3);
    return b;
  }

  // Delivers one batch straight to the receive path, as the port would.
  void Receive(const QByteArray &batch) { Link->ComRxChar(batch); }

  SFW State() const
  {
    SFW s;
    Link->GetFirmwareState(s);
    return s;
  }

  TScriptedLine *Line = nullptr;
  std::unique_ptr<TCommunication> Link;
};

}   // namespace

TEST(FirmwareImage, AddsTheCheckByteAfterEvery64Bytes)
{
  QByteArray file(128, '\0');
  for (int k = 0; k < 128; ++k)
    file[k] = char(k);
  QByteArray image;
  ASSERT_TRUE(BuildFirmwareImage(file, image));
  ASSERT_EQ(image.size(), 130);
  EXPECT_EQ(image.left(64), file.left(64));
  EXPECT_EQ(std::uint8_t(image[64]), (63 * 64 / 2) % 256);
  EXPECT_EQ(image.mid(65, 64), file.mid(64));
  EXPECT_EQ(std::uint8_t(image[129]), ((64 + 127) * 64 / 2) % 256);

  for (int size : {0, 100, 129}) {
    QString error;
    EXPECT_FALSE(BuildFirmwareImage(QByteArray(size, 'x'), image, &error)) << size;
    EXPECT_FALSE(error.isEmpty());
  }
}

TEST_F(FirmwareTest, IdentificationOneBytePerBatchIsAnsweredWithQ)
{
  ASSERT_EQ(Link->StartFirmwareUpload(WriteFile(Counting(128)), QStringLiteral("/dev/pts/x")), 130);
  EXPECT_EQ(Line->Baud, TCommunication::LoaderBaudRate);
  for (int b : {int('B'), 0x12, 0x34, 0xAB, 0xCD})
    Receive(Bytes({b}));
  ASSERT_EQ(Line->Written.size(), 5u);
  for (const QByteArray &w : Line->Written)
    EXPECT_EQ(w, QByteArray("Q"));
  EXPECT_EQ(State().Id, QStringLiteral("1234ABCD"));
  EXPECT_FALSE(State().IdMode);
}

TEST_F(FirmwareTest, BlocksGoOutOnePerBatchAndFSwitchesBackTo9600)
{
  const QByteArray file = Counting(128);
  ASSERT_EQ(Link->StartFirmwareUpload(WriteFile(file), QString()), 130);
  Receive(QByteArray("KK"));
  ASSERT_EQ(Line->Written.size(), 1u) << "two K in one batch send one block";
  EXPECT_EQ(Line->Written[0].left(64), file.left(64));
  EXPECT_EQ(State().Position, 65);
  Receive(QByteArray("R"));
  EXPECT_EQ(Line->Written.back().left(64), file.mid(64)) << "R sends the block at the current position";
  EXPECT_EQ(State().Position, 65);
  Receive(QByteArray("K"));
  EXPECT_EQ(State().Position, 130);
  Receive(QByteArray("F"));
  EXPECT_FALSE(State().LoaderMode);
  EXPECT_EQ(State().Position, 0);
  EXPECT_EQ(Line->Baud, TCommunication::DefaultBaudRate);
  EXPECT_TRUE(Link->IsPortOpen()) << "the port stays open at 9600";
}

TEST_F(FirmwareTest, FinishedBeforeTheWholeImageIsAFailure)
{
  ASSERT_EQ(Link->StartFirmwareUpload(WriteFile(Counting(128)), QString()), 130);
  Receive(QByteArray("K"));
  Receive(QByteArray("F"));
  EXPECT_FALSE(State().LoaderMode);
  EXPECT_EQ(State().Last, 'E') << "half the image is not a loaded firmware";
}

TEST_F(FirmwareTest, ABlockBeyondTheImageEndsTheUploadAsAFailure)
{
  ASSERT_EQ(Link->StartFirmwareUpload(WriteFile(Counting(64)), QString()), 65);
  Receive(QByteArray("K"));
  const std::size_t written = Line->Written.size();
  Receive(QByteArray("K"));
  EXPECT_EQ(Line->Written.size(), written) << "nothing from outside the image is sent";
  EXPECT_FALSE(State().LoaderMode);
  EXPECT_EQ(State().Last, 'E');
}

TEST_F(FirmwareTest, AFailedUploadLeavesNoLoaderStateBehind)
{
  ASSERT_GT(Link->StartFirmwareUpload(WriteFile(Counting(128)), QString()), 0);
  for (int b : {int('B'), 1, 2, 3, 4, int('K'), int('E')})
    Receive(Bytes({b}));
  EXPECT_FALSE(State().LoaderMode);
  // The next start begins clean, and live packets reach the slots again once it is over.
  ASSERT_GT(Link->StartFirmwareUpload(WriteFile(Counting(128)), QString()), 0);
  EXPECT_FALSE(State().IdMode);
  EXPECT_EQ(State().Last, -1);
  EXPECT_TRUE(State().Id.isEmpty());
  Link->AbortFirmwareUpload();
  Receive(TScriptedLine::LivePacket());
  SPacket record = SPacket::MakeEmpty();
  Link->TakeAnswer(record, 1);
  EXPECT_EQ(record.Status, SPacket::Waiting);
}

TEST_F(FirmwareTest, RefusesBadImagesBeforeThePortOpens)
{
  TCommunication::EUploadStart start;
  QString error;
  EXPECT_EQ(Link->StartFirmwareUpload(WriteFile(Counting(100)), QString(), &error, &start), 0);
  EXPECT_EQ(start, TCommunication::EUploadStart::BadImage);
  EXPECT_EQ(Line->OpenCount, 0);
  EXPECT_EQ(Link->StartFirmwareUpload(Path(QStringLiteral("missing.zbf")), QString(), &error, &start), 0);
  EXPECT_EQ(start, TCommunication::EUploadStart::FileError);
  EXPECT_FALSE(State().LoaderMode);
}

TEST_F(FirmwareTest, AStalledBootloaderFailsTheWatch)
{
  ASSERT_GT(Link->StartFirmwareUpload(WriteFile(Counting(256)), QString()), 0);
  Line->Feed(QByteArray("K"));   // one block, then silence
  int lastShown = -1;
  EXPECT_EQ(WatchFirmwareUpload(*Link, [&](int p) { lastShown = p; }), EFirmwareResult::Failed);
  EXPECT_EQ(lastShown, 65);
  EXPECT_FALSE(State().LoaderMode);
}

TEST_F(FirmwareTest, AnUploadThatFinishesIsLoaded)
{
  ASSERT_GT(Link->StartFirmwareUpload(WriteFile(Counting(128)), QString()), 0);
  // A bootloader that asks for the next block as soon as it has the last one.
  Line->OnWrite = [this](const QByteArray &) { Line->Feed(Line->Written.size() >= 2 ? QByteArray("F") : QByteArray("K")); };
  Line->Feed(QByteArray("K"));
  EXPECT_EQ(WatchFirmwareUpload(*Link, [](int) {}), EFirmwareResult::Loaded);
  EXPECT_EQ(Line->Baud, TCommunication::DefaultBaudRate);
}
