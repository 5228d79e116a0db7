#include "ecu_testing.h"
#include "enginemodel.h"

#include <gtest/gtest.h>

using namespace EcuTesting;

namespace {

// The live packet read back the way the dashboard's record reads it.
struct SDecoded {
  int WorkMode, TestMode, ActiveTable;
  bool LimitRPM, Carb, EconomIdle, AuxOut;
  double Advance, Flow, MapVolts, LambdaVolts, InjTime;
  int Rpm, Temp, Voltage, TempAir;
};

SDecoded Decode(const Bytes &p)
{
  auto word = [&](int n) { return p[n] | (p[n + 1] << 8); };
  SDecoded d{};
  d.WorkMode = p[0] & 0x0F;
  d.TestMode = p[0] >> 4;
  d.ActiveTable = p[1] & 3;
  d.LimitRPM = p[1] & 0x04;
  d.Carb = p[1] & 0x08;
  d.EconomIdle = p[1] & 0x10;
  d.AuxOut = p[1] & 0x20;
  d.Advance = p[4] * 0.5;
  d.Flow = p[5] * 0.0625;
  d.Rpm = word(6) ? 10'000'000 / word(6) : 0;
  d.MapVolts = word(10) * 5.0 / 1024;
  d.LambdaVolts = word(12) * 5.0 / 1024;
  d.Temp = static_cast<std::int8_t>(p[14]);
  d.Voltage = p[15] / 10;
  d.InjTime = p[19] * 0.02;
  d.TempAir = static_cast<std::int8_t>(p[20]);
  return d;
}

}   // namespace

TEST(EcuEngine, EncodesTheLivePacketLayout)
{
  SEngineState s;
  s.WorkMode = 2;
  s.TestMode = 5;
  s.ActiveTable = 1;
  s.LimitRPM = s.Carb = s.EconomIdle = s.AuxOut = true;
  s.Rpm = 1000;
  s.Advance = 12.5;
  s.Flow = 4.0;
  s.MapVolts = 2.5;
  s.LambdaVolts = 2.35;
  s.CoolantTemp = -10;
  s.AirTemp = 127;
  s.SupplyVolts = 13.9;
  s.InjTimeMs = 2.4;
  const Bytes p = TEngineModel::Encode(s);
  ASSERT_GE(p.size(), 23u);
  EXPECT_EQ(p[0], 0x52);
  EXPECT_EQ(p[1], 0x3D);
  EXPECT_EQ(p[4], 25);
  EXPECT_EQ(p[5], 64);
  EXPECT_EQ(p[6] | (p[7] << 8), 10000);
  EXPECT_EQ(p[10] | (p[11] << 8), 512);
  EXPECT_EQ(p[12] | (p[13] << 8), 481);
  EXPECT_EQ(p[14], 0xF6);
  EXPECT_EQ(p[15], 139);
  EXPECT_EQ(p[19], 120);
  EXPECT_EQ(p[20], 0x7F);
}

TEST(EcuEngine, DashboardMovesPlausibly)
{
  TEcuMemory memory;
  TEngineModel engine(memory);
  int lowest = 100000, highest = 0, previousTemp = -100;
  bool idle = false, run = false, cutOff = false;
  for (std::int64_t t = 2000; t < 240'000; t += 250) {
    SCOPED_TRACE(t);
    const SDecoded d = Decode(engine.LivePayload(t));
    lowest = std::min(lowest, d.Rpm);
    highest = std::max(highest, d.Rpm);
    idle |= d.WorkMode == 2;
    run |= d.WorkMode == 3;
    cutOff |= d.EconomIdle;
    EXPECT_TRUE(d.WorkMode == 2 || d.WorkMode == 3);
    EXPECT_EQ(d.TestMode, 0);
    EXPECT_EQ(d.ActiveTable, 0);
    EXPECT_GE(d.Flow, 1.0);
    EXPECT_LE(d.Flow, 16.0);
    EXPECT_GT(d.Advance, 0.0);
    EXPECT_LE(d.Advance, 60.0);
    EXPECT_GE(d.Temp, previousTemp);   // warming up, never cooling
    previousTemp = d.Temp;
    EXPECT_EQ(d.Voltage, 13);
    EXPECT_GT(d.LambdaVolts * 2 + 10, 12.0);
    EXPECT_LT(d.LambdaVolts * 2 + 10, 20.0);
    EXPECT_LE(d.InjTime, 5.1);
    EXPECT_GT(d.TempAir, 15);
    EXPECT_LT(d.TempAir, 40);
    // The limiter flag follows the speed limit of the parameters (5000 rpm).
    EXPECT_EQ(d.LimitRPM, d.Rpm >= 5000);
  }
  EXPECT_LT(lowest, 900);
  EXPECT_GT(highest, 6300);
  EXPECT_TRUE(idle && run && cutOff);
  EXPECT_GE(previousTemp, 85);
  EXPECT_EQ(Decode(engine.LivePayload(0)).WorkMode, 1);   // cranking right after power-on
}

TEST(EcuEngine, AdvanceComesFromTheActiveMap)
{
  TEcuMemory memory;
  // Map 1 ("LPG 1") rises by one byte per point and by four per flow.
  for (int flow = 0; flow < 16; ++flow)
    for (int p = 0; p < 27; ++p)
      memory.Maps[1 * 512 + (flow / 2) * 64 + (flow % 2) * 32 + p] = static_cast<std::uint8_t>(10 + 4 * flow + p);
  memory.Params[1] = 0x13;   // switch 1 not used, fixed to LPG
  TEngineModel engine(memory);
  EXPECT_EQ(engine.ActiveTable(), 1);

  EXPECT_DOUBLE_EQ(engine.MapValue(1, 814, 1.0), (10 + 4) / 2.0);        // on point 4, flow 1
  EXPECT_DOUBLE_EQ(engine.MapValue(1, 814, 2.5), (10 + 6 + 4) / 2.0);    // between flows 2 and 3
  EXPECT_NEAR(engine.MapValue(1, (751 + 814) / 2, 1.0), (10 + 3.5) / 2.0, 0.01);   // between points 3 and 4
  EXPECT_DOUBLE_EQ(engine.MapValue(1, 100, 1.0), 5.0);                   // below the axis: first point
  EXPECT_DOUBLE_EQ(engine.MapValue(1, 30000, 16.0), (10 + 60 + 26) / 2.0);

  for (std::int64_t t = 2000; t < 22'000; t += 500) {
    const SEngineState s = engine.StateAt(t);
    const SDecoded d = Decode(TEngineModel::Encode(s));
    EXPECT_EQ(d.ActiveTable, 1);
    EXPECT_NEAR(d.Advance, engine.MapValue(1, s.Rpm, s.Flow), 0.25);
  }
}
