// The whole model check of the start values in ngspice (four benches, run in parallel), and
// the model's own curves for comparison.

#include <benchmark/benchmark.h>

#include "model/model_update.h"
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

void BM_VerifyStartValuesInNgspice(benchmark::State& bench) {
  const WindowState state = UpdatedStartWindow();
  for (auto _ : bench) {
    const VerificationResult result = VerifyModel(state);
    if (!result.ok()) {
      bench.SkipWithError(result.message.c_str());
      break;
    }
    benchmark::DoNotOptimize(result.rows.data());
  }
}
BENCHMARK(BM_VerifyStartValuesInNgspice)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(2.0);

void BM_ModelCurvesOfTheStartValues(benchmark::State& bench) {
  const WindowState state = UpdatedStartWindow();
  for (auto _ : bench) benchmark::DoNotOptimize(ComputeModelCurves(state).curves.transfer.points.data());
}
BENCHMARK(BM_ModelCurvesOfTheStartValues)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace vdmos
