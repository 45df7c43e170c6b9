#pragma once
// Every caption and tool tip of the two windows, keyed by the control's objectName, so the
// page builders only arrange controls and the texts live in one table.

#include <QString>
#include <string_view>

namespace vdmos::ui {

inline constexpr const char* kMainWindowTitle = "Varnex - MOS Tool";
inline constexpr const char* kRgateWindowTitle = "Rgate from Ciss and td";
/// The title of message boxes that ask for the application's own title.
inline constexpr const char* kApplicationTitle = "vdmosgen";
/// The help of the program's --ngspice option, which means what the command-line tool's does.
inline constexpr const char* kNgspiceOptionHelp =
    "The ngspice program for \"Simulate in ngspice\" (default: ngspice from PATH)";

/// The caption of a control (label text, button or frame caption, menu entry, page title).
/// Throws std::out_of_range for a name without an entry, so a typo fails at once.
QString Caption(std::string_view name);
/// The caption of a menu or menu entry with its access key marked for Qt ("&File", so that
/// Alt+F opens it); the caption the user reads stays the one Caption() gives.
QString MenuCaption(std::string_view name);
/// The tool tip of a control, empty for most.
QString ToolTip(std::string_view name);

}  // namespace vdmos::ui
