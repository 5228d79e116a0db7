#include "faultinjector.h"

#include "framing.h"

TFaultInjector::TFaultInjector(const SFaultSettings &settings)
    : Config(settings), AnswerRng(settings.Seed), LineRng(settings.Seed ^ 0x9E3779B9u)
{
}

bool TFaultInjector::Chance(std::mt19937 &rng, double p)
{
  if (p <= 0.0)
    return false;
  return std::uniform_real_distribution<double>(0.0, 1.0)(rng) < p;
}

std::vector<std::uint8_t> TFaultInjector::Noise()
{
  std::vector<std::uint8_t> noise;
  if (!Chance(LineRng, Config.Garbage))
    return noise;
  std::uniform_int_distribution<int> byte(0, 255);
  // Half of the noise starts like a packet: a piece of the marker, up to the whole of it, so the
  // manager's scan has to see through false starts.
  if (std::uniform_int_distribution<int>(0, 1)(LineRng) == 1) {
    const int piece = std::uniform_int_distribution<int>(1, 4)(LineRng);
    noise.insert(noise.end(), Framing::SyncMarker.begin(), Framing::SyncMarker.begin() + piece);
  }
  const int tail = std::uniform_int_distribution<int>(1, 10)(LineRng);
  for (int k = 0; k < tail; ++k)
    noise.push_back(static_cast<std::uint8_t>(byte(LineRng)));
  return noise;
}
