// Throughput of the receive path: ScanWindow over a realistic stream of live packets, answers,
// the odd opaque packet and a little line noise, cut into batches as a port delivers them.
// Run: build/bin/bench_receive

#include "framing.h"

#include <benchmark/benchmark.h>

#include <random>
#include <vector>

namespace {

std::vector<std::uint8_t> RealisticStream(std::size_t bytes)
{
  std::mt19937 rng(7);
  std::vector<std::uint8_t> stream;
  while (stream.size() < bytes) {
    std::vector<std::uint8_t> payload(rng() % 4 == 0 ? 66 : 23);
    for (auto &b : payload)
      b = std::uint8_t(rng());
    const auto frame = Framing::BuildPacket(rng() % 4 == 0 ? 49 : 1, payload.data(), int(payload.size()));
    stream.insert(stream.end(), frame.begin(), frame.end());
    if (rng() % 10 == 0)
      for (int k = 0; k < 5; ++k)
        stream.push_back(std::uint8_t(rng()));
  }
  return stream;
}

void ScanWindowThroughput(benchmark::State &state)
{
  const auto stream = RealisticStream(1 << 20);
  const std::size_t batch = std::size_t(state.range(0));
  std::size_t packets = 0;
  for (auto _ : state) {
    TReceiveWindow window;
    for (std::size_t at = 0; at + batch <= stream.size(); at += batch)
      packets += std::size_t(window.ScanWindow(stream.data() + at, int(batch), [](const TReceiveWindow::SFound &p) {
        benchmark::DoNotOptimize(p.Length);
      }));
  }
  state.SetBytesProcessed(std::int64_t(state.iterations()) * std::int64_t(stream.size()));
  state.counters["packets"] = benchmark::Counter(double(packets), benchmark::Counter::kIsRate);
}

}   // namespace

BENCHMARK(ScanWindowThroughput)->Arg(1)->Arg(8)->Arg(32)->Arg(96)->Unit(benchmark::kMillisecond);
BENCHMARK_MAIN();
