#pragma once
#include "model/model_card.h"
#include "model/window_state.h"
#include "platform/platform.h"

namespace vdmos {

/// "Update model": DC extraction, capacitance extraction, body diode fit, then the card in
/// Text19 (one line or three) and the subcircuit. Any arithmetic fault on the way ends it
/// with the parameter error text in Text19 and Command1 disabled; it never throws.
void UpdateModel(WindowState& state, Platform& platform);
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
