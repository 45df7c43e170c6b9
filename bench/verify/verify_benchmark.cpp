// The whole model check in ngspice (four benches, run in parallel; the output bench also sweeps
// the tied gate and drain for Vgs(th)), and the model's own curves for comparison: for the start
// values (target under 150 ms), with the ngspice subcircuit's gate charge elements beside the
// card (their cost is the ratio of the two runs' ngspice time, target below 2), the gate-drain
// one also reading the drain inside RD, with the hot values typed, which add the runs at the
// junction temperature (target under 200 ms), and for the virtual device with its nine
// digitized curves (target under 150 ms).

#include <benchmark/benchmark.h>

#include "bench_windows.h"
#include "children_cpu.h"
#include "model/charge_element.h"
#include "verify/model_curves.h"
#include "verify/verify_model.h"

namespace vdmos {
namespace {

/// The start values with a gate-drain and a gate-source window of the size a refinement fits.
WindowState UpdatedStartWindowWithChargeElements() {
  WindowState state = UpdatedStartWindow();
  state.params.chargeElement = ChargeElement{{6000, 1.2, 9}, {1500, 2.5, 4.5}, 0.15};
  return state;
}

/// The same with the gate-drain window reading the drain inside RD through the sense resistor
/// and its filtered, clamped drop: the dearest form of the elements.
WindowState UpdatedStartWindowWithSensedChargeElements() {
  WindowState state = UpdatedStartWindowWithChargeElements();
  state.params.chargeElement->innerDrain = true;
  return state;
}

void VerifyInNgspice(benchmark::State& bench, WindowState (*window)()) {
  const WindowState state = window();
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
BENCHMARK_CAPTURE(VerifyInNgspice, start_values, [] { return UpdatedStartWindow(); })
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->MinTime(2.0);
BENCHMARK_CAPTURE(VerifyInNgspice, start_values_with_gate_charge_elements,
                  UpdatedStartWindowWithChargeElements)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->MinTime(2.0);
BENCHMARK_CAPTURE(VerifyInNgspice, start_values_with_gate_charge_elements_inside_rd,
                  UpdatedStartWindowWithSensedChargeElements)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->MinTime(2.0);
BENCHMARK_CAPTURE(VerifyInNgspice, start_values_hot, UpdatedHotStartWindow)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->MinTime(2.0);
BENCHMARK_CAPTURE(VerifyInNgspice, virtual_device_curves, UpdatedVirtualDeviceWindow)
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
