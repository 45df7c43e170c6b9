#pragma once
#include <optional>
#include <string>
#include <string_view>

#include "platform/platform.h"

namespace vdmos {

/// The line end every save writes after the text.
inline constexpr std::string_view kSavedLineEnd = "\r\n";

/// The text with every line end, a lone LF or CR included, as CR LF: how the files the tool
/// writes end their lines, whatever editor wrote the text it read.
std::string WithSavedLineEnds(std::string_view text);

/// Writes Text followed by one CR LF, byte for byte, replacing any file of that name
/// atomically. With showDialog > 0 the user picks the path in the save dialog (Filter's
/// second pair preselected, FileName suggested; an empty Filter means kDefaultSaveFilter) and
/// is asked before an existing file is replaced; answering No shows the dialog again from the
/// name just chosen. With showDialog <= 0 FileName is the path, replaced without asking.
/// Cancels end it silently. A write the user chose in the dialog that fails is reported in a
/// message; without the dialog the caller decides. Returns the path written, nullopt when
/// nothing was.
std::optional<std::string> SaveTextFile(Platform& platform, std::string_view text, std::string_view fileName,
                                        std::string_view filter, int showDialog);

}  // namespace vdmos
