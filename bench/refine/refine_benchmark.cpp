// The refinement of one device on the model's own curves (target: under 50 ms; with gate
// charges under 100 ms), and the switch advice, which runs after every model update in the window.

#include <benchmark/benchmark.h>

#include "model/control_names.h"
#include "model/model_update.h"
#include "platform/scripted_platform.h"
#include "refine/refinement.h"
#include "refine/switch_advice.h"
#include "verify/bench_setup.h"

namespace vdmos {
namespace {

WindowState UpdatedStartWindow(const char* fetType) {
  WindowState state;
  state.setText(control::Combo1, fetType);
  ScriptedPlatform platform;
  UpdateModel(state, platform);
  return state;
}

void RefineStartValues(benchmark::State& run, const char* fetType) {
  const WindowState state = UpdatedStartWindow(fetType);
  const BenchSetup setup = ReadBenchSetup(state);
  const DatasheetPoints points = DatasheetPointsOf(setup);
  for (auto _ : run) benchmark::DoNotOptimize(RefineParameters(state.params, setup.pmos, false, points));
}
BENCHMARK_CAPTURE(RefineStartValues, nmos, "NMOS")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(RefineStartValues, pmos, "PMOS")->Unit(benchmark::kMillisecond);

// With the start values' gate charges (11, 33 and 87 nC at 10 V) among the targets: the
// capacitance group is fitted to them too, and once more without them to tell the trade-off.
void RefineStartValuesWithGateCharges(benchmark::State& run, const char* fetType) {
  const WindowState state = UpdatedStartWindow(fetType);
  BenchSetup setup = ReadBenchSetup(state);
  setup.qgs = 11;
  setup.qgd = 33;
  setup.qg = 87;
  setup.chargeVgs = 10;
  const DatasheetPoints points = DatasheetPointsOf(setup);
  for (auto _ : run) benchmark::DoNotOptimize(RefineParameters(state.params, setup.pmos, false, points));
}
BENCHMARK_CAPTURE(RefineStartValuesWithGateCharges, nmos, "NMOS")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(RefineStartValuesWithGateCharges, pmos, "PMOS")->Unit(benchmark::kMillisecond);

void AdviseStartValueSwitches(benchmark::State& run) {
  const WindowState state = UpdatedStartWindow("NMOS");
  for (auto _ : run) benchmark::DoNotOptimize(AdviseSwitches(state));
}
BENCHMARK(AdviseStartValueSwitches)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace vdmos
