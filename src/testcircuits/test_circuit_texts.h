#pragma once
// Every fixed text of the test circuit export that is not circuit content: the folder
// picker's title, the file-name stems, the dialog filters handed to the saver, and the
// messages that refuse a model name.

#include <string_view>

namespace vdmos {

inline constexpr std::string_view kChooseFolderTitle = "Select the folder to save to";

/// Each circuit's files are the model name, its stem, and one of these extensions.
inline constexpr std::string_view kSchematicExtension = ".asc";
inline constexpr std::string_view kPlotSettingsExtension = ".plt";
inline constexpr std::string_view kIdVgsStem = "_Id(Vgs)";
inline constexpr std::string_view kIdVdsVgsStem = "_Id(Vds,Vgs)";
inline constexpr std::string_view kGateChargeStem = "_GateCharge";
inline constexpr std::string_view kCxssStem = "_Cxss";

/// Passed to the saver with every file although no dialog shows them.
inline constexpr std::string_view kSchematicFilter = "asc files (*.asc)|*.asc|All files (*.*)|*.*";
inline constexpr std::string_view kPlotSettingsFilter = "Plot settings|*.plt";

/// A refused model name: the opening, then one of the reasons.
inline constexpr std::string_view kModelNameRefused =
    "The test circuits were not saved: the model name contains ";
inline constexpr std::string_view kLeavesFolderReason = ", which could lead out of the chosen folder.";
inline constexpr std::string_view kNotInFileNameReason = ", which a file name cannot hold.";
inline constexpr std::string_view kNulCharacter = "a NUL character";
inline constexpr std::string_view kControlCharacter = "a control character";
/// The FET type is written into the schematics as the transistor symbol's type.
inline constexpr std::string_view kFetTypeControlCharacterText =
    "The test circuits were not saved: the FET type holds a line break or another control character, "
    "which would make lines of its own in the schematics.";

}  // namespace vdmos
