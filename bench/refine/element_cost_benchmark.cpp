// What the ngspice subcircuit's gate charge elements cost the simulator (target: under 2 times
// the bare card): for each datasheet device whose refinement takes them, ngspice's CPU time on
// the check's gate charge and capacitance benches and on a hard-switched half bridge at the
// device's rated voltage and current, with the elements and without. Each iteration runs both,
// one after the other, so that a busy machine slows them alike. The counters give the mean
// milliseconds of the analyses as ngspice counts them (to the millisecond, averaged over the
// runs) and their ratio, the target's measure, and the ratio of the whole runs' CPU time,
// which the start-up both share makes smaller.

#include <benchmark/benchmark.h>

#include <optional>
#include <string>

#include "children_cpu.h"
#include "commands/datasheet_commands.h"
#include "commands/model_update.h"
#include "half_bridge.h"
#include "model/control_names.h"
#include "model/numbers.h"
#include "model/subcircuit.h"
#include "platform/scripted_platform.h"
#include "refine/refine_command.h"
#include "verify/bench_setup.h"
#include "verify/child_process.h"
#include "verify/ngspice_netlists.h"
#include "verify/verify_model.h"

namespace vdmos {
namespace {

enum class Circuit { GateCharge, Capacitance, HalfBridge };

/// The device refined as a user refines it, with its breakdown voltage typed; nullopt where
/// the refinement takes no gate charge elements.
std::optional<WindowState> RefinedWithElements(const std::string& part, double ratedVolts) {
  WindowState state;
  ScriptedPlatform platform;
  platform.openFiles.push_back(VDMOS_TESTS_DIR "/refine/data/devices/" + part + ".txt");
  open_Click(state, platform);
  state.setText(control::avalanche_volt, DefaultNumberText(ratedVolts));
  UpdateModel(state, platform);
  if (!RefineModel(state, platform) || !state.params.chargeElement) return std::nullopt;
  return state;
}

/// The circuit's netlist with the elements or without, as the check or the half bridge test
/// writes it for that subcircuit.
std::string Netlist(const WindowState& state, Circuit circuit, double ratedVolts, bool withElements) {
  WindowState simulated = state;
  if (!withElements) simulated.params.chargeElement = std::nullopt;
  const BenchSetup setup = ReadBenchSetup(simulated);
  switch (circuit) {
    case Circuit::GateCharge:
      return NgspiceNetlist(Bench::GateCharge, simulated.card, setup);
    case Circuit::Capacitance:
      return NgspiceNetlist(Bench::Capacitance, simulated.card, setup);
    case Circuit::HalfBridge:
      return HalfBridgeNetlist(NgspiceSubCircuit(simulated).text, simulated.text(control::Text20), setup.pmos,
                               ratedVolts, PlainReading(simulated.text(control::IdCharge)), 10);
  }
  return {};
}

/// The netlist asking ngspice for the time its analyses took, before it quits.
std::string Timed(std::string netlist) {
  const std::size_t end =
      netlist.rfind("quit") != std::string::npos ? netlist.rfind("quit") : netlist.rfind(".endc");
  return netlist.insert(end, "rusage time\n");
}

struct RunTimes {
  double analysis = 0;  ///< the analyses alone, as ngspice counts them
  double process = 0;   ///< the whole run's CPU, start-up and netlist reading included
};

/// One run of the netlist (s); the benchmark stops on a run that fails.
RunTimes Simulated(benchmark::State& run, const std::string& netlist) {
  const double before = ChildrenCpuSeconds();
  ChildLimits limits;
  limits.timeout = std::chrono::seconds(60);
  const ChildOutcome outcome = RunChildren({NgspiceBatchRun(netlist)}, limits).front();
  const std::string_view mark = "Total analysis time (seconds) = ";
  const std::size_t at = outcome.out.find(mark);
  if (outcome.status != ChildOutcome::Status::Exited || at == std::string::npos ||
      outcome.out.find("imestep too small") != std::string::npos) {
    run.SkipWithError("ngspice did not run the circuit to its end");
    return {};
  }
  return {PlainReading(std::string_view(outcome.out).substr(at + mark.size())),
          ChildrenCpuSeconds() - before};
}

void ElementCost(benchmark::State& run, const char* part, double ratedVolts, Circuit circuit) {
  const std::optional<WindowState> state = RefinedWithElements(part, ratedVolts);
  if (!state) {
    run.SkipWithError("the refinement took no gate charge elements");
    return;
  }
  const std::string bare = Timed(Netlist(*state, circuit, ratedVolts, false));
  const std::string withElements = Timed(Netlist(*state, circuit, ratedVolts, true));
  RunTimes bareTimes, elementTimes;
  for (auto _ : run) {
    const RunTimes b = Simulated(run, bare), e = Simulated(run, withElements);
    bareTimes.analysis += b.analysis;
    bareTimes.process += b.process;
    elementTimes.analysis += e.analysis;
    elementTimes.process += e.process;
  }
  const double iterations = static_cast<double>(run.iterations());
  run.counters["bare_ms"] = 1000 * bareTimes.analysis / iterations;
  run.counters["elements_ms"] = 1000 * elementTimes.analysis / iterations;
  run.counters["ratio"] = elementTimes.analysis / bareTimes.analysis;
  run.counters["whole_run_ratio"] = elementTimes.process / bareTimes.process;
}

#define ELEMENT_COST(part, volts)                                                        \
  BENCHMARK_CAPTURE(ElementCost, part##_gate_charge, #part, volts, Circuit::GateCharge)  \
      ->Unit(benchmark::kMillisecond);                                                   \
  BENCHMARK_CAPTURE(ElementCost, part##_capacitance, #part, volts, Circuit::Capacitance) \
      ->Unit(benchmark::kMillisecond);                                                   \
  BENCHMARK_CAPTURE(ElementCost, part##_half_bridge, #part, volts, Circuit::HalfBridge)  \
      ->Unit(benchmark::kMillisecond)

ELEMENT_COST(STP55NF06, 60);
ELEMENT_COST(FQP27P06, 60);
ELEMENT_COST(FQP30N06L, 60);
ELEMENT_COST(IRLML6402, 20);
ELEMENT_COST(IPW90R120C3, 900);
ELEMENT_COST(IRFB4110, 100);
ELEMENT_COST(FQPF8N60C, 600);

}  // namespace
}  // namespace vdmos
