#include "cli/cli_run.h"

#include <algorithm>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "app/window_session.h"
#include "cli/cli_file_commands.h"
#include "cli/cli_output.h"
#include "cli/cli_platform.h"
#include "cli/cli_texts.h"
#include "commands/ac_update.h"
#include "commands/command_runner.h"
#include "commands/datasheet_commands.h"
#include "commands/dc_update.h"
#include "commands/library_commands.h"
#include "commands/model_update.h"
#include "commands/new_command.h"
#include "commands/subcircuit_commands.h"
#include "commands/test_circuit_commands.h"
#include "model/control_names.h"
#include "model/subcircuit.h"
#include "refine/refine_command.h"
#include "refine/switch_advice.h"
#include "verify/check_session.h"
#include "verify/ngspice_circuit_export.h"
#include "verify/verify_model.h"

namespace vdmos::cli {
namespace {

constexpr std::size_t kTestCircuitFiles = 8;
constexpr std::size_t kNgspiceCircuitFiles = 4;  // and the subcircuit when there is one

// The card box shows the error text after a failed model update; a command started on its
// own reports the same text in a message box.
bool EndedInParameterError(const WindowState& state, const ScriptedPlatform& platform) {
  if (ModelFailed(state)) return true;
  return std::ranges::any_of(platform.messages, [](const ScriptedPlatform::Message& message) {
    return message.text == kParameterErrorText;
  });
}

bool Named(const std::vector<std::string>& messages, const std::string& path) {
  return std::ranges::any_of(messages,
                             [&](const std::string& text) { return text.find(path) != std::string::npos; });
}

class Run {
 public:
  Run(const CliOptions& options, std::ostream& out, std::ostream& err)
      : options_(options), err_(err), output_(options.output, !options.files.empty(), out, err) {}

  int Execute() {
    // A missing target or an unreadable library stops the run before anything is written.
    if (!CheckTargets()) return kFailureStatus;
    // Every input is looked at before anything is written, so a refusal leaves no file behind.
    if (options_.strict && !AllReadAsTyped()) return kFailureStatus;
    for (const std::string* file : Inputs()) Process(file);
    output_.Finish();
    if (options_.library && modelsAdded_ > 0) SaveLibrary();
    return failed_ ? kFailureStatus : 0;
  }

 private:
  /// Reports a problem of the run, naming what it concerns when there is something to name.
  void Fail(const std::string* subject, std::string_view problem) {
    Report(subject, problem);
    failed_ = true;
  }
  void Report(const std::string* subject, std::string_view text) {
    err_ << kProgramName << ": ";
    if (subject != nullptr) err_ << *subject << ": ";
    err_ << text << '\n';
  }

  bool CheckTargets() {
    for (const std::optional<std::string>* folder : {&options_.testCircuits, &options_.ngspiceCircuits}) {
      if (!*folder) continue;
      if (std::optional<std::string> problem = FolderProblem(**folder)) Fail(&**folder, *problem);
    }
    if (options_.library) {
      if (std::optional<std::string> problem =
              OpenLibrary(*options_.library, libraryState_, libraryPlatform_))
        Fail(&*options_.library, *problem);
      // Each model is appended to this text rather than to the library box: copying the
      // growing box into every model's window would make a batch slow quadratically.
      library_ = libraryState_.text(control::LibTextBox);
    }
    return !failed_;
  }

  /// The inputs (the start values, or each datasheet values file) as nullptr or the file.
  std::vector<const std::string*> Inputs() const {
    if (options_.files.empty()) return {nullptr};
    std::vector<const std::string*> inputs;
    for (const std::string& file : options_.files) inputs.push_back(&file);
    return inputs;
  }

  /// Opens the input and makes the user's settings and commands; the problem when it cannot
  /// be opened.
  std::optional<std::string> Prepare(const std::string* file, WindowSession& session, CliPlatform& platform) {
    if (file != nullptr) {
      if (std::optional<std::string> problem = OpenDatasheet(*file, session.EditableState(), platform))
        return problem;
    }
    for (const ControlSetting& setting : options_.settings) ApplySetting(setting, session);
    for (control::Name control : options_.commands) session.RunCommandOf(control);
    return std::nullopt;
  }

  void ReportFieldWarnings(const std::string* file, const std::vector<FieldWarning>& warnings) {
    for (const FieldWarning& warning : warnings) Report(file, FieldWarningLine(warning));
  }

  /// --strict: names every field not read as typed, of every input; an input that cannot be
  /// opened is left for its run to report.
  bool AllReadAsTyped() {
    bool clean = true;
    for (const std::string* file : Inputs()) {
      CliPlatform platform;
      WaitingCheckRunner runner({options_.ngspice});
      WindowSession session(platform, runner);
      if (Prepare(file, session, platform)) continue;
      const std::vector<FieldWarning> warnings = session.FieldWarnings();
      ReportFieldWarnings(file, warnings);
      clean = clean && warnings.empty();
    }
    return clean;
  }

  /// The start values (file nullptr) or one datasheet values file, from opening to output.
  void Process(const std::string* file) {
    CliPlatform platform;
    WaitingCheckRunner runner({options_.ngspice});
    WindowSession session(platform, runner);
    WindowState& state = session.EditableState();
    if (std::optional<std::string> problem = Prepare(file, session, platform)) return Fail(file, *problem);
    if (options_.applyBestSwitches) session.ApplyBestSwitches();
    ModelReport report;
    // A refinement that cannot be made leaves the fitted card, and the run reports it.
    if (options_.refine && !(report.refinement = session.Refine()) && !EndedInParameterError(state, platform))
      failed_ = true;

    const bool toLibraryOrFolder = options_.library || options_.testCircuits || options_.ngspiceCircuits;
    // The commands that would update the model first do it here, so that a failed update is
    // known before anything of the model is written.
    if (toLibraryOrFolder) EnsureCard(state, platform, std::nullopt);
    if (options_.verify) session.Simulate();
    std::vector<std::string> problems;
    const bool wantsModel = toLibraryOrFolder || options_.saveModel || options_.verify;
    if (EndedInParameterError(state, platform)) {
      failed_ = true;
      if (wantsModel) problems.emplace_back(kNoModelText);
    } else {
      WriteModel(state, platform);
      if (options_.verify) {
        const CheckResults& results = *session.Check().Results();
        // Each card's failure is the run's, in its own words.
        for (const std::optional<VerificationResult>& result :
             {std::optional(results.current), results.fitted})
          if (result && !result->ok()) problems.push_back(result->message);
        report.check = session.Check();
      }
    }
    // The values are the user's own input, worth keeping even when they make no model.
    if (options_.saveDatasheet && !SaveThroughDialog(save_Click, *options_.saveDatasheet, state, platform))
      failed_ = true;

    if (options_.output == OutputForm::NgspiceSubCkt) {
      const NgspiceSubCkt subckt = NgspiceSubCircuit(state);
      if (!subckt.ok()) problems.push_back(subckt.problem);
    }

    const std::vector<std::string> messages = platform.MessageTexts();
    if (options_.verify || options_.output == OutputForm::Json) report.advice = session.Advice();
    report.fieldWarnings = session.FieldWarnings();
    output_.Write(state, messages, file, report);
    ReportFieldWarnings(file, report.fieldWarnings);
    for (const std::string& problem : problems) Fail(file, problem);
    if (report.check)
      for (const std::string& warning : report.check->Warnings())
        Report(file, std::string(kNgspiceWarningOpening) + warning);
    // The test circuit export drops a file it cannot write without a word.
    for (const std::string& path : platform.failedWrites)
      if (!Named(messages, path)) Fail(&path, kNotWrittenText);
  }

  void WriteModel(WindowState& state, CliPlatform& platform) {
    if (options_.library) {
      if (options_.output == OutputForm::SubCkt) RunUserCommand(OptionSubCkt_Click, state, platform);
      RunUserCommand(Add_Click, state, platform);
      library_ += state.text(control::LibTextBox);
      ++modelsAdded_;
    }
    bool written = true;
    if (options_.saveModel)
      written &= SaveThroughDialog(SaveModel_Click, *options_.saveModel, state, platform);
    if (options_.testCircuits)
      written &=
          ExportToFolder(testcircuits_Click, *options_.testCircuits, kTestCircuitFiles, state, platform);
    if (options_.ngspiceCircuits) {
      // Without a breakdown voltage there is no subcircuit to write; the export says so.
      const std::size_t files =
          kNgspiceCircuitFiles + (HasBreakdownVoltage(state.text(control::avalanche_volt)) ? 1 : 0);
      written &= ExportToFolder(ngspicecircuits_Click, *options_.ngspiceCircuits, files, state, platform);
    }
    if (!written) failed_ = true;
  }

  void SaveLibrary() {
    libraryState_.setText(control::LibTextBox, std::move(library_));
    if (!SaveThroughDialog(SaveLib_Click, *options_.library, libraryState_, libraryPlatform_)) failed_ = true;
    for (const std::string& message : libraryPlatform_.MessageTexts()) err_ << message << '\n';
  }

  const CliOptions& options_;
  std::ostream& err_;
  OutputWriter output_;
  bool failed_ = false;
  WindowState libraryState_;
  CliPlatform libraryPlatform_;
  std::string library_;
  std::size_t modelsAdded_ = 0;
};

}  // namespace

int RunCli(const CliOptions& options, std::ostream& out, std::ostream& err) {
  return Run(options, out, err).Execute();
}

}  // namespace vdmos::cli
