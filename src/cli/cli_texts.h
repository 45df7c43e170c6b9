#pragma once
// Every text the command-line front end writes of its own: help, usage errors, version.

#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

#include "files/file_messages.h"

namespace vdmos::cli {

inline constexpr std::string_view kProgramName = "vdmosgen-cli";
/// Before each parameter ngspice did not take as written in a checked card (the run still succeeds).
inline constexpr std::string_view kNgspiceWarningOpening = "ngspice warning: ";

inline constexpr std::string_view kDescription =
    "Turns power MOSFET datasheet values into a SPICE VDMOS model card.\n"
    "Fields start with the values of the example datasheet, or of each FILE given;\n"
    "--set changes them as typing and clicking in the window do, then the commands\n"
    "run in the order given, and the model card is printed (one card per FILE, in\n"
    "the order given).";

inline constexpr std::string_view kFilesHelp =
    "Datasheet values files (as the window's File > Save writes them), each\n"
    "opened as File > Open does; the --set options apply after each opening";

inline constexpr std::string_view kSetHelp =
    "Set an input control by its window name or its readable name (see\n"
    "--list-fields) and run what doing so runs in\n"
    "the window: text fields take any text (empty included), as typed; typing\n"
    "into avalanche_volt runs its change (the subcircuit is rebuilt);\n"
    "check boxes (CheckDepMode, ForceRdsOn, FixVTO, ChargesFirst, LineBreak) take 0, 1 or 2,\n"
    "as a click when the value changes; clicking LineBreak re-shows the card\n"
    "on one line or three and rebuilds the subcircuit;\n"
    "Combo1 takes NMOS or PMOS, chosen from its list (runs nothing);\n"
    "OptionStandard and OptionSubCkt take 1, a click that selects the option";
inline constexpr std::string_view kListFieldsHelp =
    "List every control --set can set: its window name, readable name, unit\n"
    "(or the values it takes) and meaning, one a line; then exit";
inline constexpr std::string_view kRunHelp =
    "Run a command, in the order given:\n"
    "update-model (the default when no --run is given), update-dc, update-ac,\n"
    "new, line-break (re-shows the card in the form LineBreak asks for)";
inline constexpr std::string_view kSubCktHelp = "Print the subcircuit instead of the model card";
inline constexpr std::string_view kNgspiceSubCktHelp =
    "Print the subcircuit in the form ngspice reads (its breakdown diode\n"
    "with BV, IBV and RS) instead of the model card; when there is none (no\n"
    "breakdown voltage, or a card ngspice cannot take), standard error says\n"
    "why and the exit status is 1";
inline constexpr std::string_view kJsonHelp =
    "Print the whole window state as one JSON object with the keys\n"
    "\"controls\", \"checks\", \"enabled\", \"messages\", \"ngspiceSubckt\" and\n"
    "\"fieldNames\" (the readable name of each control --set can set)";
inline constexpr std::string_view kLibraryHelp =
    "Append each model to the library FILE as Add Model does (the card, or\n"
    "the subcircuit with --subckt or OptionSubCkt=1); an existing FILE is read\n"
    "first and kept; a model whose name it defines already is not added (exit\n"
    "status 1); the library is saved once, at the end (runs that add to\n"
    "the same FILE at once take turns)";
inline constexpr std::string_view kSaveModelHelp =
    "Write the card alone as Save Model does (takes at most one FILE argument)";
inline constexpr std::string_view kSaveDatasheetHelp =
    "Write the values as a datasheet values file as File > Save does\n"
    "(takes at most one FILE argument)";
inline constexpr std::string_view kTestCircuitsHelp =
    "Write the eight test circuit files (.asc and .plt) into the folder DIR,\n"
    "which must exist";
inline constexpr std::string_view kNgspiceCircuitsHelp =
    "Write the four ngspice netlists (.cir) and the ngspice subcircuit\n"
    "(NAME_subckt.lib) into the folder DIR, which must exist";
inline constexpr std::string_view kVerifyHelp =
    "Simulate the model in ngspice and print the comparison with the\n"
    "datasheet after the card (with --json under \"verification\"); what\n"
    "ngspice ignored or limited goes to standard error (and \"ngspiceWarnings\")";
inline constexpr std::string_view kNgspiceHelp =
    "The ngspice program for --verify (default: ngspice from PATH)";
inline constexpr std::string_view kApplyBestSwitchesHelp =
    "Set the DC-fit switches to the setting whose card meets the datasheet\n"
    "best, then update the model";
inline constexpr std::string_view kRefineHelp =
    "Refine the fitted card against every datasheet point; with --verify the\n"
    "table shows the fitted and the refined card side by side";
inline constexpr std::string_view kStrictHelp =
    "Fail (exit status 1, nothing written) when a field's text is not read as\n"
    "typed: no number, text after it left out, a scale on a scaled unit, or\n"
    "empty where the model needs a value";
inline constexpr std::string_view kVersionHelp = "Print the version and exit";

inline constexpr std::string_view kCurveHelpOpening =
    "Take a datasheet figure's curve as a plot digitizer exports it: FILE holds\n"
    "two columns x, y (comma, semicolon, tab or spaces apart, \".\" decimals; a\n"
    "header and # lines are passed over), applied after each values file and the\n"
    "--set options; repeatable. KIND is one of (x, y; units V, A, pF, nC, Ohm):";
inline constexpr std::string_view kCurveOptionName = "KIND=FILE";
inline constexpr std::string_view kUnknownCurveKindText = "--curve: no such KIND (see --help): ";

inline constexpr std::string_view kFooter =
    "Message boxes that a command shows are written to standard error\n"
    "(with --json, under \"messages\").\n"
    "When the model update ends in its error text, or makes a card without a\n"
    "channel (KP=0 as printed: no DC fit ran, or a KP too small for the card),\n"
    "that model is not added, saved, exported or\n"
    "checked (the values are still saved).\n"
    "Exit status: 0 when every card was made; 1 when a model update ended in its\n"
    "error text or without a channel, a file could not be read or written, a\n"
    "folder is missing, the library already named a model or the ngspice check\n"
    "failed (the other files are still processed); 2 for a usage error.";

namespace detail {
inline std::string Join(std::initializer_list<std::string_view> parts) {
  std::string text;
  for (std::string_view part : parts) text.append(part);
  return text;
}
}  // namespace detail

// Usage errors; each names the problem, the usage follows it.
inline std::string CurveMissingEqualsText(std::string_view argument) {
  return "--curve takes KIND=FILE: " + std::string(argument);
}

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

inline std::string OneFileOnlyText(std::string_view option) {
  return detail::Join({option, " writes one file, so it takes at most one FILE argument"});
}

// Problems of a run, on standard error after kProgramName and ": ".
inline constexpr std::string_view kNoSuchFolderText = "no such folder";
inline constexpr std::string_view kNotAFolderText = "is not a folder";
inline constexpr std::string_view kIsFolderText = "is a folder, not a file";
inline constexpr std::string_view kNotRegularFileText = "is not a regular file";
inline constexpr std::string_view kCannotReadText = "cannot be read";
/// Followed by the system's reason.
inline constexpr std::string_view kCannotLockText = "cannot be locked against other runs: ";
inline constexpr std::string_view kEmptyFileText = "the file is empty";
inline constexpr std::string_view kNotWrittenText = "could not be written";
inline constexpr std::string_view kNoModelText =
    "the model update ended in its error text, so this model was not added, saved, exported or checked";
inline constexpr std::string_view kNoChannelText =
    "the card has KP=0 and no channel (the DC fit did not run, as an input check stopped it or the "
    "plateau point is not above Vgs(th) at a current above 0, or its KP is too small for the card's four "
    "decimals); it was not added, saved, exported or checked";

/// A model whose name the library defines already: a simulator would take the first one, so a
/// batch run again after the values were corrected would go on simulating the old model.
inline std::string DuplicateModelText(const std::vector<std::string>& names) {
  return "the library already holds a model named " + ModelNameList(names) +
         ", which a simulator would take instead of this one; it was not added. Remove the old model from "
         "the library, or give this one another name (--set model_name=...)";
}

}  // namespace vdmos::cli
