#pragma once
// What the stored model card says, read back for the simulator: its model name, its channel,
// whether ngspice can take it as it is, and the values of the body diode and junction texts.

#include <optional>
#include <string>
#include <string_view>

#include "model/window_state.h"

namespace vdmos {

/// The model name of the card: the text between ".MODEL " and " VDMOS(" of the first segment.
std::optional<std::string> CardModelName(const CardTexts& card);

/// True when the card ends with the P-channel mark.
bool CardIsPChannel(const CardTexts& card);

/// Why the card cannot go into a netlist as it is, as the message to show; nullopt when it can.
/// Refused: no card yet, a line break or other control character inside a segment (ngspice
/// would read it as lines of its own), parentheses that do not balance (ngspice then does not
/// end), and a model name that is not one word or that ngspice cannot take as a name (one that
/// reads as a number, holds a character that splits an ngspice line, or contains "VDMOS",
/// which makes ngspice read without end).
std::optional<std::string> CardProblem(const CardTexts& card);

/// The value of "key=value" in a card text such as "IS=1.47E-08 N=1.576 RB=0.006897 " or
/// "m=0.797 Vj=1.03 Cjo=9600.0pF", scale suffixes included ("9600.0pF" is 9.6e-9). Keys
/// compare without regard to case, as the simulator's do. nullopt when the key is missing or
/// its value overflows; a value without a number reads as 0, as every field of the tool does.
std::optional<double> CardTextValue(std::string_view text, std::string_view key);

}  // namespace vdmos
