#pragma once
#include <string>
#include <string_view>

#include "platform/platform.h"

namespace vdmos {

/// Writes Text followed by one CR LF. With showDialog > 0 the user picks the path in the save
/// dialog (Filter's second pair preselected, FileName suggested) and is asked before an
/// existing file is replaced; otherwise FileName is the path. Cancels and failures end it
/// silently; the write itself is atomic.
void SaveTextFile(Platform& platform, std::string_view text, std::string_view fileName, std::string_view filter,
                  int showDialog);

}  // namespace vdmos
