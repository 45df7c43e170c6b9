#pragma once
// Field texts that go into a card or a circuit as typed must mean there what they mean to this
// tool: one number, read by the simulator as the tool's engineering reading reads it, and
// nothing a simulator could take for a line, a command or a parameter of its own.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace vdmos {

/// The length of the number at the start of text (sign, digits with one ".", an exponent with
/// its digits); 0 when it does not start with one.
std::size_t NumberLength(std::string_view text);

/// Whether the text is a number ("480", "-2.5", "1e-3", "540m", "1meg", "50V", "20mA") that a
/// SPICE simulator reads as the same value as EngineeringReading does: a number, then at
/// most a scale suffix (f p n u m k meg) and a unit (V, or A after a scale suffix), and no other
/// character.
bool IsSimulatorNumber(std::string_view text);

/// Why the text of the field named control cannot be copied into a card or circuit as typed,
/// as the message to show; nullopt when IsSimulatorNumber.
std::optional<std::string> NumberFieldProblem(std::string_view control, std::string_view text);

}  // namespace vdmos
