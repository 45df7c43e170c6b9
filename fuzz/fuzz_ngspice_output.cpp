// Reading ngspice's output for the check, and its version banner, whatever it printed: never a crash. The one
// text stands for all four benches' standard output (each reads its own sections from it), and what follows
// its first NUL byte for their error output.
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "commands/model_update.h"
#include "platform/scripted_platform.h"
#include "verify/bench_setup.h"
#include "verify/check_output.h"
#include "verify/ngspice_output.h"
#include "verify/ngspice_version.h"

namespace {

struct StartCard {
  vdmos::WindowState state;
  vdmos::BenchSetup setup;
  StartCard() {
    vdmos::ScriptedPlatform platform;
    vdmos::UpdateModel(state, platform);
    setup = vdmos::ReadBenchSetup(state);
  }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const StartCard start;
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  const std::string_view out = text.substr(0, text.find('\0'));
  const std::string_view err = text.substr(std::min(out.size() + 1, text.size()));

  for (const vdmos::OutputSection& section : vdmos::ParseNgspiceOutput(out)) {
    for (const auto& row : section.rows) {
      if (row.size() != section.columns.size()) std::abort();
    }
  }
  vdmos::NonConvergenceLine(out);
  vdmos::ErrorLine(err);
  vdmos::ReportedErrorLine(out);
  vdmos::ParameterWarningLines(err);
  // The same text as the banner "ngspice -v" prints: a version read from it is a plausible one.
  if (const auto version = vdmos::ParseNgspiceVersion(text);
      version && (version->major < 0 || version->minor < 0))
    std::abort();

  const vdmos::BenchOutput run{std::string(out), std::string(err), {}};
  const vdmos::VerificationResult result =
      vdmos::ReadCheckOutput({run, run, run, run}, start.state.params, start.setup);
  if (result.ok() == result.rows.empty()) std::abort();
  for (const vdmos::VerificationRow& row : result.rows) {
    if (row.simulated && !std::isfinite(*row.simulated)) std::abort();
    if (row.errorPercent && !std::isfinite(*row.errorPercent)) std::abort();
  }
  return 0;
}
