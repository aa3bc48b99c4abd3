// Settings store throughput on the native build: a full five-profile set with
// every slot a 500-event macro.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <memory>
#include <string>

#include "common/file_system.h"
#include "common/settings_store.h"
#include "tests/support/sample_block.h"

namespace vextra {
namespace {

std::string BenchFolder() {
  char name[] = "/tmp/vextra-bench-XXXXXX";
  const char* made = mkdtemp(name);
  return made ? std::string(made) + "/" : std::string("/tmp/");
}

void BM_SaveAll(benchmark::State& state) {
  auto block = std::make_unique<SettingsBlock>();
  FillSampleBlock(*block, 1);
  SettingsStore store(BenchFolder(), nullptr);
  for (auto _ : state) benchmark::DoNotOptimize(store.SaveAll(*block));
}
BENCHMARK(BM_SaveAll)->Unit(benchmark::kMillisecond);

void BM_LoadAll(benchmark::State& state) {
  auto block = std::make_unique<SettingsBlock>();
  FillSampleBlock(*block, 1);
  SettingsStore store(BenchFolder(), nullptr);
  store.SaveAll(*block);
  for (auto _ : state) benchmark::DoNotOptimize(store.LoadAll(*block));
}
BENCHMARK(BM_LoadAll)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace vextra
