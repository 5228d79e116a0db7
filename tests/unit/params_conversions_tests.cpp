#include "params.h"

#include <cstring>
#include <gtest/gtest.h>
#include <string>

namespace {

struct SConversionCase {
  const char *What;
  double (*Convert)(double);
  double Input;
  double Expected;
};

double Period(double x) { return RpmPeriod(int(x)); }
double Field(double rpm) { return PeriodField(int(rpm)); }
double HalfShown(double stored) { return HalfDegreesShown(int(stored)); }
double HalfStored(double shown) { return HalfDegreesStored(shown); }
double TenthShown(double stored) { return TenthsShown(int(stored)); }
double TenthStored(double shown) { return TenthsStored(shown); }
double VoltShown(double stored) { return VoltageCountsShown(int(stored)); }
double VoltStored(double volts) { return VoltageCountsStored(volts); }
// A signed tenths value as the byte that goes into an int8 field, read back as unsigned.
double Int8Byte(double shown)
{
  const std::int8_t v = SaturateTo<std::int8_t>(TenthsStored(shown));
  std::uint8_t byte;
  std::memcpy(&byte, &v, 1);
  return byte;
}

const SConversionCase ConversionCases[] = {
    {"5000 rpm to its period", Period, 5000, 2000},
    {"period 2000 back to rpm", Period, 2000, 5000},
    {"850 rpm to its period", Period, 850, 11764},
    {"period 11764 back to rpm", Period, 11764, 850},
    {"2500 rpm to its period", Period, 2500, 4000},
    {"13000 rpm to its period", Period, 13000, 769},
    {"period of 0 counts 0 as 1", Period, 0, 10'000'000},
    {"period of a negative counts it as 1", Period, -7, 10'000'000},
    {"16-bit field of 5000 rpm", Field, 5000, 2000},
    {"16-bit field of 153 rpm still fits", Field, 153, 65359},
    {"16-bit field of 152 rpm is clamped", Field, 152, 65535},
    {"16-bit field of 0 rpm is clamped", Field, 0, 65535},
    {"Hall correction 2.5 stored", HalfStored, 2.5, 5},
    {"Hall correction -0.5 stored", HalfStored, -0.5, -1},
    {"half degrees truncate toward zero", HalfStored, -0.75, -1},
    {"half degrees truncate down", HalfStored, 20.3, 40},
    {"Hall correction 5 shown", HalfShown, 5, 2.5},
    {"Hall correction -1 shown", HalfShown, -1, -0.5},
    {"tenths stored", TenthStored, 2.3, 23},
    {"tenths truncate toward zero", TenthStored, -0.55, -5},
    {"tenths shown", TenthShown, 25, 2.5},
    {"volts stored", VoltStored, 1.0, 204},
    {"volts stored at 2.5", VoltStored, 2.5, 512},
    {"volts stored at full scale", VoltStored, 5.0, 1024},
    {"volts at 1.25 are exactly 256 counts", VoltStored, 1.25, 256},
    {"counts shown", VoltShown, 1024, 5.0},
    {"counts shown at one count", VoltShown, 1, 0.0048828125},
    {"voltage correction -0.5 V", Int8Byte, -0.5, 0xFB},
    {"voltage correction -0.5 V shown again", TenthShown, -5, -0.5},
};

}   // namespace

TEST(ParamsConversions, Table)
{
  for (const SConversionCase &c : ConversionCases)
    EXPECT_DOUBLE_EQ(c.Convert(c.Input), c.Expected) << c.What;
}

TEST(ParamsConversions, ValuesTypedInTenthsAndHundredthsTruncateToTheirOwnDigits)
{
  // Binary fractions must not cost a unit: k / 10 typed is k tenths, n / 100 V is trunc(n * 2.048).
  for (int k = -150; k <= 150; ++k)
    EXPECT_EQ(TenthsStored(k / 10.0), k) << k;
  for (int n = 0; n <= 500; ++n)
    EXPECT_EQ(VoltageCountsStored(n / 100.0), n * 2048 / 1000) << n;
}

TEST(ParamsConversions, SaturationToFieldTypes)
{
  EXPECT_EQ(SaturateTo<std::int8_t>(200), 127);
  EXPECT_EQ(SaturateTo<std::int8_t>(-200), -128);
  EXPECT_EQ(SaturateTo<std::uint8_t>(-1), 0);
  EXPECT_EQ(SaturateTo<std::uint16_t>(70000), 65535);
  EXPECT_EQ(SaturateTo<std::int16_t>(1024), 1024);
}

TEST(ParamsConversions, KnockListsAreOrderedNumbersWithBlanksAround)
{
  auto check = [](const auto &items, bool ascending, const char *what) {
    double previous = ascending ? 0.0 : 1e9;
    for (const char *item : items) {
      const std::string text(item);
      ASSERT_GE(text.size(), 3u) << what;
      EXPECT_EQ(text.front(), ' ') << what << " '" << text << "'";
      EXPECT_EQ(text.back(), ' ') << what << " '" << text << "'";
      const double value = std::stod(text);
      EXPECT_TRUE(ascending ? value > previous : value < previous) << what << " '" << text << "'";
      previous = value;
    }
  };
  check(KnockFrequencyItems, true, "frequency");
  check(KnockGainItems, false, "gain");
  check(KnockFilterItems, true, "filter");
  EXPECT_STREQ(KnockFrequencyItems.front(), " 1.22 ");
  EXPECT_STREQ(KnockFrequencyItems.back(), " 19.98 ");
  EXPECT_STREQ(KnockGainItems.back(), " 0.111 ");
  EXPECT_STREQ(KnockFilterItems.back(), " 600 ");
}
