#pragma once
// The test circuits are written as the model name plus a fixed suffix inside the chosen
// folder, and nowhere else.

#include <optional>
#include <string>
#include <string_view>

namespace vdmos {

/// Why the model name cannot start a file name inside the folder, as the message to show:
/// a path separator, "..", a NUL or other control character, or a character that file names
/// on Windows cannot hold (the simulator's home). nullopt when the name is fine; an empty
/// name and one with spaces are fine.
std::optional<std::string> ModelNameProblem(std::string_view modelName);

/// folder / (modelName + suffix); nullopt when the folder is empty or the name has a problem.
std::optional<std::string> CircuitFilePath(std::string_view folder, std::string_view modelName,
                                           std::string_view suffix);

}  // namespace vdmos
