#pragma once
// Editors on other systems start UTF-8 text with a byte order mark; the readers pass over it, as
// it is no part of the text's first line.

#include <string_view>

namespace vdmos {

inline std::string_view WithoutByteOrderMark(std::string_view text) {
  constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
  if (text.starts_with(kByteOrderMark)) text.remove_prefix(kByteOrderMark.size());
  return text;
}

}  // namespace vdmos
