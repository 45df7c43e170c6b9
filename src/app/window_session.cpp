#include "app/window_session.h"

#include <algorithm>

#include "commands/command_runner.h"
#include "commands/datasheet_commands.h"
#include "commands/model_update.h"
#include "commands/new_command.h"
#include "commands/temperature_update.h"
#include "files/datasheet_file.h"
#include "files/delimited_text.h"
#include "files/file_messages.h"
#include "files/save_text_file.h"
#include "files/written_files.h"
#include "model/fields.h"
#include "refine/refine_command.h"
#include "verify/check_table_cells.h"
#include "verify/ngspice_circuit_export.h"
#include "verify/verify_model.h"
#include "verify/verify_texts.h"

namespace vdmos {
namespace {

// What the status bar says describes the model or the file as the last of these left them: each
// of them starts with an empty status bar, and a command that has something to say writes it.
// Other commands (the AC update, a help picture) leave the DC fit's message standing.
// The session's own commands (the check, the refinement, the best switches) clear it too.
constexpr control::Name kStatusClearingControls[] = {control::New, control::open, control::save,
                                                     control::Update_DC, control::Command2};

}  // namespace

bool ClearsStatus(Command command) {
  return std::ranges::any_of(kStatusClearingControls, [command](control::Name name) {
    const ControlAction* action = FindControlAction(name);
    return action && action->command == command;
  });
}

std::span<const SessionControl> SessionControls() {
  static constexpr SessionControl kControls[] = {
      {control::SimulateNgspice, ControlKind::Button, &WindowSession::Simulate},
      {control::RefineModel, ControlKind::Button, &WindowSession::RefineClicked},
      {control::ApplyBestSwitches, ControlKind::Button, &WindowSession::ApplyBestSwitches},
      {control::ngspicecircuits, ControlKind::MenuEntry, &WindowSession::ExportNgspiceCircuits},
      {control::CopyCheckTable, ControlKind::MenuEntry, &WindowSession::CopyCheckTable},
      {control::SaveCheckTable, ControlKind::MenuEntry, &WindowSession::SaveCheckTable},
  };
  return kControls;
}

WindowSession::WindowSession(Platform& platform, CheckRunner& runner) : platform_(platform), runner_(runner) {
  state_.savedValues = DatasheetFileText(state_);
}

bool WindowSession::ValuesModified() const {
  return state_.savedValues && DatasheetFileText(state_) != *state_.savedValues;
}

bool WindowSession::LibraryModified() const {
  return state_.text(control::LibTextBox) != state_.savedLibrary;
}

void WindowSession::Type(const ControlAction& field, std::string text) {
  Ran(TypeInto(field, std::move(text), state_, platform_));
}

void WindowSession::ChooseFetType(std::string text) { state_.setText(control::Combo1, std::move(text)); }

void WindowSession::ClickBox(const ControlAction& box, int value) {
  Ran(ClickCheckBox(box, value, state_, platform_));
}

bool WindowSession::Click(std::string_view control) {
  const std::span<const SessionControl> session = SessionControls();
  if (auto entry = std::ranges::find(session, control, &SessionControl::control); entry != session.end()) {
    (this->*entry->command)();
    return true;
  }
  const ControlAction* action = FindControlAction(control);
  if (!action || action->kind == ControlKind::Field || action->kind == ControlKind::FetType ||
      action->kind == ControlKind::CheckBox)
    return false;
  Run(action->command);
  return true;
}

bool WindowSession::RunCommandOf(std::string_view control) {
  const ControlAction* action = FindControlAction(control);
  if (!action || !action->command) return false;
  Run(action->command);
  return true;
}

void WindowSession::Run(Command command) {
  if (ClearsStatus(command)) state_.setText(control::StatusBar1, "");
  Ran(RunUserCommand(command, state_, platform_));
  if (command == New_Click) ForgetComputedResults(state_);
  if (command == New_Click || command == open_Click) ForgetCheckWithoutCard();
}

// New, and an open that took a file, leave no card: a check or a fitted card kept from before
// belongs to another part's values.
void WindowSession::ForgetCheckWithoutCard() {
  if (state_.card == CardTexts{}) check_.Forget();
}

bool WindowSession::Failed() const { return faulted_ || ModelFailed(state_); }

void WindowSession::Simulate() {
  if (Simulating()) return;
  state_.setText(control::StatusBar1, "");
  // A card box that shows the update's error keeps an older card, which would be checked in
  // place of the model the fields describe.
  if (!EnsureCard(state_, platform_, kParameterErrorText)) return;
  if (CardBoxEdited(state_)) {
    platform_.ShowMessage(kEditedCardText);
    return;
  }
  // The hot rows need the temperature line fitted to the hot fields shown. A model update made
  // here would refit the DC parameters too and drop a refinement: the user makes it.
  if (TemperatureFieldsChanged(state_)) {
    platform_.ShowMessage(kStaleTemperatureText);
    return;
  }
  runner_.Start(check_.Start(state_), [this](CheckResults results) {
    check_.Finish(std::move(results));
    if (checkFinished) checkFinished();
  });
}

std::optional<Refinement> WindowSession::Refine() {
  state_.setText(control::StatusBar1, "");
  EnsureCard(state_, platform_, std::nullopt);  // the refinement itself refuses a failed model
  // The refined card would replace the edit unseen.
  if (CardBoxEdited(state_)) {
    platform_.ShowMessage(kEditedCardText);
    return std::nullopt;
  }
  const WindowState fitted = state_;
  std::optional<FittedOrigin> origin;
  if (const CheckSession::FittedCard* kept = check_.FittedCardOf(state_.card))
    origin = {kept->params, kept->card};
  std::optional<Refinement> refinement;
  Ran(RunUserCommand(
      [&](WindowState& state, Platform& platform) {
        refinement = RefineModel(state, platform, origin ? &*origin : nullptr);
      },
      state_, platform_));
  if (refinement)
    check_.KeepFittedCard(fitted, state_.card, TradeOffs(*refinement), state_.text(control::StatusBar1));
  return refinement;
}

void WindowSession::ApplyBestSwitches() {
  state_.setText(control::StatusBar1, "");
  Run(ApplyBestSwitches_Click);
}

void WindowSession::OpenValuesFile(const std::string& path) {
  Ran(RunUserCommand(
      [&](WindowState& state, Platform& platform) { OpenDatasheetFile(state, platform, path); }, state_,
      platform_));
  ForgetCheckWithoutCard();
}

// The netlists are for the ngspice the check runs, which may not be the one on the PATH.
void WindowSession::ExportNgspiceCircuits() {
  Ran(RunUserCommand(
      [this](WindowState& state, Platform& platform) {
        ngspicecircuits_Click(state, platform, [this] { return ReadNgspiceVersion(runner_.Options()); });
      },
      state_, platform_));
}

// Without a check there is no table to give: the status bar says how to get one.
void WindowSession::CopyCheckTable() {
  if (!check_.Checked()) {
    state_.setText(control::StatusBar1, std::string(kNoCheckTableText));
    return;
  }
  platform_.SetClipboardText(
      TabSeparatedText(CheckTableCells(check_.Lines(), check_.Compared(), UnitPlacement::OwnColumn)));
  state_.setText(control::StatusBar1, std::string(kCheckTableCopiedText));
}

void WindowSession::SaveCheckTable() {
  if (!check_.Checked()) {
    state_.setText(control::StatusBar1, std::string(kNoCheckTableText));
    return;
  }
  const std::string csv =
      CommaSeparatedText(CheckTableCells(check_.Lines(), check_.Compared(), UnitPlacement::OwnColumn));
  const std::string name = check_.ModelName() + std::string(kCheckTableFileSuffix);
  if (const std::optional<std::string> path = SaveTextFile(platform_, csv, name, kCheckTableFilter, 1))
    state_.setText(control::StatusBar1, WrittenFilesMessage({*path}));
}

const SwitchAdvice& WindowSession::Advice() {
  AdviceInputs inputs{state_.params, {}, {}};
  for (const FieldInfo& field : DatasheetFields()) inputs.texts.push_back(state_.text(field.control));
  for (const std::string& box : state_.checkBoxes()) inputs.checks.push_back(state_.check(box));
  if (inputs != adviceInputs_) {
    advice_ = AdviseSwitches(state_);
    adviceInputs_ = std::move(inputs);
  }
  return advice_;
}

bool WindowSession::Taken(const std::optional<std::string>& problem) {
  if (problem) platform_.ShowMessage(*problem);
  return !problem;
}

bool WindowSession::ImportCurve(std::string_view name) {
  const std::optional<std::string> path = platform_.ChooseOpenFile({std::string(kCurveFilter), 1, ""});
  return path && Taken(ImportCurveFile(state_, platform_, name, *path));
}

bool WindowSession::PasteCurve(std::string_view name) {
  return Taken(PutCurveText(state_, name, kClipboardSourceName, platform_.ClipboardText()));
}

bool WindowSession::EditCurve(std::string_view name, const std::vector<CurveRow>& rows) {
  return Taken(PutCurveRows(state_, name, rows));
}

bool WindowSession::ClearCurve(std::string_view name) {
  const DatasheetCurve* held = FindCurve(state_, name);
  if (!held) return false;
  if (platform_.AskYesNo(ClearCurveQuestion(name, held->points.size()), kClearCurveTitle) != Answer::Yes)
    return false;
  return vdmos::ClearCurve(state_, name);
}

}  // namespace vdmos
