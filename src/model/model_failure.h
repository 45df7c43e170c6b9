#pragma once
// A model update that fails shows one text in the card box instead of a card: that text is how
// every command, on either front end, knows the fields make no model.

#include <string_view>

#include "model/window_state.h"

namespace vdmos {

/// The text the model card box shows when a model update fails, and the message shown when a
/// command started on its own ends in an arithmetic fault.
inline constexpr std::string_view kParameterErrorText =
    "Error in one or more parameters... The model data cannot be calculated.";

/// Whether the card box shows the parameter error text (so any card stored before it is not
/// the model of the fields).
inline bool ModelFailed(std::string_view cardBox) { return cardBox == kParameterErrorText; }
/// The same for the window's card box, Text19.
bool ModelFailed(const WindowState& state);
/// Whether a card was made without a channel: no DC fit ever ran (an input check stopped the
/// DC update, or the plateau point lies below the threshold or at no current), so KP is still
/// 0 and the card conducts nothing; or the fit's KP is too small for the card's digits. The window shows such
/// a card as it is; a run that writes it away as a model would pass off a part that cannot switch.
bool ChannelMissing(const WindowState& state);

}  // namespace vdmos
