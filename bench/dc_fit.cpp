// The DC fit runs on every model update; the iteration-limit case bounds its worst time.
#include "extract/dc_fit.h"

#include <benchmark/benchmark.h>

namespace {

struct FitInput {
  double Vp, Ip, Vm, Im, Ron, Vr, Vth, LAMBDA, Vt;
  int FixVTO, ForceRdsOn;
};

void RunFit(benchmark::State& state, const FitInput& in) {
  for (auto _ : state) {
    double RS = 0, RD = 0, KP = 0, VTO = in.Vth;
    auto message = vdmos::DcTransferFit(in.Vp, in.Ip, in.Vm, in.Im, in.Ron, in.Vr, RS, RD, KP, VTO, in.LAMBDA,
                                        in.Vt, in.FixVTO, in.ForceRdsOn);
    benchmark::DoNotOptimize(message);
    benchmark::DoNotOptimize(KP);
  }
}

// The window's start values: threshold branch, VTO kept, three refinement passes.
void BM_DcTransferFit_StartValues(benchmark::State& state) {
  RunFit(state, {5.5, 20.7, 7.5, 70, 0.16, 10, 3, 0.001, 50, 1, 1});
}
BENCHMARK(BM_DcTransferFit_StartValues);

// Threshold branch with VTO free: the raise of VTO and the refinement both run 1000 passes.
void BM_DcTransferFit_IterationLimit(benchmark::State& state) {
  RunFit(state, {25, 20, 35, 70, 1, 40, 0.5, 0.29, 1, 0, 1});
}
BENCHMARK(BM_DcTransferFit_IterationLimit);

}  // namespace
