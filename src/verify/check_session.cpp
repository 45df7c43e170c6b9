#include "verify/check_session.h"

#include <algorithm>
#include <utility>

#include "model/card_reading.h"
#include "model/control_names.h"
#include "model/fields.h"
#include "verify/verify_texts.h"

namespace vdmos {
namespace {

void AddOnce(std::vector<std::string>& lines, const std::vector<std::string>& more) {
  for (const std::string& line : more)
    if (std::find(lines.begin(), lines.end(), line) == lines.end()) lines.push_back(line);
}

const VerificationRow* SamePoint(const std::vector<VerificationRow>& rows, const VerificationRow& row) {
  const auto found = std::find_if(rows.begin(), rows.end(), [&](const VerificationRow& other) {
    return other.quantity == row.quantity && other.condition == row.condition;
  });
  return found == rows.end() ? nullptr : &*found;
}

}  // namespace

CheckSession::Source CheckSession::SourceOf(const WindowState& state) {
  Source source{state.params, state.card, {}, state.curves};
  for (const FieldInfo& field : DatasheetFields()) source.fields.push_back(state.text(field.control));
  return source;
}

CheckStateChange CheckSession::ShowState(const WindowState& state) {
  CheckStateChange change;
  if (fitted_ && state.card != fitted_->refinedCard) {
    fitted_.reset();
    change.comparisonDropped = fittedRows_.has_value();
    fittedRows_.reset();
  }
  change.checkForgotten = std::exchange(forgotten_, false);
  Source source = SourceOf(state);
  if (drawn_ != source) {
    drawn_ = std::move(source);
    change.plotsStale = true;
  }
  return change;
}

void CheckSession::KeepFittedCard(const WindowState& fitted, const CardTexts& refinedCard,
                                  std::string tradeOff, std::string summary) {
  const Source measured = SourceOf(fitted);
  if (fitted_ && fitted.card == fitted_->refinedCard) {
    fitted_->refinedCard = refinedCard;
    fitted_->tradeOff = std::move(tradeOff);
    fitted_->summary = std::move(summary);
    fitted_->fields = measured.fields;
    fitted_->curves = measured.curves;
    return;
  }
  fitted_ = FittedCard{fitted.params,      fitted.card,     refinedCard,    std::move(tradeOff),
                       std::move(summary), measured.fields, measured.curves};
}

const CheckSession::FittedCard* CheckSession::FittedCardOf(const CardTexts& card) const {
  return fitted_ && fitted_->refinedCard == card ? &*fitted_ : nullptr;
}

std::string CheckSession::RefinementSummary() const {
  if (!fitted_) return {};
  const bool sameValues = !drawn_ || (drawn_->fields == fitted_->fields && drawn_->curves == fitted_->curves);
  return sameValues ? fitted_->summary : std::string(kEarlierRefinementOpening) + fitted_->summary;
}

const std::string& CheckSession::TradeOff() const {
  static const std::string none;
  return Compared() && fitted_ ? fitted_->tradeOff : none;
}

CheckRequest CheckSession::Start(const WindowState& state) {
  started_ = SourceOf(state);
  startedName_ = CardModelName(state.card).value_or(state.text(control::Text20));
  CheckRequest request{state, std::nullopt};
  startedFitted_.reset();
  startedForgotten_ = false;
  if (fitted_) {
    request.fitted = state;
    request.fitted->params = fitted_->params;
    request.fitted->card = fitted_->card;
    startedFitted_ = fitted_->card;
  }
  return request;
}

void CheckSession::Finish(CheckResults results) {
  results_ = std::move(results);
  const VerificationResult& current = results_->current;
  if (!current.ok() || startedForgotten_) return;
  shown_ = started_;
  shownName_ = startedName_;
  warnings_ = current.warnings;
  tcvthConvention_ = current.tcvthConvention;
  rows_ = current.rows;
  fittedRows_.reset();
  // Compared only while the fitted card the run checked is still the one kept.
  const std::optional<VerificationResult>& fitted = results_->fitted;
  if (fitted && fitted->ok() && fitted_ && startedFitted_ == fitted_->card) {
    fittedRows_ = fitted->rows;
    AddOnce(warnings_, fitted->warnings);
  }
  simulated_ = current.simulated;
}

void CheckSession::Forget() {
  fitted_.reset();
  shown_.reset();
  shownName_.clear();
  warnings_.clear();
  tcvthConvention_.clear();
  rows_.clear();
  fittedRows_.reset();
  simulated_ = {};
  startedForgotten_ = true;
  forgotten_ = true;
}

std::vector<std::string> CheckSession::Failures() const {
  std::vector<std::string> failures;
  if (!results_) return failures;
  const VerificationResult& current = results_->current;
  const std::optional<VerificationResult>& fitted = results_->fitted;
  if (!current.ok()) failures.push_back(current.message);
  if (fitted && !fitted->ok() && fitted->message != current.message)
    failures.push_back(std::string(kFittedCheckFailedOpening) + fitted->message);
  return failures;
}

std::vector<CheckLine> CheckSession::Lines() const {
  std::vector<CheckLine> lines;
  for (const VerificationRow& row : rows_) {
    CheckLine line{row, std::nullopt};
    if (fittedRows_) {
      if (const VerificationRow* before = SamePoint(*fittedRows_, row)) line.fitted = *before;
    }
    lines.push_back(std::move(line));
  }
  return lines;
}

}  // namespace vdmos
