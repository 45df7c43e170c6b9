#pragma once
// The window's file commands driven from the command line: each dialog is answered with the
// path given on the command line, and what a command leaves unsaid (a file that could not
// be read, a folder that is missing) is turned into a problem the run reports.

#include <cstddef>
#include <optional>
#include <string>

#include "app/window_session.h"
#include "cli/cli_platform.h"
#include "model/control_names.h"

namespace vdmos::cli {

/// File > Open with the open dialog answering path. nullopt when the file was opened,
/// otherwise why not (the state is then unchanged).
std::optional<std::string> OpenDatasheet(const std::string& path, WindowSession& session,
                                         CliPlatform& platform);

/// Open Library with the open dialog answering path, when a file is there: LibTextBox then
/// holds its text. nullopt when it was read or there is no such file yet; otherwise why it
/// cannot serve as the library (writing to it would lose what it holds).
std::optional<std::string> OpenLibrary(const std::string& path, WindowSession& session,
                                       CliPlatform& platform);

/// Clicks a control that saves through the save dialog (Save, Save Model, Save Library) with
/// the dialog answering path and the replace prompt Yes. Whether the file was written; a
/// failure has been reported in a message.
bool SaveThroughDialog(control::Name control, const std::string& path, WindowSession& session,
                       CliPlatform& platform);

/// Clicks an export into a folder with the folder picker answering folder. Whether all of its
/// fileCount files were written; a refusal has been reported in a message.
bool ExportToFolder(control::Name control, const std::string& folder, std::size_t fileCount,
                    WindowSession& session, CliPlatform& platform);

/// Why folder cannot take an export, or nullopt when it is an existing folder.
std::optional<std::string> FolderProblem(const std::string& folder);

}  // namespace vdmos::cli
