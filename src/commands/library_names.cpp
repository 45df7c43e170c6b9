#include "commands/library_names.h"

#include <algorithm>

#include "model/ascii_case.h"

namespace vdmos {
namespace {

constexpr std::string_view kBlanks = " \t";

/// A line's first word in lower case and the word after it as spelt ("(" ends a word too).
struct LineWords {
  std::string keyword;
  std::string_view name;
};

std::string_view NextWord(std::string_view& line) {
  const std::size_t start = std::min(line.find_first_not_of(kBlanks), line.size());
  line.remove_prefix(start);
  const std::size_t end = std::min(line.find_first_of(" \t("), line.size());
  const std::string_view word = line.substr(0, end);
  line.remove_prefix(end);
  return word;
}

LineWords Words(std::string_view line) {
  const std::string keyword = AsciiLower(NextWord(line));
  return {keyword, NextWord(line)};
}

/// Visits the name of every model and subcircuit the text defines for the whole library. A
/// model inside a subcircuit (its body diode's) belongs to that subcircuit alone.
template <typename Visit>
void ForEachDefinedName(std::string_view text, Visit visit) {
  bool insideSubcircuit = false;
  while (!text.empty()) {
    const std::size_t end = std::min(text.find_first_of("\r\n"), text.size());
    const LineWords words = Words(text.substr(0, end));
    text.remove_prefix(std::min(end + 1, text.size()));
    if (words.keyword == ".ends") {
      insideSubcircuit = false;
    } else if (words.keyword == ".subckt") {
      if (!words.name.empty()) visit(words.name);
      insideSubcircuit = true;
    } else if (words.keyword == ".model" && !insideSubcircuit && !words.name.empty()) {
      visit(words.name);
    }
  }
}

}  // namespace

std::vector<std::string> DefinedModelNames(std::string_view text) {
  std::vector<std::string> names;
  ForEachDefinedName(text, [&](std::string_view name) {
    std::string lower = AsciiLower(name);
    if (std::ranges::find(names, lower) == names.end()) names.push_back(std::move(lower));
  });
  return names;
}

std::vector<std::string> NamesAlreadyDefined(std::string_view library, std::string_view added) {
  const std::vector<std::string> defined = DefinedModelNames(library);
  std::vector<std::string> twice;
  ForEachDefinedName(added, [&](std::string_view name) {
    if (std::ranges::find(defined, AsciiLower(name)) != defined.end() &&
        std::ranges::find(twice, name) == twice.end())
      twice.emplace_back(name);
  });
  return twice;
}

}  // namespace vdmos
