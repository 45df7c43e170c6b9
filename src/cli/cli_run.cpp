#include "cli/cli_run.h"

#include <algorithm>
#include <filesystem>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "app/window_session.h"
#include "cli/cli_file_commands.h"
#include "cli/cli_output.h"
#include "cli/cli_platform.h"
#include "cli/cli_texts.h"
#include "commands/curve_commands.h"
#include "commands/library_commands.h"
#include "commands/library_names.h"
#include "commands/model_update.h"
#include "model/control_names.h"
#include "model/model_failure.h"
#include "model/subcircuit.h"
#include "platform/file_lock.h"

namespace vdmos::cli {
namespace {

constexpr std::size_t kTestCircuitFiles = 8;
constexpr std::size_t kNgspiceCircuitFiles = 4;  // and the subcircuit when there is one

bool Named(const std::vector<std::string>& messages, const std::string& path) {
  return std::ranges::any_of(messages,
                             [&](const std::string& text) { return text.find(path) != std::string::npos; });
}

class Run {
 public:
  Run(const CliOptions& options, std::ostream& out, std::ostream& err)
      : options_(options), err_(err), output_(options.output, !options.files.empty(), out, err) {}

  int Execute() {
    // Every input is looked at before anything is written or locked, so a refusal leaves no
    // file behind.
    if (options_.strict && !AllReadAsTyped()) return kFailureStatus;
    // A missing target or an unreadable library stops the run before anything is written.
    if (!CheckTargets()) return kFailureStatus;
    for (const std::string* file : Inputs()) Process(file);
    output_.Finish();
    if (options_.library && modelsAdded_ > 0) SaveLibrary();
    return failed_ ? kFailureStatus : kSuccessStatus;
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
      // A library in a folder that is not there is named as such, as the export folders are,
      // rather than as a lock that failed.
      const std::filesystem::path folder = std::filesystem::path(*options_.library).parent_path();
      if (std::optional<std::string> problem =
              folder.empty() ? std::nullopt : FolderProblem(folder.string())) {
        Fail(&*options_.library, *problem);
        return false;
      }
      // Held until the run ends, so that runs adding to the same library take turns and each
      // saves what the one before it added.
      std::string whyNot;
      libraryLock_ = FileLock::Acquire(*options_.library, whyNot);
      if (!libraryLock_) {
        Fail(&*options_.library, std::string(kCannotLockText) + whyNot);
        return false;
      }
      if (std::optional<std::string> problem =
              OpenLibrary(*options_.library, librarySession_, libraryPlatform_))
        Fail(&*options_.library, *problem);
      // Each model is appended to this text rather than to the library box: copying the
      // growing box into every model's window would make a batch slow quadratically.
      library_ = librarySession_.State().text(control::LibTextBox);
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
      if (std::optional<std::string> problem = OpenDatasheet(*file, session, platform)) return problem;
    }
    for (const ControlSetting& setting : options_.settings) ApplySetting(setting, session);
    for (const auto& [name, path] : options_.curves) {
      if (std::optional<std::string> problem = ImportCurveFile(session.EditableState(), platform, name, path))
        return problem;
    }
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
    if (options_.refine && !(report.refinement = session.Refine()) && !session.Failed()) failed_ = true;

    const bool toLibraryOrFolder = options_.library || options_.testCircuits || options_.ngspiceCircuits;
    // The commands that would update the model first do it here, so that a failed update is
    // known before anything of the model is written.
    if (toLibraryOrFolder) EnsureCard(state, platform, std::nullopt);
    if (options_.verify) session.Simulate();
    std::vector<std::string> problems;
    const bool wantsModel = toLibraryOrFolder || options_.saveModel || options_.verify;
    if (session.Failed()) {
      failed_ = true;
      if (wantsModel) problems.emplace_back(kNoModelText);
    } else if (ChannelMissing(state)) {
      failed_ = true;
      problems.emplace_back(kNoChannelText);
    } else {
      WriteModel(session, platform);
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
    if (options_.saveDatasheet &&
        !SaveThroughDialog(control::save, *options_.saveDatasheet, session, platform))
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

  void WriteModel(WindowSession& session, CliPlatform& platform) {
    const WindowState& state = session.State();
    if (options_.library) {
      if (options_.output == OutputForm::SubCkt) session.Click(control::OptionSubCkt);
      session.Click(control::Add);
      const std::string& added = state.text(control::LibTextBox);
      if (const std::vector<std::string> twice = NamesAlreadyDefined(library_, added); !twice.empty()) {
        Fail(&*options_.library, DuplicateModelText(twice));
      } else {
        AppendToLibraryText(library_, added);
        ++modelsAdded_;
      }
    }
    bool written = true;
    if (options_.saveModel)
      written &= SaveThroughDialog(control::SaveModel, *options_.saveModel, session, platform);
    if (options_.testCircuits)
      written &=
          ExportToFolder(control::testcircuits, *options_.testCircuits, kTestCircuitFiles, session, platform);
    if (options_.ngspiceCircuits) {
      // Without a breakdown voltage there is no subcircuit to write; the export says so.
      const std::size_t files =
          kNgspiceCircuitFiles + (HasBreakdownVoltage(state.text(control::avalanche_volt)) ? 1 : 0);
      written &=
          ExportToFolder(control::ngspicecircuits, *options_.ngspiceCircuits, files, session, platform);
    }
    if (!written) failed_ = true;
  }

  void SaveLibrary() {
    librarySession_.EditableState().setText(control::LibTextBox, std::move(library_));
    if (!SaveThroughDialog(control::SaveLib, *options_.library, librarySession_, libraryPlatform_))
      failed_ = true;
    for (const std::string& message : libraryPlatform_.MessageTexts()) err_ << message << '\n';
  }

  const CliOptions& options_;
  std::ostream& err_;
  OutputWriter output_;
  bool failed_ = false;
  CliPlatform libraryPlatform_;
  WaitingCheckRunner libraryRunner_;
  WindowSession librarySession_{libraryPlatform_, libraryRunner_};
  std::string library_;
  std::size_t modelsAdded_ = 0;
  std::optional<FileLock> libraryLock_;
};

}  // namespace

int RunCli(const CliOptions& options, std::ostream& out, std::ostream& err) {
  return Run(options, out, err).Execute();
}

}  // namespace vdmos::cli
