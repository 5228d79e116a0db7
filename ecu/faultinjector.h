#pragma once
// Faults the virtual ECU injects on request. Every decision comes from a seeded generator, so a
// test that passes the same seed sees the same faults.
//
// Two independent streams: one decides about answers (drop, wrong echo), one about the line
// (corrupt checks, noise). Live packets sent on the ECU's own timing therefore never shift which
// answers are dropped, and a request sequence replays the same way whatever the timing was.

#include <cstdint>
#include <random>
#include <vector>

struct SFaultSettings {
  double DropAnswers = 0.0;     // probability an answer is not sent
  double Corrupt = 0.0;         // probability an outgoing packet carries a wrong check
  double Garbage = 0.0;         // probability of noise bytes before an outgoing packet
  bool WrongEchoFirst = false;  // every echoed answer first comes with another address
  int AnswerDelayMs = 0;        // answers leave this late
  int SilentAfterMs = -1;       // silent for good this long after the first received byte; -1 never
  std::uint32_t Seed = 1;
};

class TFaultInjector {
public:
  explicit TFaultInjector(const SFaultSettings &settings = {});

  const SFaultSettings &Settings() const { return Config; }

  bool DropAnswer() { return Chance(AnswerRng, Config.DropAnswers); }
  bool CorruptPacket() { return Chance(LineRng, Config.Corrupt); }
  // Noise to put on the line before the next packet; empty most of the time.
  std::vector<std::uint8_t> Noise();

private:
  static bool Chance(std::mt19937 &rng, double p);

  SFaultSettings Config;
  std::mt19937 AnswerRng;
  std::mt19937 LineRng;
};
