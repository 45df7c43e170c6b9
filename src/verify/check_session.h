#pragma once
// The model check as the window and the command line show it: the last check of the window's
// card and, after a refinement, of the fitted card it came from, their rows paired by point,
// and what ngspice ignored. It runs nothing itself: it says what to check, and takes the
// results of whoever ran it (the window on worker threads, the command line in turn).

#include <optional>
#include <string>
#include <vector>

#include "model/window_state.h"
#include "verify/characteristics.h"
#include "verify/verification_result.h"

namespace vdmos {

/// One line of the check's table: a datasheet point with what the window's card gave there
/// in ngspice, and, while the refined card is set beside the card it was refined from, what
/// that fitted card gave for the same quantity under the same condition.
struct CheckLine {
  VerificationRow row;
  /// nullopt when the check is not a comparison, or the fitted card has no such point.
  std::optional<VerificationRow> fitted;
};

/// The states one check runs: the window's, and the fitted card under the same test
/// conditions, so that both tables hold the same points even when a field changed since the
/// refinement.
struct CheckRequest {
  WindowState current;
  std::optional<WindowState> fitted;
};

/// What the runs of one CheckRequest gave, in the same order.
struct CheckResults {
  VerificationResult current;
  std::optional<VerificationResult> fitted;
};

/// How a new state changes what a front end shows.
struct CheckStateChange {
  bool comparisonDropped = false;  ///< the card is no longer the refined one: the table shows it alone
  bool plotsStale = false;         ///< the model parameters, the card, a datasheet field or a curve changed
  bool checkForgotten = false;     ///< Forget() dropped the check: the table shows nothing
};

class CheckSession {
 public:
  /// The state the front end shows now. A card other than the refined one drops the fitted
  /// card, and with it the comparison.
  CheckStateChange ShowState(const WindowState& state);
  /// The card of `fitted` was refined into refinedCard, with tradeOff saying what the refinement
  /// gave up where not everything could be met (empty when nothing) and summary its whole
  /// account. A refinement of a refined card keeps the fitted card it came from.
  void KeepFittedCard(const WindowState& fitted, const CardTexts& refinedCard, std::string tradeOff = {},
                      std::string summary = {});

  /// The card a refinement started from, and the card it gave.
  struct FittedCard {
    ModelParameterSet params;
    CardTexts card;
    CardTexts refinedCard;
    std::string tradeOff;
    std::string summary;
    /// The datasheet's fields and curves the refinement measured against.
    std::vector<std::string> fields;
    std::vector<DatasheetCurve> curves;
  };
  /// The fitted card kept while `card` is the card refined from it; nullptr otherwise.
  const FittedCard* FittedCardOf(const CardTexts& card) const;
  /// The last refinement's summary while its card is the one shown, marked as of earlier values
  /// once the datasheet's fields or curves shown differ from those it measured against (its
  /// errors then contradict the check of the values shown); empty otherwise.
  std::string RefinementSummary() const;
  /// What to run for a check of this state (the fitted card beside it while one is kept).
  CheckRequest Start(const WindowState& state);
  /// The results of the runs of the last Start. A check of the window's card that failed
  /// leaves the check shown before in place; its message is in Results().
  void Finish(CheckResults results);
  /// Drops the check shown and the fitted card kept, as for a new model: the next ShowState
  /// says so. A check still running when this is called is not shown when it finishes.
  void Forget();

  /// The results of the last check that finished, failed or not.
  const std::optional<CheckResults>& Results() const { return results_; }
  /// Why the last check failed, ready to show: the window's card's message, then the fitted
  /// card's, named as such, unless both failed alike (as when ngspice itself is at fault).
  std::vector<std::string> Failures() const;

  // The last check that succeeded.
  bool Checked() const { return shown_.has_value(); }
  /// Its table sets the fitted card's values beside the refined card's.
  bool Compared() const { return fittedRows_.has_value(); }
  /// The name of the model it checked.
  const std::string& ModelName() const { return shownName_; }
  /// Its table: the window's card's rows in their order, each with the fitted card's row for
  /// the same quantity and condition while compared.
  std::vector<CheckLine> Lines() const;
  /// While compared: the refinement's trade-off between the gate charges and the capacitance
  /// points, to show beside the comparison; empty otherwise.
  const std::string& TradeOff() const;
  /// What ngspice ignored in either card, each said once.
  const std::vector<std::string>& Warnings() const { return warnings_; }
  /// Which ngspice's TCVTH convention the window's card was checked in; empty when it
  /// carries no TCVTH.
  const std::string& TcvthConvention() const { return tcvthConvention_; }
  /// ngspice's curves of the window's card.
  const Characteristics& Simulated() const { return simulated_; }
  /// Whether it checked the state shown now; its curves belong over the model curves of that
  /// state only, where they cannot pass for another model's simulation.
  bool OfShownState() const { return shown_.has_value() && shown_ == drawn_; }

 private:
  /// What the plots show is computed from this much of the state.
  struct Source {
    ModelParameterSet params;
    CardTexts card;
    std::vector<std::string> fields;
    std::vector<DatasheetCurve> curves;  // their points are drawn as the datasheet's
    friend bool operator==(const Source&, const Source&) = default;
  };
  static Source SourceOf(const WindowState& state);

  std::optional<Source> drawn_;  // the state shown now
  std::optional<FittedCard> fitted_;

  // The check that runs.
  Source started_;
  std::string startedName_;
  std::optional<CardTexts> startedFitted_;
  bool startedForgotten_ = false;  // the running check belongs to a model forgotten since
  bool forgotten_ = false;         // Forget() ran since the last ShowState

  std::optional<CheckResults> results_;
  // The check shown.
  std::optional<Source> shown_;
  std::string shownName_;
  std::vector<std::string> warnings_;
  std::string tcvthConvention_;
  std::vector<VerificationRow> rows_;
  std::optional<std::vector<VerificationRow>> fittedRows_;  // only while the fitted card is kept
  Characteristics simulated_;
};

}  // namespace vdmos
