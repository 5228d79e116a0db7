#pragma once
// Byte-packed records that cross the wire, files and threads. Every offset is fixed:
// the same bytes live in ECU packets, packet logs and data logs.

#include <bit>
#include <cstddef>
#include <cstdint>

static_assert(std::endian::native == std::endian::little,
              "records are stored little-endian and mapped directly onto memory");

#pragma pack(push, 1)

// One framed packet as held in a slot, copied out as an answer, or written to the packet log.
struct SPacket {
  static constexpr int DataSize = 96;
  static constexpr std::uint8_t Empty = 0;
  static constexpr std::uint8_t Waiting = 2;

  std::uint8_t Data[DataSize];
  std::int32_t Length;   // payload bytes, 0 .. 88
  std::uint8_t Status;   // Empty or Waiting
  std::uint8_t Type;     // packet type; 0xFF in an emptied slot
  std::uint8_t Reserved[2];

  // Data all 0xFF, Length 0, Status 0, Type 0xFF: the state of a slot nobody filled since it was taken.
  static SPacket MakeEmpty();
};
static_assert(sizeof(SPacket) == 104);
static_assert(offsetof(SPacket, Length) == 96);
static_assert(offsetof(SPacket, Status) == 100);
static_assert(offsetof(SPacket, Type) == 101);
static_assert(offsetof(SPacket, Reserved) == 102);

// The ECU identity as it sits inside a live record. The texts themselves travel beside the record;
// the two 4-byte slots that once held references stay and are always 0.
struct SEcuIdentityRef {
  std::uint32_t VersionTextRef;
  std::uint32_t IdTextRef;
  std::uint8_t Flags;   // bit 0 "F", bit 1 "I"
  std::uint8_t Reserved[3];
};
static_assert(sizeof(SEcuIdentityRef) == 12);

// The 256-byte live data record. Flags are stored as bytes (0 or not 0), never as C++ bool,
// so a record read from a damaged log never holds an invalid bool.
struct SInfo {
  std::uint8_t WorkMode;
  std::uint8_t TestMode;
  std::uint8_t Reserved2[2];
  std::int32_t ActiveTable;
  std::uint8_t LimitRPM;
  std::uint8_t Carb;
  std::uint8_t EconomIdle;
  std::uint8_t AuxOut;
  std::uint8_t LimitAngle;
  std::uint8_t ErrMap;
  std::uint8_t ErrSync;
  std::uint8_t ErrWdt;
  double Half3;
  double Advance;
  double FlowValue;
  double Volts10;
  double LambdaVolts;
  double Half16;
  double InjTime;
  double Word21;
  double AFR;
  std::int32_t RPM;
  std::int32_t Byte8;
  std::int32_t Byte9;
  std::int32_t Temp;
  std::int32_t Voltage;
  std::int32_t Byte17;
  std::int32_t Byte18;
  std::int32_t TempAir;
  SPacket Raw;
  std::int32_t Reserved224;
  SEcuIdentityRef EcuIdentity;
  std::uint8_t Valid;
  std::uint8_t Reserved241[3];
  std::int32_t RecordNo;
  double ReadTime;   // days since 1899-12-30, local time, time of day as the fraction
};
#pragma pack(pop)

static_assert(sizeof(SInfo) == 256);
static_assert(offsetof(SInfo, WorkMode) == 0);
static_assert(offsetof(SInfo, TestMode) == 1);
static_assert(offsetof(SInfo, ActiveTable) == 4);
static_assert(offsetof(SInfo, LimitRPM) == 8);
static_assert(offsetof(SInfo, Carb) == 9);
static_assert(offsetof(SInfo, EconomIdle) == 10);
static_assert(offsetof(SInfo, AuxOut) == 11);
static_assert(offsetof(SInfo, LimitAngle) == 12);
static_assert(offsetof(SInfo, ErrMap) == 13);
static_assert(offsetof(SInfo, ErrSync) == 14);
static_assert(offsetof(SInfo, ErrWdt) == 15);
static_assert(offsetof(SInfo, Half3) == 16);
static_assert(offsetof(SInfo, Advance) == 24);
static_assert(offsetof(SInfo, FlowValue) == 32);
static_assert(offsetof(SInfo, Volts10) == 40);
static_assert(offsetof(SInfo, LambdaVolts) == 48);
static_assert(offsetof(SInfo, Half16) == 56);
static_assert(offsetof(SInfo, InjTime) == 64);
static_assert(offsetof(SInfo, Word21) == 72);
static_assert(offsetof(SInfo, AFR) == 80);
static_assert(offsetof(SInfo, RPM) == 88);
static_assert(offsetof(SInfo, Byte8) == 92);
static_assert(offsetof(SInfo, Byte9) == 96);
static_assert(offsetof(SInfo, Temp) == 100);
static_assert(offsetof(SInfo, Voltage) == 104);
static_assert(offsetof(SInfo, Byte17) == 108);
static_assert(offsetof(SInfo, Byte18) == 112);
static_assert(offsetof(SInfo, TempAir) == 116);
static_assert(offsetof(SInfo, Raw) == 120);
static_assert(offsetof(SInfo, Reserved224) == 224);
static_assert(offsetof(SInfo, EcuIdentity) == 228);
static_assert(offsetof(SInfo, Valid) == 240);
static_assert(offsetof(SInfo, RecordNo) == 244);
static_assert(offsetof(SInfo, ReadTime) == 248);

// A zero record: every number 0, every flag off, no identity, Valid 0, ReadTime 0.
SInfo MakeZeroInfo();
