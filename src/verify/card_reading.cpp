#include "verify/card_reading.h"

#include <algorithm>
#include <cctype>

#include "extract/checked_math.h"
#include "model/model_card.h"
#include "model/numbers.h"
#include "model/subcircuit.h"
#include "verify/verify_texts.h"

namespace vdmos {
namespace {

constexpr std::string_view kCardOpening = ".MODEL ";
constexpr std::string_view kCardType = " VDMOS(";

bool HasControlCharacter(std::string_view text) {
  return std::any_of(text.begin(), text.end(),
                     [](char c) { return static_cast<unsigned char>(c) < 0x20 || c == 0x7f; });
}

bool ParenthesesBalance(std::string_view text) {
  int depth = 0;
  for (const char c : text) {
    if (c == '(') ++depth;
    if (c == ')' && --depth < 0) return false;
  }
  return depth == 0;
}

bool SameKey(std::string_view a, std::string_view b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
         });
}

}  // namespace

std::optional<std::string> CardModelName(const CardTexts& card) {
  const std::string_view first = card.segment1;
  if (!first.starts_with(kCardOpening)) return std::nullopt;
  const std::size_t type = first.find(kCardType, kCardOpening.size());
  if (type == std::string_view::npos) return std::nullopt;
  return std::string(first.substr(kCardOpening.size(), type - kCardOpening.size()));
}

bool CardIsPChannel(const CardTexts& card) {
  return card.segment3.ends_with(std::string(kPChannelSuffix) + ")");
}

std::optional<std::string> CardProblem(const CardTexts& card) {
  if (card.segment1.empty() && card.segment2.empty() && card.segment3.empty())
    return std::string(kNoCardText);
  for (const std::string* segment : {&card.segment1, &card.segment2, &card.segment3}) {
    if (HasControlCharacter(*segment)) return std::string(kCardControlCharacterText);
  }
  if (!ParenthesesBalance(card.segment1 + card.segment2 + card.segment3))
    return std::string(kCardParenthesesText);
  const std::optional<std::string> name = CardModelName(card);
  if (!name) return std::string(kCardOpeningText);
  const bool oneWord =
      !name->empty() && std::none_of(name->begin(), name->end(), [](char c) { return c == ' '; });
  if (!oneWord) return std::string(kCardModelNameText);
  // The same names the ngspice subcircuit refuses: a netlist with such a model would not run.
  if (auto problem = NgspiceModelNameProblem(*name)) return std::string(*problem);
  return std::nullopt;
}

std::optional<double> CardTextValue(std::string_view text, std::string_view key) {
  std::size_t at = 0;
  while (at < text.size()) {
    const std::size_t end = std::min(text.find(' ', at), text.size());
    const std::string_view field = text.substr(at, end - at);
    const std::size_t equals = field.find('=');
    if (equals != std::string_view::npos && SameKey(field.substr(0, equals), key)) {
      try {
        return EngineeringReading(field.substr(equals + 1));
      } catch (const ArithmeticFault&) {
        return std::nullopt;
      }
    }
    at = end + 1;
  }
  return std::nullopt;
}

}  // namespace vdmos
