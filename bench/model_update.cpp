// "Update model" is the tool's central command: every click runs the whole road from the
// field texts to the card and the subcircuit.
#include "commands/model_update.h"

#include <benchmark/benchmark.h>

#include "model/control_names.h"
#include "platform/scripted_platform.h"

namespace {

// The start values: the DC and capacitance extractions, the body diode fit, the three-line
// card and the subcircuit. The window is reused as a user would click the button again; the
// first update rewrites Text_LAMBDA, so every later one sees the same texts.
void BM_UpdateModel_StartValues(benchmark::State& state) {
  vdmos::WindowState window;
  vdmos::ScriptedPlatform platform;
  for (auto _ : state) {
    vdmos::UpdateModel(window, platform);
    benchmark::DoNotOptimize(window.text(vdmos::control::SubCktTextBox).data());
  }
  if (!platform.messages.empty()) state.SkipWithError("the start values showed a message");
}
BENCHMARK(BM_UpdateModel_StartValues)->Unit(benchmark::kMicrosecond);

}  // namespace
