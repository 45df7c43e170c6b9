#pragma once
// Case folding for texts that are ASCII by nature (card keywords, ngspice's messages). It
// does not go through the C locale, which the window sets from the user's environment.

#include <string>
#include <string_view>

namespace vdmos {

/// The text with A to Z turned into a to z; every other byte stays as it is.
inline std::string AsciiLower(std::string_view text) {
  std::string lower(text);
  for (char& c : lower) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return lower;
}

}  // namespace vdmos
