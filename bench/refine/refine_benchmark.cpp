// The refinement of one device on the model's own curves (target: under 50 ms; with gate
// charges under 100 ms; with the virtual device's nine digitized curves under 100 ms), the
// refine command with and without the hot rows, and the switch advice, which runs after every
// model update in the window. The start values' DC points hold Vgs(th) at its test current,
// which the refinement meets with the subthreshold slope after fitting the driven points.
// The refinement fits the body diode and the capacitances alone on threads of their own while
// the DC group runs, so its benchmarks time the wall clock a user waits by.

#include <benchmark/benchmark.h>

#include "bench_windows.h"
#include "refine/refine_command.h"
#include "refine/refinement.h"
#include "refine/switch_advice.h"
#include "verify/bench_setup.h"

namespace vdmos {
namespace {

enum class GateCharges { Left, Together, First };

// The start values hold the example device's gate charges (11, 33 and 87 nC at 10 V): the
// capacitance group is fitted to them too, and once more without them to tell the trade-off.
void RefineStartValues(benchmark::State& run, const char* fetType, GateCharges charges) {
  const WindowState state = UpdatedStartWindow(fetType);
  BenchSetup setup = ReadBenchSetup(state);
  if (charges == GateCharges::Left) setup.qgs = setup.qgd = setup.qg = std::nullopt;
  DatasheetPoints points = DatasheetPointsOf(setup);
  if (charges == GateCharges::First) points.gateCharge->first = true;
  for (auto _ : run) benchmark::DoNotOptimize(RefineParameters(state.params, setup.pmos, false, points));
}
BENCHMARK_CAPTURE(RefineStartValues, nmos, "NMOS", GateCharges::Together)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK_CAPTURE(RefineStartValues, pmos, "PMOS", GateCharges::Together)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK_CAPTURE(RefineStartValues, nmos_gate_charges_first, "NMOS", GateCharges::First)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK_CAPTURE(RefineStartValues, nmos_without_gate_charges, "NMOS", GateCharges::Left)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

void RefineVirtualDeviceWithCurves(benchmark::State& run) {
  const WindowState state = UpdatedVirtualDeviceWindow();
  const BenchSetup setup = ReadBenchSetup(state);
  const DatasheetPoints points = DatasheetPointsOf(setup);
  for (auto _ : run) benchmark::DoNotOptimize(RefineParameters(state.params, setup.pmos, false, points));
}
BENCHMARK(RefineVirtualDeviceWithCurves)->Unit(benchmark::kMillisecond)->UseRealTime();

// The refine command as the window and the command line run it, with the hot device's fields
// typed or not: with them, the temperature recipe runs again on the fitted and on the refined
// card and the hot rows are judged by the laws (target: at most a fifth more than without).
void RefineCommand(benchmark::State& run, bool hot) {
  const WindowState state = hot ? UpdatedHotStartWindow() : UpdatedStartWindow();
  ScriptedPlatform platform;
  for (auto _ : run) {
    WindowState refined = state;
    benchmark::DoNotOptimize(RefineModel(refined, platform));
  }
}
BENCHMARK_CAPTURE(RefineCommand, hot_rows, true)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK_CAPTURE(RefineCommand, room_rows_only, false)->Unit(benchmark::kMillisecond)->UseRealTime();

void AdviseStartValueSwitches(benchmark::State& run) {
  const WindowState state = UpdatedStartWindow("NMOS");
  for (auto _ : run) benchmark::DoNotOptimize(AdviseSwitches(state));
}
BENCHMARK(AdviseStartValueSwitches)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace vdmos
