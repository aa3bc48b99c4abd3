// Settings store throughput on the native build: a full five-profile set with
// every slot a 500-event macro.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <memory>
#include <string>

#include "common/file_system.h"
#include "common/ini_file.h"
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

// Loading is linear in the file's size whatever its lines hold: 20,000
// comment lines (no "=") against as many key lines of the same length.
std::string ManyLines(bool comments) {
  std::string text = "[Setting]\r\n";
  for (int i = 0; i < 20000; ++i) {
    std::string line = comments ? "; remark " : "Key" + std::to_string(i) + "=";
    line.resize(84, 'v');
    text += line + "\r\n";
  }
  return text;
}

void BM_ParseLines(benchmark::State& state) {
  const std::string text = ManyLines(state.range(0) == 1);
  IniFile ini;
  for (auto _ : state) {
    ini.Parse(text);
    benchmark::DoNotOptimize(ini.HasSection("Setting"));
  }
  state.SetLabel(state.range(0) == 1 ? "20000 comment lines" : "20000 key lines");
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * text.size()));
}
BENCHMARK(BM_ParseLines)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace vextra
