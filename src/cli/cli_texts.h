#pragma once
// Every text the command-line front end writes of its own: help, usage errors, version.

#include <initializer_list>
#include <string>
#include <string_view>

namespace vdmos::cli {

inline constexpr std::string_view kProgramName = "vdmosgen-cli";

inline constexpr std::string_view kDescription =
    "Turns power MOSFET datasheet values into a SPICE VDMOS model card.\n"
    "Fields start with the values of the example datasheet; --set changes them as if typed,\n"
    "then the commands run in the order given, and the model card is printed.";

inline constexpr std::string_view kSetHelp =
    "Set an input control by its window name, as if typed:\n"
    "text fields take any text (empty included),\n"
    "check boxes (CheckDepMode, ForceRdsOn, FixVTO, LineBreak) take 0, 1 or 2,\n"
    "Combo1 takes NMOS or PMOS,\n"
    "OptionStandard and OptionSubCkt take 1 to select";
inline constexpr std::string_view kRunHelp =
    "Run a command, in the order given:\n"
    "update-model (the default when no --run is given), update-dc, update-ac,\n"
    "new, line-break (re-shows the card in the form LineBreak asks for)";
inline constexpr std::string_view kSubCktHelp = "Print the subcircuit instead of the model card";
inline constexpr std::string_view kJsonHelp =
    "Print the whole window state as one JSON object with the keys\n"
    "\"controls\", \"checks\", \"enabled\" and \"messages\"";
inline constexpr std::string_view kVersionHelp = "Print the version and exit";

inline constexpr std::string_view kFooter =
    "Message boxes that a command shows are written to standard error\n"
    "(with --json, under \"messages\").\n"
    "Exit status: 0 when the card was made, 1 when the model update ended in its\n"
    "error text, 2 for a usage error.";

namespace detail {
inline std::string Join(std::initializer_list<std::string_view> parts) {
  std::string text;
  for (std::string_view part : parts) text.append(part);
  return text;
}
}  // namespace detail

// Usage errors; each names the problem, the usage follows it.
inline std::string MissingEqualsText(std::string_view argument) {
  return detail::Join({"--set needs CONTROL=TEXT, got '", argument, "'"});
}
inline std::string UnknownControlText(std::string_view control) {
  return detail::Join({"unknown control name '", control, "'"});
}
inline std::string NotAnInputText(std::string_view control) {
  return detail::Join({"'", control, "' is not an input control"});
}
inline std::string BadCheckValueText(std::string_view box, std::string_view value) {
  return detail::Join({"check box '", box, "' takes 0, 1 or 2, got '", value, "'"});
}
inline std::string BadFetTypeText(std::string_view value) {
  return detail::Join({"Combo1 takes NMOS or PMOS, got '", value, "'"});
}
inline std::string BadOptionValueText(std::string_view option, std::string_view value) {
  return detail::Join({"option '", option, "' takes 1 to select it, got '", value, "'"});
}

}  // namespace vdmos::cli
