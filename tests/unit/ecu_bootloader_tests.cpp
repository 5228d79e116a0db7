// The virtual ECU's bootloader, driven by the manager's own upload code over a scripted line.

#include "bootloader.h"
#include "communication.h"
#include "ecu_testing.h"
#include "ecuoptions.h"
#include "outputqueue.h"
#include "scriptedline.h"
#include "tempdir.h"

#include <QFile>
#include <functional>
#include <numeric>
#include <gtest/gtest.h>

using namespace EcuTesting;

namespace {

QByteArray Counting(int size, int seed = 3)
{
  QByteArray b(size, '\0');
  for (int k = 0; k < size; ++k)
    b[k] = char(k * 7 + seed);
  return b;
}

Bytes ToBytes(const QByteArray &b) { return Bytes(b.begin(), b.end()); }

// The bootloader's commands as the test expects them: "B", the id bytes, then the rest.
std::string Announce(std::uint32_t id = SBootloaderSettings{}.Id)
{
  std::string s = "B";
  for (int k = 3; k >= 0; --k)
    s += char((id >> (8 * k)) & 0xFF);
  return s;
}

class EcuBootloader : public TTempDirTest {
protected:
  void SetUp() override
  {
    TTempDirTest::SetUp();
    Line = new TScriptedLine;
    Link = std::make_unique<TCommunication>(nullptr, QString(), Line);
    // What the manager writes reaches the bootloader at once.
    Line->OnWrite = [this](const QByteArray &written) {
      QByteArray bytes = written;
      if (Tamper)
        Tamper(bytes);
      if (Boot)
        Boot->Received(reinterpret_cast<const std::uint8_t *>(bytes.constData()), int(bytes.size()), Now);
    };
  }

  void Start(const SBootloaderSettings &settings)
  {
    Boot = std::make_unique<TEcuBootloader>(Memory, Queue, settings);
    Boot->SetImageStored([this] { ++Stored; });
    Boot->Enter(Now);
  }

  // The manager's side of an upload of file.
  void StartManager(const QByteArray &file)
  {
    const QString path = Path(QStringLiteral("fw.zbf"));
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(file);
    f.close();
    ASSERT_GT(Link->StartFirmwareUpload(path, QStringLiteral("ecu")), 0);
  }

  // What the bootloader put on the line by now.
  Bytes Sent()
  {
    Bytes out;
    Queue.TakeDue(Now, out);
    return out;
  }

  // Lets the exchange run, a millisecond at a time, until the line stays quiet for quietMs.
  // Everything the bootloader sends goes to the manager as one batch, so a byte sent before the
  // reply to the previous one would be lost there and the exchange would not complete.
  std::string Run(int quietMs = 100)
  {
    std::string seen;
    for (int quiet = 0; quiet < quietMs; ++quiet) {
      const Bytes out = Sent();
      if (!out.empty()) {
        seen.append(out.begin(), out.end());
        Link->ComRxChar(QByteArray(reinterpret_cast<const char *>(out.data()), qsizetype(out.size())));
        quiet = 0;
      }
      ++Now;
      Boot->Tick(Now);
    }
    return seen;
  }

  SFW State() const
  {
    SFW s;
    Link->GetFirmwareState(s);
    return s;
  }

  TScriptedLine *Line = nullptr;
  std::unique_ptr<TCommunication> Link;
  TEcuMemory Memory;
  TOutputQueue Queue;
  std::unique_ptr<TEcuBootloader> Boot;
  std::int64_t Now = 0;
  int Stored = 0;
  std::function<void(QByteArray &)> Tamper;   // spoils what the manager sent on its way
};

}   // namespace

TEST_F(EcuBootloader, UploadWithTheManagerStoresTheFileAndEndsWithF)
{
  for (const int size : {64, 128, 4096}) {
    SCOPED_TRACE(size);
    Memory.Params[0] = 6;   // a calibration the new firmware does not keep
    Stored = 0;
    SBootloaderSettings s;
    s.FlashSize = size;
    s.Id = 0x12AB34CD;
    const QByteArray file = Counting(size, size);
    StartManager(file);
    Start(s);
    const std::string seen = Run();

    EXPECT_EQ(seen, Announce(s.Id) + std::string(size / 64, 'K') + "F");
    EXPECT_EQ(Memory.Firmware, file);
    EXPECT_EQ(Stored, 1);
    EXPECT_EQ(Memory.Params[0], TEcuMemory().Params[0]);
    EXPECT_EQ(Boot->State(), TEcuBootloader::EState::Finished);
    const SFW state = State();
    EXPECT_FALSE(state.LoaderMode);
    EXPECT_EQ(state.Last, 'F');
    EXPECT_EQ(state.Id, QStringLiteral("12AB34CD"));
    EXPECT_EQ(Line->Baud, 9600);
  }
}

TEST_F(EcuBootloader, SendsNothingBeforeTheReplyHasArrived)
{
  SBootloaderSettings s;
  s.FlashSize = 128;
  Start(s);
  EXPECT_EQ(Sent(), Bytes{'B'});
  for (int k = 0; k < 999; ++k)
    Boot->Tick(++Now);
  EXPECT_TRUE(Sent().empty());
  // Nothing answered the announcement for a second: the manager's port may have purged it.
  Boot->Tick(++Now);
  EXPECT_EQ(Sent(), Bytes{'B'});

  const Bytes q{'Q'};
  for (int k = 0; k < 4; ++k) {
    Boot->Received(q.data(), 1, Now);
    EXPECT_EQ(Sent().size(), 1u) << k;
  }
  Boot->Received(q.data(), 1, Now);
  EXPECT_EQ(Sent(), Bytes{'K'});
  // Not before the last byte of the block is in; the announcement is never repeated once answered.
  Bytes image = ToBytes(Counting(64));
  image.push_back(static_cast<std::uint8_t>(std::accumulate(image.begin(), image.end(), 0u) & 0xFF));
  Boot->Received(image.data(), 64, Now);
  for (int k = 0; k < 400; ++k)
    Boot->Tick(++Now);
  EXPECT_TRUE(Sent().empty());
  Boot->Received(image.data() + 64, 1, Now);
  EXPECT_EQ(Sent(), Bytes{'K'});
}

TEST_F(EcuBootloader, WrongCheckByteEndsWithEAndKeepsTheOldImage)
{
  for (const int spoiled : {0, 3}) {
    SCOPED_TRACE(spoiled);
    Memory.Firmware = QByteArray("old");
    Stored = 0;
    int block = 0;
    Tamper = [&](QByteArray &bytes) {
      if (bytes.size() == 65 && block++ == spoiled)
        bytes[64] = char(bytes[64] + 1);
    };
    SBootloaderSettings s;
    s.FlashSize = 256;
    StartManager(Counting(256));
    Start(s);
    EXPECT_EQ(Run(), Announce() + std::string(spoiled + 1, 'K') + "E");
    EXPECT_EQ(Boot->State(), TEcuBootloader::EState::Failed);
    EXPECT_EQ(Memory.Firmware, QByteArray("old"));
    EXPECT_EQ(Stored, 0);
    EXPECT_FALSE(State().LoaderMode);
    EXPECT_EQ(State().Last, 'E');
    // Whatever comes after the failure goes unanswered.
    const Bytes q{'Q'};
    Boot->Received(q.data(), 1, Now);
    Boot->Tick(Now += 1000);
    EXPECT_TRUE(Sent().empty());
  }
}

TEST_F(EcuBootloader, StallAndFailAfterBlocks)
{
  struct SCase {
    int StallAfter;
    int FailAfter;
    std::string Tail;   // what follows the identification
    bool LoaderMode;    // the manager still waits: a stall its watch has to notice
    int Position;
  };
  const SCase cases[] = {
    {2, -1, "KK", true, 130},
    {-1, 2, "KKE", false, 130},
    {-1, 0, "E", false, 0},
    {1, 3, "K", true, 65},
  };
  for (const SCase &c : cases) {
    SCOPED_TRACE(c.Tail);
    SBootloaderSettings s;
    s.FlashSize = 256;
    s.StallAfterBlocks = c.StallAfter;
    s.FailAfterBlocks = c.FailAfter;
    StartManager(Counting(256));
    Start(s);
    EXPECT_EQ(Run(), Announce() + c.Tail);
    EXPECT_EQ(State().LoaderMode, c.LoaderMode);
    EXPECT_EQ(State().Position, c.Position);
    EXPECT_TRUE(Memory.Firmware.isEmpty());
  }
}

TEST_F(EcuBootloader, FileShorterThanTheFlashFailsAndStoresNothing)
{
  SBootloaderSettings s;
  s.FlashSize = 256;
  StartManager(Counting(128));
  Start(s);
  // The manager refuses to send a third block it does not have and gives up.
  EXPECT_EQ(Run(), Announce() + "KKK");
  EXPECT_FALSE(State().LoaderMode);
  EXPECT_EQ(State().Last, 'E');
  EXPECT_EQ(Boot->State(), TEcuBootloader::EState::AwaitingBlock);
  EXPECT_TRUE(Memory.Firmware.isEmpty());
}

TEST_F(EcuBootloader, BlockCutShortEndsWithE)
{
  SBootloaderSettings s;
  s.FlashSize = 128;
  Start(s);
  const Bytes q{'Q'};
  for (int k = 0; k < 5; ++k)
    Boot->Received(q.data(), 1, Now);
  Sent();
  const Bytes part = ToBytes(Counting(30));
  Boot->Received(part.data(), int(part.size()), Now);
  Boot->Tick(Now += s.BlockTimeoutMs - 1);
  EXPECT_TRUE(Sent().empty());
  Boot->Tick(++Now);
  EXPECT_EQ(Sent(), Bytes{'E'});
  EXPECT_EQ(Boot->State(), TEcuBootloader::EState::Failed);
}

TEST_F(EcuBootloader, ReceivedBytesCountWhenTheLineWouldHaveCarriedThem)
{
  SBootloaderSettings s;
  s.FlashSize = 128;
  s.ReceiveBytesPerMs = 5.76;   // 57600 baud
  Start(s);
  Sent();
  const Bytes q{'Q'};
  Boot->Received(q.data(), 1, Now);
  EXPECT_EQ(Boot->NextWakeMs(), 1);   // 0.17 ms on the line
  EXPECT_TRUE(Sent().empty());
  for (int k = 0; k < 4; ++k) {
    Boot->Tick(++Now);
    Boot->Received(q.data(), 1, Now);
  }
  Boot->Tick(++Now);
  EXPECT_EQ(Sent().size(), 5u);   // four id bytes and the first request
  EXPECT_EQ(Boot->State(), TEcuBootloader::EState::AwaitingBlock);

  QByteArray image;
  ASSERT_TRUE(BuildFirmwareImage(Counting(64), image));
  const std::int64_t start = Now;
  Boot->Received(reinterpret_cast<const std::uint8_t *>(image.constData()), 65, Now);
  // 65 bytes take 11.3 ms at 57600 baud.
  EXPECT_EQ(Boot->NextWakeMs(), start + 12);
  Boot->Tick(Now = start + 11);
  EXPECT_TRUE(Sent().empty());
  Boot->Tick(Now = start + 12);
  EXPECT_EQ(Sent(), Bytes{'K'});
}

TEST(EcuBootloaderDevice, RunsTheLineAt57600AndGivesItBackAt9600)
{
  TEcuMemory memory;
  TEcuDevice device(memory, QuietSettings());
  SBootloaderSettings s;
  s.FlashSize = 64;
  auto boot = std::make_unique<TEcuBootloader>(memory, device.Output(), s);
  TEcuBootloader *bootloader = boot.get();
  device.SetBootloader(std::move(boot));

  device.SetLineRate(57600, 10);
  EXPECT_EQ(device.Mode(), EEcuMode::Bootloader);
  Bytes out;
  device.TakeOutput(10, out);
  EXPECT_EQ(out, Bytes{'B'});
  // A request frame means nothing to the bootloader.
  EXPECT_TRUE(Exchange(device, {16}, 20).empty());

  device.SetLineRate(9600, 30);
  EXPECT_EQ(device.Mode(), EEcuMode::Normal);
  EXPECT_EQ(bootloader->State(), TEcuBootloader::EState::Idle);
  const auto answers = Packets(Exchange(device, {16}, 40));
  ASSERT_EQ(answers.size(), 1u);
  EXPECT_EQ(answers[0].Type, 17);

  // Every switch to the bootloader speed starts a new exchange.
  device.SetLineRate(57600, 50);
  out.clear();
  device.TakeOutput(50, out);
  EXPECT_EQ(out, Bytes{'B'});
  EXPECT_EQ(bootloader->State(), TEcuBootloader::EState::Announced);
}

TEST(EcuBootloaderOptions, FlashSizeIdAndFaults)
{
  struct SCase {
    QStringList Args;
    bool Ok;
    int FlashSize;
    std::uint32_t Id;
    int Stall;
    int Fail;
  };
  const SCase cases[] = {
    {{}, true, 32768, 0x5A4F4C54, -1, -1},
    {{"--flash-size", "4096", "--boot-id", "0102a0ff"}, true, 4096, 0x0102A0FF, -1, -1},
    {{"--boot-stall-after", "3", "--boot-fail-after", "0"}, true, 32768, 0x5A4F4C54, 3, 0},
    {{"--flash-size", "100"}, false, 0, 0, 0, 0},
    {{"--flash-size", "0"}, false, 0, 0, 0, 0},
    {{"--flash-size", "2097152"}, false, 0, 0, 0, 0},
    {{"--boot-id", "123"}, false, 0, 0, 0, 0},
    {{"--boot-stall-after", "-1"}, false, 0, 0, 0, 0},
    {{"--boot-fail-after", "x"}, false, 0, 0, 0, 0},
  };
  for (const SCase &c : cases) {
    SCOPED_TRACE(c.Args.join(' ').toStdString());
    SEcuOptions options;
    QString error;
    ASSERT_EQ(ParseEcuOptions(QStringList{"zolt-ecu"} + c.Args, options, &error), c.Ok) << error.toStdString();
    if (!c.Ok) {
      EXPECT_FALSE(error.isEmpty());
      continue;
    }
    EXPECT_EQ(options.Boot.FlashSize, c.FlashSize);
    EXPECT_EQ(options.Boot.Id, c.Id);
    EXPECT_EQ(options.Boot.StallAfterBlocks, c.Stall);
    EXPECT_EQ(options.Boot.FailAfterBlocks, c.Fail);
  }
  // Received bytes are paced with the output, or not at all.
  SEcuOptions paced, unpaced;
  QString error;
  ASSERT_TRUE(ParseEcuOptions({"zolt-ecu"}, paced, &error));
  ASSERT_TRUE(ParseEcuOptions({"zolt-ecu", "--no-pacing"}, unpaced, &error));
  EXPECT_DOUBLE_EQ(paced.Boot.ReceiveBytesPerMs, 5.76);
  EXPECT_EQ(unpaced.Boot.ReceiveBytesPerMs, 0.0);
  EXPECT_TRUE(EcuHelpText().contains("--flash-size"));
  EXPECT_TRUE(EcuHelpText().contains("--boot-stall-after"));
}
