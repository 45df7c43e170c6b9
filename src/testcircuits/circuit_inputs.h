#pragma once
// What the four test circuits take from the main window, read once per writer.

#include <optional>
#include <string>
#include <string_view>

#include "model/window_state.h"

namespace vdmos {

/// Field texts go into the circuits exactly as typed (suffixes reach the simulator unchanged),
/// so they must be plain numbers (CircuitInputsProblem). In the PMOS form every test value gets
/// a "-" put before its text, even one that already begins with "-".
struct CircuitInputs {
  std::string modelName;  ///< Text20
  std::string fetType;    ///< Combo1, written as the transistor symbol's type
  bool pmos = false;      ///< Combo1 is exactly "PMOS"
  std::string traceSign;  ///< before a plotted expression: " " (NMOS) or "-" (PMOS)
  std::string rdsonVgs, vdsTest, vdsRange, idCharge, vdCharge;  ///< with the PMOS sign
  std::string card;                                             ///< the card segments as one directive text
};

CircuitInputs ReadCircuitInputs(const WindowState& state);

/// Why a test condition or the FET type cannot be copied into the circuits as typed (a
/// condition that is not a plain number, which the simulator would read otherwise than the
/// model check does, or as lines of its own; a FET type holding a control character), as the
/// message to show; nullopt when each can.
std::optional<std::string> CircuitInputsProblem(const WindowState& state);

/// The three card segments joined by a literal backslash-n and "+", so that the simulator
/// reads a card with two continuation lines from one TEXT record.
std::string EmbeddedCard(const CardTexts& card);

}  // namespace vdmos
