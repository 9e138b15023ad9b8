// Cost of reading "options.ini" as the game does at start, for files of many keys: a hand-made
// or generated file must never hold the window up.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "config/IniFile.h"
#include "config/Options.h"
#include "platform/Paths.h"

namespace {

// A settings folder of its own holding an options.ini with `keys` keys in its Options section
// (after the game's own), so the store reads it and not the player's.
std::string writeOptionsFile(int keys) {
  const auto folder = std::filesystem::temp_directory_path() / "kelvane-bench-config";
  std::filesystem::create_directories(folder);
  std::ofstream out(folder / "options.ini", std::ios::binary | std::ios::trunc);
  out << "[ Options ]\nnrLaps=3\n";
  for (int i = 0; i < keys; ++i) out << "extraKey" << i << '=' << i << '\n';
  return folder.string() + "/";
}

void BM_ReadIniFile(benchmark::State& state) {
  const std::string folder = writeOptionsFile(static_cast<int>(state.range(0)));
  for (auto _ : state) {
    config::CIniFile ini(folder + "options.ini");
    ini.readFile();
    benchmark::DoNotOptimize(ini.numKeys());
  }
  state.SetComplexityN(state.range(0));
}
BENCHMARK(BM_ReadIniFile)
    ->Arg(1000)
    ->Arg(10000)
    ->Arg(20000)
    ->Arg(200000)
    ->Unit(benchmark::kMillisecond)
    ->MeasureProcessCPUTime();

// The whole start of the options store: read, fill in every default.
void BM_StartOptionsStore(benchmark::State& state) {
  platform::setProgramFolder(writeOptionsFile(static_cast<int>(state.range(0))));
  for (auto _ : state) {
    config::Options::destroy(false);
    benchmark::DoNotOptimize(config::Options::instance()->getOptionInt("nrLaps"));
  }
  config::Options::destroy(false);
}
BENCHMARK(BM_StartOptionsStore)
    ->Arg(10000)
    ->Arg(20000)
    ->Arg(200000)
    ->Unit(benchmark::kMillisecond)
    ->MeasureProcessCPUTime();

}  // namespace
