#pragma once
#include <string>
#include <string_view>

#include "model/window_state.h"
#include "platform/platform.h"

namespace vdmos {

/// "Add Model": runs the model update first when Text19 is empty, then appends Text19 (with
/// "Standard Model") and/or SubCktTextBox (with "Subcircuit Model"), each on a line of its own
/// and with CR LF, and puts the caret at the end. A failed model is refused with its message and
/// appends nothing. When the library already defines a name the appended text defines, the user
/// is asked Yes or No first; No appends nothing.
void Add_Click(WindowState& state, Platform& platform);
/// Appends lines to a library text so that they start on a line of their own: after a last
/// line without its line end, a CR LF goes first (a card glued onto it would be commented out
/// or unreadable).
void AppendToLibraryText(std::string& library, std::string_view lines);
/// "Save Library": LibTextBox through the save dialog, suggesting the FileName caption.
void SaveLib_Click(WindowState& state, Platform& platform);
/// "Open Library": a non-empty file replaces LibTextBox; the caret goes to the end either way.
void OpenLib_Click(WindowState& state, Platform& platform);
/// "Save Model": the header line and Text19 as Text20 + ".lib"; runs no model update. A failed
/// model is refused with its message.
void SaveModel_Click(WindowState& state, Platform& platform);
/// The whole text of a file chosen in the open dialog (third filter preselected, fileName
/// suggested, empty filter meaning kLibraryOpenFilter), byte for byte, and the chosen path
/// becomes the FileName caption. A cancel or an unreadable file gives the empty text silently;
/// a file over kLibraryMaxBytes or holding NUL bytes gives the empty text after a message, and
/// the caption stays.
std::string OpenLibFile(WindowState& state, Platform& platform, std::string_view fileName,
                        std::string_view filter);

}  // namespace vdmos
