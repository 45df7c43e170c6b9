#pragma once
#include <string>
#include <vector>

namespace vdmos {

/// Whether a written text ends with CR LF after its last line. The saver adds one CR LF of
/// its own, so a text that ends with one makes a file that ends with an empty line.
enum class Ending { WithoutLineBreak, WithLineBreak };

/// The lines joined by CR LF, with the ending asked for.
std::string JoinLines(const std::vector<std::string>& lines, Ending ending);

}  // namespace vdmos
