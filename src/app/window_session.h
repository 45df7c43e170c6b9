#pragma once
// One window's work: its state, the model check with the fitted card a refinement keeps, the
// last refinement and the switch advice, and every command a user can start on them. Both
// front ends drive it: the Qt window binds its widgets to it and mirrors its state, the command
// line turns its options into the same typing, clicks and runs. Sequences that span the floors
// below ("make sure there is a card, keep the fitted results, refine, keep the fitted card")
// are written here once.

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "app/check_runner.h"
#include "commands/control_table.h"
#include "commands/curve_commands.h"
#include "model/control_names.h"
#include "model/field_reading.h"
#include "model/window_state.h"
#include "platform/platform.h"
#include "refine/refinement.h"
#include "refine/switch_advice.h"
#include "verify/check_session.h"

namespace vdmos {

class WindowSession;

/// Whether the session empties the status bar before it runs this core command: its message
/// would no longer describe the model or the file once the command has run.
bool ClearsStatus(Command command);

/// A control whose command lives in the session, above the core's control table: the model
/// check, the refinement, the switch advice and the ngspice export.
struct SessionControl {
  control::Name control;
  ControlKind kind;  ///< Button or MenuEntry
  void (WindowSession::*command)();
};
std::span<const SessionControl> SessionControls();

class WindowSession {
 public:
  /// Commands reach the outside world through `platform`, and checks run on `runner`; both
  /// outlive the session.
  WindowSession(Platform& platform, CheckRunner& runner);

  const WindowState& State() const { return state_; }
  /// For what the user changes without starting a command (the multi-line boxes, the library's
  /// caret, the gate resistance window's fields) and for loading a state whole.
  WindowState& EditableState() { return state_; }
  Platform& platform() const { return platform_; }

  /// The user typed into a field or the FET type box of the control table: stored, then its
  /// command runs.
  void Type(const ControlAction& field, std::string text);
  /// The user chose an item of the FET type's list: stored; nothing runs.
  void ChooseFetType(std::string text);
  /// The user clicked a check box to a value (0, 1 or 2).
  void ClickBox(const ControlAction& box, int value);
  /// The user clicked a button, an option or a menu entry of the core's table or of
  /// SessionControls(). Returns false for a name that is neither.
  bool Click(std::string_view control);
  /// Runs the command a control of the core's table runs (a check box's without changing its
  /// value), as the user started it. Returns false for a name the table does not hold.
  bool RunCommandOf(std::string_view control);
  /// Runs a core command as the user started it. After New, nothing the tool computed from the
  /// previous model stays: its parameters, its DC and AC results, its check and fitted card.
  void Run(Command command);

  /// Whether the fields make no model: the last model update failed, or a command the user
  /// started in this session ended in an arithmetic fault (reported with the same text as a
  /// failed update). The command line's test of a failed model for the file it runs.
  bool Failed() const;

  /// "Simulate in ngspice": the card is made first when the card box is empty, and a failed
  /// model is refused with its message, and so is a card made before the temperature fields
  /// were typed; then the check of the card (and of the fitted card while one is kept) starts
  /// on the runner. Does nothing while a check runs.
  void Simulate();
  bool Simulating() const { return runner_.Running(); }
  /// Called when a check started by Simulate has finished and the check session holds its
  /// results; the window redraws there.
  std::function<void()> checkFinished;

  /// "Refine model": the card is made first when the card box is empty; the card refined from
  /// is kept for the check to set beside the refined one. Returns the refinement applied.
  std::optional<Refinement> Refine();
  /// "Apply best switches" of the switch advice.
  void ApplyBestSwitches();
  /// File > Open with the file chosen (a recent file), as the user started it.
  void OpenValuesFile(const std::string& path);
  /// File > "Save ngspice Test Circuits".
  void ExportNgspiceCircuits();
  /// The check's table as tab-separated text on the clipboard, its head line first, for a
  /// spreadsheet to paste cell by cell; the status bar says so.
  void CopyCheckTable();
  /// The check's table as a CSV file through the save dialog (the model name suggested); the
  /// status bar names the file written.
  void SaveCheckTable();

  // The window's curve table, a curve named as the command line names it ("ciss", "output:10").
  // Each reads its text as a digitizer's file is read; a curve refused is said in a message and
  // the curves stay as they were. Each returns whether the curves changed.
  /// Import: the curve from a file chosen in the open dialog.
  bool ImportCurve(std::string_view name);
  /// Paste: the curve from the clipboard's text.
  bool PasteCurve(std::string_view name);
  /// The curve as the table's rows hold it after the user edited, added or removed rows.
  bool EditCurve(std::string_view name, const std::vector<CurveRow>& rows);
  /// Clear: drops the curve, after the user agreed.
  bool ClearCurve(std::string_view name);

  /// The fields whose text is not read as typed, for both front ends to name alike.
  std::vector<FieldWarning> FieldWarnings() const { return vdmos::FieldWarnings(state_); }

  /// Whether the fields hold values not saved since they were last opened, saved or emptied by
  /// New (the start values count as saved).
  bool ValuesModified() const;
  /// Whether the library text changed since it was last opened or saved.
  bool LibraryModified() const;

  /// The model check: its results and the fitted card it keeps.
  const CheckSession& Check() const { return check_; }
  /// Tells the check the state shown now; says what a front end must redraw.
  CheckStateChange ShowState() { return check_.ShowState(state_); }
  /// The switch advice for the fields and switches as they are, computed again only when
  /// they changed (four model updates).
  const SwitchAdvice& Advice();

 private:
  void RefineClicked() { Refine(); }

  /// Shows why a curve was refused; true when there was nothing to say.
  bool Taken(const std::optional<std::string>& problem);

  /// Keeps in mind that a command ended in an arithmetic fault.
  void Ran(bool withoutFault) { faulted_ = faulted_ || !withoutFault; }
  void ForgetCheckWithoutCard();

  Platform& platform_;
  CheckRunner& runner_;
  WindowState state_;
  CheckSession check_;
  bool faulted_ = false;

  // What the advice's model updates read: a fit that is skipped keeps the stored parameters.
  struct AdviceInputs {
    ModelParameterSet params;
    std::vector<std::string> texts;
    std::vector<int> checks;
    friend bool operator==(const AdviceInputs&, const AdviceInputs&) = default;
  };
  std::optional<AdviceInputs> adviceInputs_;
  SwitchAdvice advice_;

  friend std::span<const SessionControl> SessionControls();
};

}  // namespace vdmos
