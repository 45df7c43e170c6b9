// The readings and masks run for every field and every card number of each model update.
#include "model/numbers.h"

#include <benchmark/benchmark.h>

#include <string>

namespace {

void BM_EngineeringReading(benchmark::State& state) {
  const std::string texts[] = {"540m", "160m", "20.7", "1Meg", "4.7nF", "13000"};
  for (auto _ : state) {
    for (const std::string& text : texts) benchmark::DoNotOptimize(vdmos::EngineeringReading(text));
  }
  state.SetItemsProcessed(state.iterations() * 6);
}
BENCHMARK(BM_EngineeringReading);

void BM_FormatMask(benchmark::State& state) {
  for (auto _ : state) {
    benchmark::DoNotOptimize(vdmos::CardNumberText(6.49681234, "0.000#"));
    benchmark::DoNotOptimize(vdmos::CardNumberText(0.0016123, "0.0###"));
    benchmark::DoNotOptimize(vdmos::CardNumberText(5561.4, "0"));
    benchmark::DoNotOptimize(vdmos::CardNumberText(1.4712e-8, "SCIENTIFIC"));
  }
  state.SetItemsProcessed(state.iterations() * 4);
}
BENCHMARK(BM_FormatMask);

}  // namespace
