#include "liverecord.h"

#include <gtest/gtest.h>

#include <cstring>
#include <functional>

namespace {

SPacket Live(std::initializer_list<std::pair<int, int>> bytes)
{
  SPacket p;
  std::memset(&p, 0, sizeof p);
  p.Type = 1;
  p.Length = 23;
  p.Status = 2;
  for (auto [at, value] : bytes)
    p.Data[at] = std::uint8_t(value);
  return p;
}

}   // namespace

TEST(LiveRecord, DecodesEveryFieldWithItsScaling)
{
  struct SCase {
    const char *Name;
    SPacket Packet;
    double Correction;
    std::function<void(const SInfo &)> Check;
  };
  const SCase cases[] = {
      {"word 6 = 0 gives 0 rpm", Live({}), 0, [](const SInfo &i) { EXPECT_EQ(i.RPM, 0); }},
      {"word 6 = 10000 gives 1000 rpm", Live({{6, 0x10}, {7, 0x27}}), 0, [](const SInfo &i) { EXPECT_EQ(i.RPM, 1000); }},
      {"word 6 = 3 gives 3333333 rpm", Live({{6, 3}}), 0, [](const SInfo &i) { EXPECT_EQ(i.RPM, 3333333); }},
      {"temperatures are signed", Live({{14, 0xF6}, {20, 0x7F}}), 0,
       [](const SInfo &i) {
         EXPECT_EQ(i.Temp, -10);
         EXPECT_EQ(i.TempAir, 127);
       }},
      {"voltage in whole volts", Live({{15, 139}}), 0, [](const SInfo &i) { EXPECT_EQ(i.Voltage, 13); }},
      {"voltage below a volt", Live({{15, 9}}), 0, [](const SInfo &i) { EXPECT_EQ(i.Voltage, 0); }},
      {"lambda volts and AFR with correction", Live({{12, 0x00}, {13, 0x02}}), 0.3,
       [](const SInfo &i) {
         EXPECT_DOUBLE_EQ(i.LambdaVolts, 2.5);
         EXPECT_NEAR(i.AFR, 15.3, 1e-12);
       }},
      {"modes from byte 0", Live({{0, 0x52}}), 0,
       [](const SInfo &i) {
         EXPECT_EQ(i.WorkMode, 2);
         EXPECT_EQ(i.TestMode, 5);
       }},
      {"table and flags from byte 1", Live({{1, 0x3D}}), 0,
       [](const SInfo &i) {
         EXPECT_EQ(i.ActiveTable, 1);
         EXPECT_TRUE(i.LimitRPM && i.Carb && i.EconomIdle && i.AuxOut);
       }},
      {"error flags from byte 2", Live({{2, 0x87}}), 0,
       [](const SInfo &i) {
         EXPECT_TRUE(i.LimitAngle && i.ErrMap && i.ErrSync && i.ErrWdt);
       }},
      {"half16 drops the fraction", Live({{16, 7}}), 0, [](const SInfo &i) { EXPECT_DOUBLE_EQ(i.Half16, 3.0); }},
      {"scaled bytes", Live({{3, 5}, {4, 61}, {5, 24}, {19, 150}, {10, 0x00}, {11, 0x01}, {21, 0x34}, {22, 0x12}}), 0,
       [](const SInfo &i) {
         EXPECT_DOUBLE_EQ(i.Half3, 2.5);
         EXPECT_DOUBLE_EQ(i.Advance, 30.5);
         EXPECT_DOUBLE_EQ(i.FlowValue, 1.5);
         EXPECT_DOUBLE_EQ(i.InjTime, 3.0);
         EXPECT_DOUBLE_EQ(i.Volts10, 1.25);
         EXPECT_DOUBLE_EQ(i.Word21, 0x1234);
       }},
      {"plain bytes", Live({{8, 200}, {9, 201}, {17, 202}, {18, 203}}), 0,
       [](const SInfo &i) {
         EXPECT_EQ(i.Byte8, 200);
         EXPECT_EQ(i.Byte9, 201);
         EXPECT_EQ(i.Byte17, 202);
         EXPECT_EQ(i.Byte18, 203);
       }},
      {"the empty record decodes from 0xFF bytes", SPacket::MakeEmpty(), 0,
       [](const SInfo &i) {
         EXPECT_EQ(i.RPM, 152);
         EXPECT_EQ(i.Temp, -1);
       }},
  };
  for (const SCase &c : cases) {
    SCOPED_TRACE(c.Name);
    SInfo info = MakeZeroInfo();
    DecodeLivePacket(c.Packet, c.Correction, info);
    c.Check(info);
    EXPECT_EQ(info.Valid, 0) << "the decoder leaves Valid to the polling thread";
  }
}

TEST(LiveRecord, DayCountStartsAt18991230)
{
  EXPECT_DOUBLE_EQ(ToDayCount(QDateTime(QDate(1899, 12, 30), QTime(0, 0))), 0.0);
  EXPECT_DOUBLE_EQ(ToDayCount(QDateTime(QDate(1900, 1, 1), QTime(12, 0))), 2.5);
  const QDateTime t(QDate(2026, 12, 11), QTime(13, 45, 30, 250));
  EXPECT_EQ(FromDayCount(ToDayCount(t)), t);
}

TEST(LiveRecord, VersionAnswerGivesTextIdAndFlags)
{
  SPacket answer = SPacket::MakeEmpty();
  const char text[12] = "ZOLT 2.15";
  std::memcpy(answer.Data, text, 12);
  const std::uint8_t id[5] = {0xCD, 0xAB, 0x34, 0x12, 2};
  std::memcpy(answer.Data + 12, id, 5);
  const SVersionFirmware v = DecodeVersionAnswer(answer);
  EXPECT_EQ(v.Version, QStringLiteral("ZOLT 2.15"));
  EXPECT_EQ(v.Id, QStringLiteral("1234ABCD"));
  EXPECT_EQ(v.FlagLetters(), QStringLiteral("I"));
  SVersionFirmware f;
  f.Flags = 1;
  EXPECT_EQ(f.FlagLetters(), QStringLiteral("F"));
}
