#pragma once
// A running engine as the ECU would measure it, so that the dashboard has something to show:
// a speed sweep from idle to high revs and back every 20 s, the throttle opening on the way up,
// the advance angle looked up in the active ignition map, the coolant warming up.
// The state is a pure function of the time since power-on and the ECU's memory.

#include <cstdint>
#include <vector>

class TEcuMemory;

struct SEngineState {
  int WorkMode = 0;       // 0 stop, 1 start, 2 idle, 3 run
  int TestMode = 0;
  int ActiveTable = 0;    // ignition map 0..3
  bool LimitRPM = false;
  bool Carb = false;      // throttle switch closed
  bool EconomIdle = false;// fuel cut-off on the overrun
  bool AuxOut = false;    // cooling fan
  bool LimitAngle = false;
  int Rpm = 0;
  double Flow = 0.0;      // 1 .. 16
  double Advance = 0.0;   // degrees
  double MapVolts = 0.0;
  double LambdaVolts = 0.0;
  int CoolantTemp = 0;    // C
  int AirTemp = 0;        // C
  double SupplyVolts = 0.0;
  double InjTimeMs = 0.0;
};

class TEngineModel {
public:
  static constexpr int CycleMs = 20'000;
  static constexpr int CrankingMs = 1'500;
  static constexpr int PayloadSize = 24;

  explicit TEngineModel(const TEcuMemory &memory) : Memory(memory) {}

  SEngineState StateAt(std::int64_t msSincePowerOn) const;
  std::vector<std::uint8_t> LivePayload(std::int64_t msSincePowerOn) const;

  // The live packet's payload for a state.
  static std::vector<std::uint8_t> Encode(const SEngineState &state);

  // Value of map c at an engine speed and flow, interpolated between points and flows, in the
  // map's own units (degrees or milliseconds).
  double MapValue(int calibration, int rpm, double flow) const;

  // Ignition map in use: fixed by the parameter block when the external switches are not used,
  // otherwise the switches' resting position (petrol, curve 1).
  int ActiveTable() const;

private:
  double MapByte(int calibration, int rpm, double flow) const;

  const TEcuMemory &Memory;
};
