#include "verify/ngspice_version.h"

#include <charconv>
#include <utility>

#include "model/ascii_case.h"

namespace vdmos {
namespace {

constexpr std::string_view kProgramWord = "ngspice";
constexpr std::string_view kTcvthKey = " TCVTH=";
// A release number beyond this is no ngspice release but noise in the text.
constexpr int kLargestMajor = 9999;

bool Digit(char c) { return c >= '0' && c <= '9'; }

/// The number at the start of text, with how many characters it took; nullopt when none.
std::optional<std::pair<int, std::size_t>> LeadingNumber(std::string_view text) {
  int value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || end == text.data()) return std::nullopt;
  return std::pair{value, static_cast<std::size_t>(end - text.data())};
}

/// text with the value of " TCVTH=" negated in place, its digits untouched.
std::string WithTcvthNegated(std::string text) {
  const std::size_t key = text.find(kTcvthKey);
  if (key == std::string::npos) return text;
  const std::size_t at = key + kTcvthKey.size();
  if (at < text.size() && (text[at] == '-' || text[at] == '+'))
    text[at] == '-' ? text.erase(at, 1) : text.replace(at, 1, "-");
  else
    text.insert(at, "-");
  return text;
}

}  // namespace

std::optional<NgspiceVersion> ParseNgspiceVersion(std::string_view text) {
  const std::string lower = AsciiLower(text);
  for (std::size_t at = lower.find(kProgramWord); at != std::string::npos;
       at = lower.find(kProgramWord, at + 1)) {
    std::string_view rest = std::string_view(lower).substr(at + kProgramWord.size());
    if (rest.empty()) break;
    if (rest.front() == '-' || rest.front() == ' ') rest.remove_prefix(1);
    if (rest.empty() || !Digit(rest.front())) continue;
    const auto major = LeadingNumber(rest);
    if (!major || major->first > kLargestMajor) continue;
    NgspiceVersion version{major->first, 0};
    rest.remove_prefix(major->second);
    if (rest.size() > 1 && rest.front() == '.' && Digit(rest[1])) {
      if (const auto minor = LeadingNumber(rest.substr(1))) version.minor = minor->first;
    }
    return version;
  }
  return std::nullopt;
}

bool FlipsTcvth(const std::optional<NgspiceVersion>& version) {
  return version && version->major >= kFlippedTcvthMajor;
}

bool CardCarriesTcvth(const CardTexts& card) { return card.segment4.find(kTcvthKey) != std::string::npos; }

CardTexts CardForNgspice(const CardTexts& card, const std::optional<NgspiceVersion>& version) {
  if (!FlipsTcvth(version)) return card;
  CardTexts flipped = card;
  flipped.segment4 = WithTcvthNegated(card.segment4);
  flipped.singleLine = WithTcvthNegated(card.singleLine);
  return flipped;
}

std::string TcvthConventionText(const std::optional<NgspiceVersion>& version) {
  if (!version)
    return "TCVTH in ngspice " + std::to_string(kFittedTcvthMajor) +
           " convention (the ngspice version could not be read)";
  return "TCVTH in ngspice " + std::to_string(version->major) + " convention";
}

}  // namespace vdmos
