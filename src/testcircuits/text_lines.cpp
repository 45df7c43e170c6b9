#include "testcircuits/text_lines.h"

namespace vdmos {

std::string JoinLines(const std::vector<std::string>& lines, Ending ending) {
  std::string text;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    if (i > 0) text += "\r\n";
    text += lines[i];
  }
  if (ending == Ending::WithLineBreak) text += "\r\n";
  return text;
}

}  // namespace vdmos
