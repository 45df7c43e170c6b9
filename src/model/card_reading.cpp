#include "model/card_reading.h"

#include <algorithm>
#include <array>

#include "model/ascii_case.h"
#include "model/card_texts.h"
#include "model/checked_math.h"
#include "model/model_card.h"
#include "model/numbers.h"
#include "model/simulator_numbers.h"

namespace vdmos {
namespace {

constexpr std::string_view kLineEnd = "\r\n";
constexpr std::string_view kCardOpening = ".MODEL ";
constexpr std::string_view kCardType = " VDMOS(";
// ngspice 39 does not finish reading a netlist whose model name contains "vdmos", and takes a
// parameter such as "LAMBDA=1pchan" for the P-channel flag; a parameter name holding either
// word is refused as well, to be safe.
constexpr std::string_view kVdmosWord = "vdmos";
constexpr std::string_view kPChannelWord = "pchan";
// The characters that end or split a name in an ngspice line, or start an expression, a
// string or a comment there.
constexpr std::string_view kNameBreakers = " =(),;{}'\"";
// ngspice 39 cannot find a model whose name starts with one of these: "*" starts a comment,
// the others a variable or an expression.
constexpr std::string_view kNameStartBreakers = "*$@^";
// ngspice reads names of thousands of characters in a card, but the model check's netlists
// fail with a name of 5000, and a test circuit's file name (the model name, a stem and an
// extension) must stay within the 255 bytes of common file systems.
constexpr std::size_t kMostModelNameBytes = 200;
// ngspice's scale suffixes: a number followed by one of them is still a number.
constexpr std::array<std::string_view, 11> kScaleSuffixes{"",    "t", "g", "meg", "k", "m",
                                                          "mil", "u", "n", "p",   "f"};
// A card value is a number followed by at most this many letters: a scale suffix ("meg",
// "mil") and a unit ("pF"). Longer tails are refused, as ngspice could take them for a flag.
constexpr std::size_t kMostValueLetters = 3;

bool IsControl(char c) { return static_cast<unsigned char>(c) < 0x20 || c == 0x7f; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool IsLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
bool HasControlCharacter(std::string_view text) { return std::any_of(text.begin(), text.end(), IsControl); }

/// Whether ngspice reads the whole text as a number ("100", "1k", "1e5meg"), so that a model
/// of that name cannot be found.
bool ReadsAsNumber(std::string_view text) {
  const std::size_t length = NumberLength(text);
  if (length == 0) return false;
  const std::string rest = AsciiLower(text.substr(length));
  return std::find(kScaleSuffixes.begin(), kScaleSuffixes.end(), rest) != kScaleSuffixes.end();
}

/// A parameter of the card as ngspice reads it: KEY=VALUE with a name of letters, digits and
/// "_", and a finite number with at most kMostValueLetters letters after it.
bool IsReadableParameter(std::string_view token) {
  const std::size_t equals = token.find('=');
  if (equals == std::string_view::npos || equals == 0) return false;
  const std::string_view key = token.substr(0, equals);
  const std::string_view value = token.substr(equals + 1);
  if (!IsLetter(key[0]) ||
      !std::all_of(key.begin(), key.end(), [](char c) { return IsLetter(c) || IsDigit(c) || c == '_'; }))
    return false;
  const std::string lowerKey = AsciiLower(key);
  if (lowerKey.find(kVdmosWord) != std::string::npos || lowerKey.find(kPChannelWord) != std::string::npos)
    return false;
  const std::size_t length = NumberLength(value);
  if (length == 0 || value.size() - length > kMostValueLetters ||
      !std::all_of(value.begin() + length, value.end(), IsLetter))
    return false;
  try {
    EngineeringReading(value);  // only its overflow matters: ngspice would take infinity
  } catch (const ArithmeticFault&) {
    return false;
  }
  return true;
}

bool ParenthesesBalance(std::string_view text) {
  int depth = 0;
  for (const char c : text) {
    if (c == '(') ++depth;
    if (c == ')' && --depth < 0) return false;
  }
  return depth == 0;
}

bool SameKey(std::string_view a, std::string_view b) { return AsciiLower(a) == AsciiLower(b); }

/// Splits the card text into its lines at CR LF.
std::vector<std::string_view> CardLines(std::string_view card) {
  std::vector<std::string_view> lines;
  std::size_t at = 0;
  while (true) {
    const std::size_t end = card.find(kLineEnd, at);
    lines.push_back(card.substr(at, end == std::string_view::npos ? std::string_view::npos : end - at));
    if (end == std::string_view::npos) return lines;
    at = end + kLineEnd.size();
  }
}

CardReading Refused(std::string_view problem) { return {std::nullopt, std::string(problem)}; }

}  // namespace

CardReading ReadCard(std::string_view text) {
  const std::vector<std::string_view> lines = CardLines(text);
  // Empty, or the continuation marks of an empty stored card ("Multiple Lines" before any update).
  bool empty = lines.front().empty();
  for (std::size_t i = 1; i < lines.size(); ++i) empty = empty && (lines[i].empty() || lines[i] == "+");
  if (empty) return Refused(kNoCardText);
  for (const std::string_view line : lines) {
    if (HasControlCharacter(line)) return Refused(kCardControlCharacterText);
  }
  // The card's parameters as one text: the first line after the opening, then each "+" line.
  const std::string_view first = lines.front();
  const std::size_t type = first.find(kCardType, kCardOpening.size());
  if (!first.starts_with(kCardOpening) || type == std::string_view::npos) return Refused(kNotACardText);
  std::string body(first.substr(type + kCardType.size()));
  for (std::size_t i = 1; i < lines.size(); ++i) {
    if (!lines[i].starts_with('+')) return Refused(kNotACardText);
    body.append(" ").append(lines[i].substr(1));
  }
  CardParts card;
  card.modelName = first.substr(kCardOpening.size(), type - kCardOpening.size());
  if (auto problem = NgspiceModelNameProblem(card.modelName)) return Refused(*problem);
  // One pair of parentheses: the card's own, closed at its very end.
  if (!body.ends_with(')')) return Refused(kNotACardText);
  body.pop_back();
  if (!ParenthesesBalance(body)) return Refused(kCardParenthesesText);
  std::size_t at = 0;
  while (at < body.size()) {
    const std::size_t end = std::min(body.find(' ', at), body.size());
    const std::string_view token = std::string_view(body).substr(at, end - at);
    at = end + 1;
    if (token.empty()) continue;
    if (AsciiLower(token) == kPChannelWord) {
      card.pChannel = true;
    } else if (IsReadableParameter(token)) {
      // ngspice takes the last of two values of one parameter, the model's own curves the
      // first: the card would simulate otherwise than it is checked.
      const std::string_view key = token.substr(0, token.find('='));
      if (std::any_of(card.parameters.begin(), card.parameters.end(), [&](const std::string& earlier) {
            return SameKey(std::string_view(earlier).substr(0, earlier.find('=')), key);
          }))
        return Refused(CardDuplicateKeyText(key));
      card.parameters.emplace_back(token);
    } else {
      return Refused(std::string(kCardUnreadableOpening) + std::string(token) +
                     std::string(kCardUnreadableClosing));
    }
  }
  return {std::move(card), {}};
}

std::optional<std::string_view> NgspiceModelNameProblem(std::string_view name) {
  if (name.empty() || std::any_of(name.begin(), name.end(), [](char c) {
        return IsControl(c) || kNameBreakers.find(c) != std::string_view::npos;
      }))
    return kCardModelNameText;
  if (name.size() > kMostModelNameBytes) return kCardModelNameLengthText;
  if (kNameStartBreakers.find(name.front()) != std::string_view::npos) return kCardModelNameStartText;
  if (ReadsAsNumber(name)) return kCardNumberNameText;
  if (AsciiLower(name).find(kVdmosWord) != std::string::npos) return kCardVdmosNameText;
  return std::nullopt;
}

std::string DistinctModelName(std::string_view base, std::string_view cardModel) {
  return AsciiLower(base) == AsciiLower(cardModel) ? std::string(base) + "_" : std::string(base);
}

std::optional<std::string> CardModelName(const CardTexts& card) {
  const std::string_view first = card.segment1;
  if (!first.starts_with(kCardOpening)) return std::nullopt;
  const std::size_t type = first.find(kCardType, kCardOpening.size());
  if (type == std::string_view::npos) return std::nullopt;
  return std::string(first.substr(kCardOpening.size(), type - kCardOpening.size()));
}

bool CardIsPChannel(const CardTexts& card) {
  // The mark ends segment 3, before the closing parenthesis unless a temperature line follows.
  std::string_view third = card.segment3;
  if (card.segment4.empty() && third.ends_with(')')) third.remove_suffix(1);
  return third.ends_with(kPChannelSuffix);
}

std::optional<std::string> CardProblem(const CardTexts& card) {
  for (const std::string* segment : {&card.segment1, &card.segment2, &card.segment3, &card.segment4}) {
    if (HasControlCharacter(*segment)) return std::string(kCardControlCharacterText);
  }
  CardReading reading = ReadCard(ThreeLineCard(card));
  if (reading.card) return std::nullopt;
  return std::move(reading.problem);
}

namespace {

struct TokenSpan {
  std::size_t begin = 0, end = 0;  ///< "KEY=VALUE", without the space after it
};

/// Where the parameter `key` stands in the card text: it starts a line's text, or follows a
/// space, the card's opening parenthesis or a continuation mark, and ends at a space, the
/// closing parenthesis or the line's end.
std::optional<TokenSpan> FindParameter(std::string_view text, std::string_view key) {
  const std::string wanted = AsciiLower(key) + "=";
  const std::string lower = AsciiLower(text);
  for (std::size_t at = lower.find(wanted); at != std::string::npos; at = lower.find(wanted, at + 1)) {
    if (at > 0 && std::string_view(" (+\n").find(lower[at - 1]) == std::string_view::npos) continue;
    return TokenSpan{at, std::min(lower.find_first_of(" )\r\n", at), lower.size())};
  }
  return std::nullopt;
}

}  // namespace

std::optional<double> CardTextValue(std::string_view text, std::string_view key) {
  const std::optional<TokenSpan> token = FindParameter(text, key);
  if (!token) return std::nullopt;
  try {
    return EngineeringReading(
        text.substr(token->begin + key.size() + 1, token->end - token->begin - key.size() - 1));
  } catch (const ArithmeticFault&) {
    return std::nullopt;
  }
}

std::string CardWithoutParameter(std::string_view text, std::string_view key) {
  std::optional<TokenSpan> token = FindParameter(text, key);
  if (!token) return std::string(text);
  if (token->end < text.size() && text[token->end] == ' ') {
    ++token->end;
  } else if (token->begin > 0 && text[token->begin - 1] == ' ') {
    --token->begin;
  }
  return std::string(text.substr(0, token->begin)).append(text.substr(token->end));
}

std::string CardWithParameterValue(std::string_view text, std::string_view key, std::string_view value) {
  const std::optional<TokenSpan> token = FindParameter(text, key);
  if (!token) return std::string(text);
  const std::size_t valueAt = token->begin + key.size() + 1;
  return std::string(text.substr(0, valueAt)).append(value).append(text.substr(token->end));
}

ModelParameterSet ParametersAsPrinted(const ModelParameterSet& params, const CardTexts& card) {
  constexpr double kPico = 1e12, kNano = 1e9;  // the card writes pF and ns
  // The segments, which every netlist writes (the one-line form is what the card box shows).
  const std::string text = card.segment1 + " " + card.segment2 + " " + card.segment3 + " " + card.segment4;
  ModelParameterSet printed = params;
  const auto take = [&](double& value, std::string_view key, double scale = 1) {
    if (const std::optional<double> read = CardTextValue(text, key)) value = *read * scale;
  };
  take(printed.KP, "KP");
  take(printed.RS, "RS");
  take(printed.RD, "RD");
  take(printed.RG, "RG");
  take(printed.VTO, "VTO");
  take(printed.LAMBDA, "LAMBDA");
  take(printed.CGDMAX, "CGDMAX", kPico);
  take(printed.CGDMIN, "CGDMIN", kPico);
  take(printed.CGS, "CGS", kPico);
  take(printed.TT, "TT", kNano);
  take(printed.a, "a");
  if (printed.KSUBTHRES) take(*printed.KSUBTHRES, "KSUBTHRES");
  return printed;
}

}  // namespace vdmos
