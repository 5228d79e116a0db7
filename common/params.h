#pragma once
// The ECU's two parameter blocks, byte for byte as the ECU, its packets and the calibration files
// hold them, and the conversions between stored values and the values a technician sees.

#include <array>
#include <bit>
#include <cstddef>
#include <cstdint>
#include <limits>

static_assert(std::endian::native == std::endian::little,
              "parameter blocks are stored little-endian and mapped directly onto memory");

#pragma pack(push, 1)

// Main block, 50 bytes.
struct SParams {
  std::uint8_t CylCount;          // 2, 3, 4, 5, 6 or 8
  std::uint8_t ExtSwitch;         // bit set, see the ExtSwitch* masks
  std::int8_t Oktan;              // octane correction, half degrees
  std::uint8_t MaxUOZHH;          // maximum advance at idle, half degrees
  std::uint16_t RpmHH;            // idle speed as a period
  std::uint16_t MaxRpm;           // engine-speed limit as a period
  std::uint8_t EPHHDelay;         // switch-off delay of the idle fuel cut-off, tenths
  std::uint8_t IgnOptions;        // bit set, see the Ign* masks
  std::uint8_t Reserved10;
  std::uint8_t DpkvTotal;         // teeth on the flywheel
  std::uint8_t DpkvNo;            // teeth between the reference mark and dead centre
  std::int8_t StartAngle;         // start-angle correction in crankshaft-sensor mode, degrees
  std::int8_t DHCorrection;       // Hall sensor zero-angle correction, half degrees
  std::int8_t TempCorrHH;         // temperature of the idle correction, degrees C
  std::uint16_t DTCold;           // analog temperature sensor level, cold, voltage counts
  std::uint16_t DTHot;            // analog temperature sensor level, hot, voltage counts
  std::int16_t DadAtmo;           // MAP sensor start voltage, voltage counts
  std::int16_t DadFlow16;         // MAP sensor voltage at flow 16, voltage counts
  std::int16_t DadFlow1;          // MAP sensor voltage at flow 1, voltage counts
  std::uint8_t Reserved26[3];
  std::int8_t CalibrVolt;         // voltmeter calibration, tenths of a volt
  std::uint8_t SensorOptions;     // bit set, see the Sensor* masks
  std::uint8_t TempSensorOptions; // bit 0 digital temperature sensor; other bits kept as they are
  std::uint8_t Reserved32[12];
  std::int8_t BuzzTemp;           // buzzer temperature threshold, degrees C; 0 = off
  std::uint16_t BuzzRpm;          // buzzer engine-speed threshold as a period; 0 = off
  std::uint8_t BuzzVolt;          // buzzer voltage threshold, tenths of a volt; 0 = off
  std::uint16_t LaunchRpm;        // launch-control engine speed as a period; 0 = off
};
static_assert(sizeof(SParams) == 50);
static_assert(offsetof(SParams, CylCount) == 0);
static_assert(offsetof(SParams, ExtSwitch) == 1);
static_assert(offsetof(SParams, Oktan) == 2);
static_assert(offsetof(SParams, MaxUOZHH) == 3);
static_assert(offsetof(SParams, RpmHH) == 4);
static_assert(offsetof(SParams, MaxRpm) == 6);
static_assert(offsetof(SParams, EPHHDelay) == 8);
static_assert(offsetof(SParams, IgnOptions) == 9);
static_assert(offsetof(SParams, Reserved10) == 10);
static_assert(offsetof(SParams, DpkvTotal) == 11);
static_assert(offsetof(SParams, DpkvNo) == 12);
static_assert(offsetof(SParams, StartAngle) == 13);
static_assert(offsetof(SParams, DHCorrection) == 14);
static_assert(offsetof(SParams, TempCorrHH) == 15);
static_assert(offsetof(SParams, DTCold) == 16);
static_assert(offsetof(SParams, DTHot) == 18);
static_assert(offsetof(SParams, DadAtmo) == 20);
static_assert(offsetof(SParams, DadFlow16) == 22);
static_assert(offsetof(SParams, DadFlow1) == 24);
static_assert(offsetof(SParams, Reserved26) == 26);
static_assert(offsetof(SParams, CalibrVolt) == 29);
static_assert(offsetof(SParams, SensorOptions) == 30);
static_assert(offsetof(SParams, TempSensorOptions) == 31);
static_assert(offsetof(SParams, Reserved32) == 32);
static_assert(offsetof(SParams, BuzzTemp) == 44);
static_assert(offsetof(SParams, BuzzRpm) == 45);
static_assert(offsetof(SParams, BuzzVolt) == 47);
static_assert(offsetof(SParams, LaunchRpm) == 48);

// Extension block, 10 bytes: knock sensor and injection.
struct SParamsExt {
  std::uint8_t KnockFreq;         // index into KnockFrequencyItems
  std::uint8_t KnockGain;         // index into KnockGainItems
  std::uint8_t KnockFilter;       // index into KnockFilterItems
  std::uint8_t KnockMaxRetard;    // maximum total retard on knock, half degrees
  std::uint8_t KnockRetardStep;   // retard per knock event, half degrees
  std::uint8_t KnockRecovery;     // advance recovery speed, raw
  std::uint8_t AELevel;           // injection sensitivity, raw
  std::uint8_t AEMax;             // injection maximum separation, raw
  std::uint8_t AETime;            // injection time separation, raw
  std::int8_t InjVoltageCorr;     // injection voltage correction, tenths of a volt
};
static_assert(sizeof(SParamsExt) == 10);
static_assert(offsetof(SParamsExt, KnockFreq) == 0);
static_assert(offsetof(SParamsExt, KnockGain) == 1);
static_assert(offsetof(SParamsExt, KnockFilter) == 2);
static_assert(offsetof(SParamsExt, KnockMaxRetard) == 3);
static_assert(offsetof(SParamsExt, KnockRetardStep) == 4);
static_assert(offsetof(SParamsExt, KnockRecovery) == 5);
static_assert(offsetof(SParamsExt, AELevel) == 6);
static_assert(offsetof(SParamsExt, AEMax) == 7);
static_assert(offsetof(SParamsExt, AETime) == 8);
static_assert(offsetof(SParamsExt, InjVoltageCorr) == 9);

#pragma pack(pop)

// Bits of SParams::ExtSwitch.
constexpr std::uint8_t ExtSwitch1Unused = 0x01;   // fuel choice fixed by ExtFixedLpg
constexpr std::uint8_t ExtSwitch2Unused = 0x02;   // curve choice fixed by ExtFixedCurve2
constexpr std::uint8_t ExtFixedLpg = 0x10;
constexpr std::uint8_t ExtFixedCurve2 = 0x20;
// Bits of SParams::IgnOptions.
constexpr std::uint8_t IgnMultispark = 0x01;
constexpr std::uint8_t IgnCorrectionIdleRpm = 0x02;
constexpr std::uint8_t IgnStaticSpark = 0x04;
constexpr std::uint8_t IgnInversionSwitch = 0x10;
// Bits of SParams::SensorOptions.
constexpr std::uint8_t SensorEnableDT = 0x01;
constexpr std::uint8_t SensorEnableVoltmeter = 0x02;
constexpr std::uint8_t SensorInvertSAI = 0x04;
constexpr std::uint8_t SensorInvertSBR = 0x08;
constexpr std::uint8_t SensorFase = 0x10;
constexpr std::uint8_t SensorMode36_1 = 0x20;
constexpr std::uint8_t SensorKnock = 0x40;
// Bits of SParams::TempSensorOptions.
constexpr std::uint8_t TempSensorDigital = 0x01;

// Fixed values that replace a zero in these fields as soon as the editor shows the block.
constexpr std::uint8_t DefaultCylCount = 4;
constexpr std::uint16_t DefaultMaxRpmPeriod = 2000;   // 5000 rpm
constexpr std::uint8_t DefaultDpkvTotal = 132;
constexpr std::uint8_t DefaultDpkvNo = 20;

// An engine speed and its period are the same function in both directions: 10,000,000 / x in
// integer arithmetic, anything below 1 counting as 1 (so 0 gives 10,000,000).
constexpr int RpmPeriod(int x) { return 10'000'000 / (x < 1 ? 1 : x); }

// A speed as it goes into a 16-bit period field. Periods beyond 16 bits (speeds below 153 rpm,
// and 0) are clamped to 65535: wrapping would turn a near-stall speed into a high one.
constexpr std::uint16_t PeriodField(int rpm)
{
  const int period = RpmPeriod(rpm);
  return period > 65535 ? std::uint16_t(65535) : std::uint16_t(period);
}

// Shown value times factor, truncated toward zero. The product is nudged by a tiny amount away
// from zero first, so that a value typed as 2.3 is not taken as 22.999999999999996 tenths.
int TruncateScaled(double shown, double factor);

constexpr double HalfDegreesShown(int stored) { return stored * 0.5; }
inline int HalfDegreesStored(double shown) { return TruncateScaled(shown, 2.0); }
constexpr double TenthsShown(int stored) { return stored * 0.1; }
inline int TenthsStored(double shown) { return TruncateScaled(shown, 10.0); }
constexpr double VoltageCountsShown(int stored) { return stored * 0.0048828125; }   // 5 V / 1024
inline int VoltageCountsStored(double volts) { return TruncateScaled(volts, 204.8); }

// A converted value brought into the range of the field it goes into.
template <typename T> constexpr T SaturateTo(int value)
{
  if (value < int(std::numeric_limits<T>::min()))
    return std::numeric_limits<T>::min();
  if (value > int(std::numeric_limits<T>::max()))
    return std::numeric_limits<T>::max();
  return T(value);
}

// The knock-sensor lists; SParamsExt bytes 0 to 2 store the position in them, from 0. The item
// texts carry a blank on either side, as the lists show them.
extern const std::array<const char *, 64> KnockFrequencyItems;
extern const std::array<const char *, 64> KnockGainItems;
extern const std::array<const char *, 32> KnockFilterItems;
