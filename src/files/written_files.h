#pragma once
// Exports that write several files at once: whether they may replace files that exist, and
// what they tell the user they wrote.

#include <string>
#include <vector>

#include "platform/platform.h"

namespace vdmos {

/// What an export tells afterwards: "8 files written to /path", or for a single file
/// "/path/name.csv written". Empty when nothing was written.
std::string WrittenFilesMessage(const std::vector<std::string>& paths);

/// Whether an export may write these files: true when none exists yet; otherwise the user is
/// asked Yes or No, naming the files that would be replaced.
bool MayReplaceFiles(Platform& platform, const std::vector<std::string>& paths);

}  // namespace vdmos
