#include "calibration.h"
#include "calibrationtransfer.h"

#include <gtest/gtest.h>

using namespace CalibrationTransfer;

namespace {

void EnableAll(TAllCalibration &all)
{
  for (int g = 0; g < 2; ++g)
    for (int k = 0; TCalibration *c = all.GetCalibration(g, k); ++k)
      c->SetEnabled(true);
}

TFlow *Other(TAllCalibration &all, int index) { return all.GetCalibration(1, index)->Flow(0); }

}   // namespace

TEST(CalibrationTransfer, BytesDecodeAndEncodeWithTheirScaling)
{
  struct SCase {
    const char *Name;
    int Group, Index;
    std::uint8_t Byte;
    double Stored;
    std::uint8_t WrittenBack;
  };
  const SCase cases[] = {
      {"UOZ Petrol 1: 25 is 12.5 degrees", 0, 0, 25, 12.5, 25},
      {"INJ 1: 25 is 0.5 ms", 0, 4, 25, 0.5, 25},
      {"INJ 1: 26 is 0.52, stored 0.525", 0, 4, 26, 0.525, 26},
      {"INJ 1: 28 is 0.56, stored 0.55, written back as it came", 0, 4, 28, 0.55, 28},
      {"INJ 1: 44 is 0.88, stored 0.875, written back as it came", 0, 4, 44, 0.875, 44},
      {"INJ 1: 10 is 0.2, stored at the lower limit", 0, 4, 10, 0.5, 25},
      {"INJ Start: 123 is 12.3, stored 12", 1, 5, 123, 12.0, 120},
      {"UOZ Temperature is signed: 0xF6 is -5", 1, 3, 0xF6, -5.0, 0xF6},
  };
  for (const SCase &c : cases) {
    SCOPED_TRACE(c.Name);
    TAllCalibration all;
    EnableAll(all);
    SCalibrationImage image;
    if (c.Group == 0) {
      std::fill_n(image.Block(c.Index, 0), 27, c.Byte);
    } else {
      const int table = c.Index == 3 ? 3 : (c.Index == 5 ? 4 : 0);
      std::fill_n(TableSlot(image, table), 16, c.Byte);
    }
    Decode(image, all);
    const TFlow *flow = all.GetCalibration(c.Group, c.Index)->Flow(0);
    EXPECT_DOUBLE_EQ(flow->Value(0), c.Stored);
    EXPECT_DOUBLE_EQ(flow->Value(15), c.Stored);
    const SCalibrationImage back = Encode(all);
    const std::uint8_t written = c.Group == 0 ? back.Block(c.Index, 0)[0]
                                              : TableSlot(back, c.Index == 3 ? 3 : 4)[0];
    EXPECT_EQ(written, c.WrittenBack);
  }
}

// Whatever byte the ECU holds, reading it, writing it back and reading again gives the same model.
TEST(CalibrationTransfer, ReadWriteReadIsStableForEveryByte)
{
  for (int b = 0; b < 256; ++b) {
    TAllCalibration all;
    EnableAll(all);
    SCalibrationImage image;
    image.Blocks.fill(std::uint8_t(b));
    for (auto &t : image.Tables)
      t.fill(std::uint8_t(b));
    image.Table4.fill(std::uint8_t(b));
    Decode(image, all);
    const SCalibrationImage written = Encode(all);
    TAllCalibration again;
    EnableAll(again);
    Decode(written, again);
    for (int g = 0; g < 2; ++g)
      for (int k = 0; TCalibration *c = all.GetCalibration(g, k); ++k)
        for (int f = 0; f < c->Count(); ++f)
          for (int i = 0; i < c->Flow(f)->Count(); ++i)
            ASSERT_DOUBLE_EQ(again.GetCalibration(g, k)->Flow(f)->Value(i), c->Flow(f)->Value(i))
                << "byte " << b << " in " << c->Name().toStdString();
  }
}

TEST(CalibrationTransfer, ValuesBeyondAByteAreSentAsItsLimitNeverWrapped)
{
  EXPECT_EQ(EncodeValue(6.0, 50, false), 255) << "6 ms of an injection map";
  EXPECT_EQ(EncodeValue(26.0, 10, false), 255) << "INJ Start above 25.5";
  EXPECT_EQ(EncodeValue(-30.0, 2, true), 0xC4);
  EXPECT_EQ(EncodeValue(-70.0, 2, true), 0x80);
  EXPECT_EQ(EncodeValue(0.6, 50, false), 30) << "no unit lost to rounding of the product";
  EXPECT_EQ(EncodeValue(-1.0, 2, false), 0);
}

TEST(CalibrationTransfer, EncodeLaysOutBlocksAndTables)
{
  TAllCalibration all;
  EnableAll(all);
  all.GetCalibration(0, 2)->Flow(5)->SetAll(30.0);
  Other(all, 2)->SetAll(10.0);   // UOZ Accumulation, table 3
  Other(all, 4)->SetAll(100.0);  // UOZ Knock travels nowhere
  const SCalibrationImage image = Encode(all);
  const std::uint8_t *block = image.Block(2, 4);
  EXPECT_EQ(block - image.Blocks.data(), 2 * 512 + 2 * 64);
  EXPECT_EQ(block[32], 60);
  EXPECT_EQ(block[58], 60);
  EXPECT_EQ(block[59], 0) << "unused bytes are sent as 0";
  EXPECT_EQ(block[26], 0) << "flow 4 is untouched";
  EXPECT_EQ(TableSlot(image, 2)[15], 20);
  EXPECT_EQ(TableSlot(image, 2)[16], 0);
}

TEST(CalibrationTransfer, DecodeLeavesDisabledFlowsAndTakesSixteenOfEighteen)
{
  TAllCalibration all;
  all.GetCalibration(0, 0)->Flow(1)->SetEnabled(true);
  Other(all, 2)->SetEnabled(true);
  SCalibrationImage image;
  std::fill(image.Blocks.begin(), image.Blocks.end(), 40);
  std::fill_n(TableSlot(image, 2), 18, 8);
  Decode(image, all);
  EXPECT_DOUBLE_EQ(all.GetCalibration(0, 0)->Flow(1)->Value(26), 20.0);
  EXPECT_DOUBLE_EQ(all.GetCalibration(0, 0)->Flow(0)->Value(0), 0.0) << "a disabled flow keeps its values";
  EXPECT_DOUBLE_EQ(Other(all, 2)->Value(15), 4.0);
  EXPECT_EQ(Other(all, 2)->Count(), 16);
}

TEST(CalibrationTransfer, FirstDifferenceComparesOnlyWhatTheEcuKeeps)
{
  SCalibrationImage a;
  SCalibrationImage b;
  b.Block(0, 0)[30] = 7;   // an unused byte
  std::fill(b.Tables[2].begin() + 16, b.Tables[2].end(), 9);   // table 3 beyond its 16 bytes
  EXPECT_TRUE(FirstDifference(a, b).isEmpty());
  b.Block(3, 6)[40] = 1;
  EXPECT_EQ(FirstDifference(a, b), QStringLiteral("map 4, flow 8"));
  b = a;
  TableSlot(b, 3)[0] = 1;
  EXPECT_EQ(FirstDifference(a, b), QStringLiteral("table 4"));
}
