#include "enginemodel.h"

#include "calibration.h"
#include "ecumemory.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace {

constexpr int IdleRpm = 850;
constexpr int TopRpm = 6500;
constexpr int IdleMs = 3'000;
constexpr int RampMs = (TEngineModel::CycleMs - IdleMs) / 2;

double Ease(double s) { return (1.0 - std::cos(std::numbers::pi * std::clamp(s, 0.0, 1.0))) / 2.0; }

int Word(const std::array<std::uint8_t, TEcuMemory::ParamsSize> &p, int at) { return p[at] | (p[at + 1] << 8); }

void Put16(std::vector<std::uint8_t> &out, int at, int value)
{
  value = std::clamp(value, 0, 0xFFFF);
  out[at] = static_cast<std::uint8_t>(value & 0xFF);
  out[at + 1] = static_cast<std::uint8_t>(value >> 8);
}

std::uint8_t Byte(double value) { return static_cast<std::uint8_t>(std::clamp(static_cast<int>(std::lround(value)), 0, 255)); }
std::uint8_t SignedByte(int value) { return static_cast<std::uint8_t>(static_cast<std::int8_t>(std::clamp(value, -128, 127))); }

}   // namespace

int TEngineModel::ActiveTable() const
{
  const std::uint8_t switches = Memory.Params[1];
  const bool lpg = (switches & 0x01) && (switches & 0x10);
  const bool curve2 = (switches & 0x02) && (switches & 0x20);
  return (lpg ? 1 : 0) + (curve2 ? 2 : 0);
}

double TEngineModel::MapByte(int calibration, int rpm, double flow) const
{
  const double *axis = RpmAxis27;
  const int last = TEcuMemory::PointsPerFlow - 1;
  int p = 0;
  while (p < last - 1 && rpm > axis[p + 1])
    ++p;
  const double along = std::clamp((rpm - axis[p]) / (axis[p + 1] - axis[p]), 0.0, 1.0);
  const double row = std::clamp(flow - 1.0, 0.0, TEcuMemory::FlowsPerMap - 1.0);
  const int f0 = static_cast<int>(row);
  const int f1 = std::min(f0 + 1, TEcuMemory::FlowsPerMap - 1);
  const double across = row - f0;
  auto at = [&](int f) {
    return Memory.MapPoint(calibration, f, p) * (1.0 - along) + Memory.MapPoint(calibration, f, p + 1) * along;
  };
  return at(f0) * (1.0 - across) + at(f1) * across;
}

double TEngineModel::MapValue(int calibration, int rpm, double flow) const
{
  return MapByte(calibration, rpm, flow) / (calibration < 4 ? 2.0 : 50.0);
}

SEngineState TEngineModel::StateAt(std::int64_t ms) const
{
  SEngineState s;
  const double t = static_cast<double>(std::max<std::int64_t>(ms, 0));
  s.ActiveTable = ActiveTable();
  s.CoolantTemp = static_cast<int>(std::lround(20.0 + 70.0 * (1.0 - std::exp(-t / 60'000.0))));
  s.AirTemp = static_cast<int>(std::lround(22.0 + 0.12 * (s.CoolantTemp - 20)));
  s.AuxOut = s.CoolantTemp >= 88;

  if (ms < CrankingMs) {
    s.WorkMode = 1;
    s.Rpm = 220 + static_cast<int>(30.0 * std::sin(t / 40.0));
    s.Flow = 1.0;
    s.Carb = true;
    s.SupplyVolts = 10.4;
  } else {
    const std::int64_t u = (ms - CrankingMs) % CycleMs;
    if (u < IdleMs) {
      s.Rpm = IdleRpm + static_cast<int>(25.0 * std::sin(t / 270.0));
      s.Flow = 1.5;
      s.Carb = true;
    } else if (u < IdleMs + RampMs) {
      const double share = double(u - IdleMs) / RampMs;
      s.Rpm = IdleRpm + static_cast<int>((TopRpm - IdleRpm) * Ease(share));
      s.Flow = 1.5 + 14.4 * Ease(share * 4.0);   // throttle opens in the first quarter of the pull
    } else {
      const double share = double(u - IdleMs - RampMs) / RampMs;
      s.Rpm = TopRpm - static_cast<int>((TopRpm - IdleRpm) * Ease(share));
      s.Flow = 1.2;
      s.Carb = true;
      s.EconomIdle = s.Rpm > 1500;
    }
    s.WorkMode = (s.Carb && s.Rpm < 1000) ? 2 : 3;
    s.SupplyVolts = 13.8 + 0.1 * std::sin(t / 1300.0);
  }

  // The flag shows the limiter speed being passed; the model does not hold the speed there, so
  // the sweep stays the same whatever the parameters say.
  const int limitPeriod = Word(Memory.Params, 6);
  s.LimitRPM = limitPeriod > 0 && s.Rpm >= 10'000'000 / limitPeriod;

  s.Advance = std::round(MapByte(s.ActiveTable, s.Rpm, s.Flow)) / 2.0;
  s.LimitAngle = s.Advance >= 50.0;

  const double v1 = Word(Memory.Params, 24) / 204.8, v16 = Word(Memory.Params, 22) / 204.8;
  s.MapVolts = v1 + (s.Flow - 1.0) / 15.0 * (v16 - v1);

  double afr = 14.7 + 0.4 * std::sin(t / 150.0);
  if (s.Flow > 12.0)
    afr = 12.8;
  if (s.EconomIdle)
    afr = 19.5;
  s.LambdaVolts = (afr - 10.0) / 2.0;

  const int injectionMap = 4 + s.ActiveTable / 2;
  s.InjTimeMs = s.EconomIdle ? 0.0 : MapValue(injectionMap, s.Rpm, s.Flow);
  return s;
}

std::vector<std::uint8_t> TEngineModel::Encode(const SEngineState &s)
{
  std::vector<std::uint8_t> out(PayloadSize, 0);
  out[0] = static_cast<std::uint8_t>((s.WorkMode & 0x0F) | ((s.TestMode & 0x07) << 4));
  out[1] = static_cast<std::uint8_t>((s.ActiveTable & 0x03) | (s.LimitRPM << 2) | (s.Carb << 3) |
                                     (s.EconomIdle << 4) | (s.AuxOut << 5));
  out[2] = static_cast<std::uint8_t>(s.LimitAngle ? 0x01 : 0x00);
  out[4] = Byte(s.Advance * 2.0);
  out[5] = Byte(s.Flow * 16.0);
  Put16(out, 6, s.Rpm > 0 ? 10'000'000 / s.Rpm : 0);
  Put16(out, 10, static_cast<int>(std::lround(s.MapVolts * 204.8)));
  Put16(out, 12, static_cast<int>(std::lround(s.LambdaVolts * 204.8)));
  out[14] = SignedByte(s.CoolantTemp);
  out[15] = Byte(s.SupplyVolts * 10.0);
  out[19] = Byte(s.InjTimeMs / 0.02);
  out[20] = SignedByte(s.AirTemp);
  return out;
}

std::vector<std::uint8_t> TEngineModel::LivePayload(std::int64_t ms) const { return Encode(StateAt(ms)); }
