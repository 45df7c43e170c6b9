#include "verify/verify_model.h"

#include <array>

#include "model/card_reading.h"
#include "model/checked_math.h"
#include "model/numbers.h"
#include "verify/bench_setup.h"
#include "verify/check_output.h"
#include "verify/child_process.h"
#include "verify/ngspice_netlists.h"
#include "verify/ngspice_output.h"
#include "verify/ngspice_version.h"
#include "verify/verify_texts.h"

namespace vdmos {
namespace {

// ngspice runs with "-n", so that a user's own start-up file cannot change what the benches
// measure, and in the C locale, which keeps its numbers in the form the reader expects. Its
// system start-up script is not found either: it only loads the code models, which the benches
// do not use and which cost more than half of each run.
const std::vector<std::string> kNgspiceEnvironment{"LC_ALL=C", "SPICE_SCRIPTS=/dev/null"};

/// A run that did not end well, as the result to return; nullopt for a clean run.
std::optional<VerificationResult> RunFailure(Bench bench, const ChildOutcome& run,
                                             const VerifyOptions& options) {
  const std::string name(BenchName(bench));
  using S = ChildOutcome::Status;
  switch (run.status) {
    case S::NotFound:
      return CheckFailure(
          VerifyStatus::NgspiceMissing,
          std::string(kNgspiceMissingOpening) + options.ngspicePath + std::string(kNgspiceMissingClosing));
    case S::StartFailed:
      return CheckFailure(VerifyStatus::NgspiceFailed, std::string(kNgspiceStartOpening) + run.error);
    case S::TimedOut:
      return CheckFailure(VerifyStatus::Timeout,
                          std::string(kTimeoutOpening) + name + std::string(kTimeoutMiddle) +
                              DefaultNumberText(static_cast<double>(options.timeout.count()) / 1000) +
                              std::string(kTimeoutClosing),
                          run.err);
    case S::OutputTooLarge:
      return CheckFailure(VerifyStatus::NgspiceFailed,
                          std::string(kOutputTooLargeOpening) + name + std::string(kOutputTooLargeClosing),
                          run.err);
    case S::Signaled:
      return CheckFailure(
          VerifyStatus::NgspiceFailed,
          std::string(kSignalOpening) + name + std::string(kSignalMiddle) + std::to_string(run.signal) + ").",
          run.err);
    case S::Exited:
      break;
  }
  if (auto line = NonConvergenceLine(run.err + "\n" + run.out)) {
    return CheckFailure(
        VerifyStatus::NoConvergence,
        std::string(kNoConvergenceOpening) + name + std::string(kNoConvergenceMiddle) + ": " + *line,
        run.err);
  }
  // ngspice ends with status 0 after an error in its control script (a vector it cannot
  // find), and a measurement on the missing vector then prints 0: a value never simulated.
  if (auto line = ReportedErrorLine(run.err + "\n" + run.out); line && run.exitCode == 0) {
    return CheckFailure(VerifyStatus::NgspiceFailed,
                        std::string(kReportedErrorOpening) + name + std::string(kReportedErrorMiddle) + *line,
                        run.err);
  }
  if (run.exitCode != 0) {
    const std::optional<std::string> line = ErrorLine(run.err);
    return CheckFailure(VerifyStatus::NgspiceFailed,
                        std::string(kExitErrorOpening) + name + std::string(kExitErrorMiddle) +
                            std::to_string(run.exitCode) + ")" + (line ? ": " + *line : "."),
                        run.err);
  }
  return std::nullopt;
}

}  // namespace

ChildRequest NgspiceBatchRun(std::string netlist, const std::string& program) {
  return {{program, "-b", "-n"}, kNgspiceEnvironment, std::move(netlist)};
}

// Read the way the benches run it; a program that cannot run is for the benches to report.
std::optional<NgspiceVersion> ReadNgspiceVersion(const VerifyOptions& options) {
  // ngspice answers -v at once; one that does not must not double the check's time limit nor
  // hold the window's export, and its version then counts as unknown.
  constexpr std::chrono::seconds kVersionTimeout{2};
  ChildLimits limits;
  limits.timeout = std::min<std::chrono::milliseconds>(options.timeout, kVersionTimeout);
  const std::vector<ChildOutcome> runs =
      RunChildren({{{options.ngspicePath, "-v"}, kNgspiceEnvironment, ""}}, limits);
  if (runs.front().status != ChildOutcome::Status::Exited) return std::nullopt;
  return ParseNgspiceVersion(runs.front().out + "\n" + runs.front().err);
}

VerificationResult VerifyModel(const WindowState& state, const VerifyOptions& options) {
  const auto checkStart = std::chrono::steady_clock::now();
  if (auto problem = CardProblem(state.card)) return CheckFailure(VerifyStatus::InvalidInput, *problem);
  BenchSetup setup;
  try {
    setup = ReadBenchSetup(state);
  } catch (const ArithmeticFault&) {
    return CheckFailure(VerifyStatus::InvalidInput, std::string(kFieldOverflowText));
  }
  if (auto problem = BenchSetupProblem(setup)) return CheckFailure(VerifyStatus::InvalidInput, *problem);

  // A gate charge test that cannot run, or finds no solution, says so in its rows; the other
  // benches' rows still stand.
  const std::optional<std::string> gateChargeProblem = GateChargeSetupProblem(setup);
  // Only a card with TCVTH depends on the version; one without runs as it always did.
  std::optional<CardTexts> versionCard;
  std::string convention;
  if (CardCarriesTcvth(state.card)) {
    const std::optional<NgspiceVersion> version = ReadNgspiceVersion(options);
    versionCard = CardForNgspice(state.card, version);
    convention = TcvthConventionText(version);
  }
  const CardTexts& card = versionCard ? *versionCard : state.card;
  const auto benchesStart = std::chrono::steady_clock::now();
  std::vector<Bench> benches;
  std::vector<ChildRequest> requests;
  for (const Bench bench : kBenches) {
    if (bench == Bench::GateCharge && gateChargeProblem) continue;
    benches.push_back(bench);
    requests.push_back(NgspiceBatchRun(NgspiceNetlist(bench, card, setup) + "\r\n", options.ngspicePath));
  }
  ChildLimits limits;
  // The version query, where there was one, took its time off the check's.
  limits.timeout =
      options.timeout - std::chrono::duration_cast<std::chrono::milliseconds>(benchesStart - checkStart);
  std::vector<ChildOutcome> runs = RunChildren(requests, limits);
  for (const ChildOutcome& run : runs) {
    if (run.status == ChildOutcome::Status::NotFound) return *RunFailure(Bench::Transfer, run, options);
  }
  std::array<BenchOutput, kBenches.size()> outputs;
  if (gateChargeProblem) outputs[static_cast<std::size_t>(Bench::GateCharge)].failure = *gateChargeProblem;
  for (std::size_t i = 0; i < runs.size(); ++i) {
    std::string failed;
    if (auto failure = RunFailure(benches[i], runs[i], options)) {
      // The gate charge transient alone may find no solution, or crawl to the deadline (an
      // ngspice subcircuit's gate charge elements on a stiff part): its rows say so, and the
      // other benches' rows stand.
      const bool gateChargeAlone =
          benches[i] == Bench::GateCharge &&
          (failure->status == VerifyStatus::NoConvergence || failure->status == VerifyStatus::Timeout);
      if (!gateChargeAlone) return *failure;
      failed = std::move(failure->message);
    }
    outputs[static_cast<std::size_t>(benches[i])] = {std::move(runs[i].out), std::move(runs[i].err),
                                                     std::move(failed)};
  }
  VerificationResult result = ReadCheckOutput(outputs, ParametersAsPrinted(state.params, state.card), setup);
  if (result.ok()) result.tcvthConvention = std::move(convention);
  return result;
}

}  // namespace vdmos
