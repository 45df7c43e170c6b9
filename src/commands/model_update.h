#pragma once
#include <optional>
#include <string_view>
#include <vector>

#include "extract/temperature_fit.h"
#include "model/model_card.h"
#include "model/model_failure.h"
#include "model/window_state.h"
#include "platform/platform.h"

namespace vdmos {

/// "Update model": DC extraction, capacitance extraction, body diode fit, then the card in
/// Text19 (one line or three) and the subcircuit. Any arithmetic fault on the way ends it
/// with the parameter error text in Text19 and Command1 disabled; it never throws. A model
/// name ngspice cannot take or a LAMBDA field that is not a plain number (both go into the
/// card as typed) ends it the same way before anything is computed, after a message.
void UpdateModel(WindowState& state, Platform& platform);
/// The end of every road that makes a card (the model update, the refinement): the card of
/// the parameter set under the model name (Text20), with lambdaText copied in as it stands
/// and the channel suffix (kPChannelSuffix or empty), stored and shown in Text19 in the form
/// "Multiple Lines" asks for, the copy button enabled and the subcircuit rebuilt. Throws
/// ArithmeticFault from the card's numbers or the subcircuit's breakdown voltage.
/// A refined card prints the groups the refinement set with four significant digits. The
/// hot device's fields, fitted to the new parameters, give the card its temperature line;
/// returns the ones refused, for the model update to show.
std::vector<TemperatureProblem> ShowNewCard(WindowState& state, std::string_view lambdaText,
                                            std::string_view channelSuffix, CardPrecision precision = {});

/// The card texts ShowNewCard writes for a parameter set whose temperature text is set: a card
/// with TNOM carries the body diode's N for its nominal 25 C. Throws ArithmeticFault as
/// ShowNewCard does.
CardTexts WrittenCardTexts(const WindowState& state, const ModelParameterSet& params,
                           std::string_view lambdaText, std::string_view channelSuffix,
                           CardPrecision precision);

/// What every command that needs a card does first: an empty card box runs the model update.
/// When the model failed, a command given a refusal shows it as a message and returns false;
/// one given nullopt goes on with what the card box shows (Add Model and the test circuit
/// export do). Returns whether the model did not fail.
bool EnsureCard(WindowState& state, Platform& platform, std::optional<std::string_view> refusal);

/// Whether the card box holds a text typed over the stored card: Add Model, Save Model and the
/// clipboard take the box's text, while the check and the refinement work on the stored model,
/// so a check of the edited box would vouch for a card it never simulated.
bool CardBoxEdited(const WindowState& state);

/// Why the check and the refinement do not run while the card box is edited.
inline constexpr std::string_view kEditedCardText =
    "The model card box was changed by hand, so it no longer shows the model that would be simulated "
    "or refined. Click \"Update model\" to make the card from the fields again, then try once more.";

/// The "Update model" button.
void Command2_Click(WindowState& state, Platform& platform);
/// Change of the FET type box's text: runs the model update. Choosing an item of the list is
/// no such change.
void Combo1_Change(WindowState& state, Platform& platform);
/// Shows the stored card in the form "Multiple Lines" asks for and rebuilds the subcircuit.
/// Throws ArithmeticFault when the subcircuit's breakdown voltage overflows.
void LineBreak_Click(WindowState& state, Platform& platform);
/// Copies Text19 to the clipboard.
void Command1_Click(WindowState& state, Platform& platform);

}  // namespace vdmos
