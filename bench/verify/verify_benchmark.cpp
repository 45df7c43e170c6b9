// The whole model check of the start values in ngspice (four benches, run in parallel; the
// output bench also sweeps the tied gate and drain for Vgs(th)), with and without the ngspice
// subcircuit's gate charge elements, and the model's own curves for comparison.

#include <benchmark/benchmark.h>
#include <sys/resource.h>

#include "commands/model_update.h"
#include "platform/scripted_platform.h"
#include "verify/model_curves.h"
#include "verify/verify_model.h"

namespace vdmos {
namespace {

WindowState UpdatedStartWindow() {
  WindowState state;
  ScriptedPlatform platform;
  UpdateModel(state, platform);
  return state;
}

/// CPU seconds of all ended children so far: the ngspice runs' own work, which the wall time
/// hides on a busy machine.
double ChildrenCpuSeconds() {
  rusage usage{};
  getrusage(RUSAGE_CHILDREN, &usage);
  auto seconds = [](const timeval& t) { return static_cast<double>(t.tv_sec) + t.tv_usec / 1e6; };
  return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

/// The check of the start values, with the ngspice subcircuit's gate charge elements beside the
/// card when asked (a gate-drain and a gate-source window of the size a refinement fits): their
/// cost is the ratio of the two runs' ngspice time (target: below 2).
void VerifyStartValuesInNgspice(benchmark::State& bench, bool elements) {
  WindowState state = UpdatedStartWindow();
  if (elements) state.params.chargeElement = ChargeElement{{6000, 1.2, 9}, {1500, 2.5, 4.5}, 0.15};
  const double cpuBefore = ChildrenCpuSeconds();
  for (auto _ : bench) {
    const VerificationResult result = VerifyModel(state);
    if (!result.ok()) {
      bench.SkipWithError(result.message.c_str());
      break;
    }
    benchmark::DoNotOptimize(result.rows.data());
  }
  bench.counters["ngspice_cpu_ms"] =
      benchmark::Counter(1000 * (ChildrenCpuSeconds() - cpuBefore) / static_cast<double>(bench.iterations()));
}
BENCHMARK_CAPTURE(VerifyStartValuesInNgspice, card, false)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->MinTime(2.0);
BENCHMARK_CAPTURE(VerifyStartValuesInNgspice, with_gate_charge_elements, true)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->MinTime(2.0);

void BM_ModelCurvesOfTheStartValues(benchmark::State& bench) {
  const WindowState state = UpdatedStartWindow();
  for (auto _ : bench) benchmark::DoNotOptimize(ComputeModelCurves(state).curves.transfer.points.data());
}
BENCHMARK(BM_ModelCurvesOfTheStartValues)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace vdmos
