#include "model/numbers.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <stdexcept>
#include <system_error>

#include "model/checked_math.h"

namespace vdmos {
namespace {

// ---------------------------------------------------------------------------------------
// Reading

struct Suffix {
  std::string_view letters;
  std::string_view exponent;
  bool megaWhenEg;  // "m" and "M" are milli, but "Meg"/"meg" (any text holding "eg") is mega
};

// Table order decides which suffix wins, not the position in the text.
constexpr std::array<Suffix, 13> kSuffixes{{
    {"m", "e-3", true},
    {"u", "e-6", false},
    {"n", "e-9", false},
    {"p", "e-12", false},
    {"f", "e-15", false},
    {"k", "e3", false},
    {"MEG", "e6", false},
    {"M", "e-3", true},
    {"U", "e-6", false},
    {"N", "e-9", false},
    {"P", "e-12", false},
    {"F", "e-15", false},
    {"K", "e3", false},
}};

/// Walks a text character by character; the leading-number reading skips blanks, tabs and
/// line feeds everywhere, the plain decimal reading only before the number.
class Cursor {
 public:
  Cursor(std::string_view text, bool skipBlanksInside) : text_(text), skipInside_(skipBlanksInside) {
    SkipBlanks();
  }
  /// The current character, or '\0' at the end.
  char Peek() const { return pos_ < text_.size() ? text_[pos_] : '\0'; }
  void Advance() {
    ++pos_;
    if (skipInside_) SkipBlanks();
  }
  std::size_t Position() const { return pos_; }
  void Restore(std::size_t position) { pos_ = position; }

 private:
  static bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\n'; }
  void SkipBlanks() {
    while (pos_ < text_.size() && IsBlank(text_[pos_])) ++pos_;
  }
  std::string_view text_;
  bool skipInside_;
  std::size_t pos_ = 0;
};

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

int HexDigitValue(char c) {
  if (IsDigit(c)) return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

int OctalDigitValue(char c) { return c >= '0' && c <= '7' ? c - '0' : -1; }

[[noreturn]] void ThrowOverflow() { throw ArithmeticFault("overflow while reading a number"); }

/// "&H"/"&O" integers: the cursor stands after the prefix.
double ReadRadixInteger(Cursor& cursor, int radix) {
  double value = 0;
  for (;;) {
    const int digit = radix == 16 ? HexDigitValue(cursor.Peek()) : OctalDigitValue(cursor.Peek());
    if (digit < 0) return value;
    value = value * radix + digit;
    if (std::isinf(value)) ThrowOverflow();
    cursor.Advance();
  }
}

/// Significant digits of a decimal number and the power of ten of the last one.
struct DecimalDigits {
  // Enough digits to decide the correct rounding of any double; beyond them only whether
  // a non-zero digit was dropped matters, which one sticky digit records.
  static constexpr std::size_t kMaxDigits = 800;
  std::string digits;      // no leading zeros
  std::int64_t scale = 0;  // value = digits * 10^scale
  bool droppedNonZero = false;
  bool sawDigit = false;

  void Add(char digit, bool fraction) {
    sawDigit = true;
    if (digits.empty() && digit == '0') {
      if (fraction) --scale;
      return;
    }
    if (digits.size() < kMaxDigits) {
      digits.push_back(digit);
      if (fraction) --scale;
    } else {
      droppedNonZero |= digit != '0';
      if (!fraction) ++scale;
    }
  }
};

/// Reads digits, one optional ".", and an optional exponent whose "e" counts only when a
/// digit follows it (after an optional sign).
DecimalDigits ReadDecimal(Cursor& cursor) {
  DecimalDigits number;
  bool fraction = false;
  for (;;) {
    const char c = cursor.Peek();
    if (IsDigit(c)) {
      number.Add(c, fraction);
    } else if (c == '.' && !fraction) {
      fraction = true;
    } else {
      break;
    }
    cursor.Advance();
  }
  if (!number.sawDigit || (cursor.Peek() != 'e' && cursor.Peek() != 'E')) return number;

  const std::size_t beforeExponent = cursor.Position();
  cursor.Advance();
  bool negativeExponent = false;
  if (cursor.Peek() == '+' || cursor.Peek() == '-') {
    negativeExponent = cursor.Peek() == '-';
    cursor.Advance();
  }
  if (!IsDigit(cursor.Peek())) {
    cursor.Restore(beforeExponent);
    return number;
  }
  // Saturates: any exponent this large already over- or underflows every digit string.
  constexpr std::int64_t kExponentCap = 1'000'000'000;
  std::int64_t exponent = 0;
  while (IsDigit(cursor.Peek())) {
    if (exponent < kExponentCap) exponent = exponent * 10 + (cursor.Peek() - '0');
    cursor.Advance();
  }
  number.scale += negativeExponent ? -exponent : exponent;
  return number;
}

double ToDouble(DecimalDigits number) {
  if (number.digits.empty()) return 0;
  const std::int64_t magnitude = number.scale + static_cast<std::int64_t>(number.digits.size());
  if (magnitude > 310) ThrowOverflow();
  if (magnitude < -330) return 0;  // below the smallest subnormal: underflows to zero
  if (number.droppedNonZero) {
    number.digits.push_back('1');
    --number.scale;
  }
  std::string text = std::move(number.digits);
  text += 'e';
  text += std::to_string(number.scale);
  double value = 0;
  const auto result = std::from_chars(text.data(), text.data() + text.size(), value);
  if (result.ec == std::errc::result_out_of_range) {
    if (magnitude > 0) ThrowOverflow();
    return 0;
  }
  if (result.ec != std::errc() || std::isinf(value)) ThrowOverflow();
  return value;
}

NumberScan ScanNumber(std::string_view text, bool skipBlanksInside, bool allowRadix) {
  Cursor cursor(text, skipBlanksInside);
  if (allowRadix && cursor.Peek() == '&') {
    cursor.Advance();
    const char kind = cursor.Peek();
    const int radix = kind == 'H' || kind == 'h' ? 16 : kind == 'O' || kind == 'o' ? 8 : 0;
    if (radix == 0) return {0, cursor.Position(), false};
    cursor.Advance();
    const std::size_t digitsFrom = cursor.Position();
    const double value = ReadRadixInteger(cursor, radix);
    return {value, cursor.Position(), cursor.Position() > digitsFrom};
  }
  bool negative = false;
  if (cursor.Peek() == '+' || cursor.Peek() == '-') {
    negative = cursor.Peek() == '-';
    cursor.Advance();
  }
  const DecimalDigits digits = ReadDecimal(cursor);
  const bool sawDigit = digits.sawDigit;
  const double magnitude = ToDouble(digits);
  // "-" alone or "-0" reads as a plain zero, not as a negative zero that would print "-0".
  return {negative && magnitude != 0 ? -magnitude : magnitude, cursor.Position(), sawDigit};
}

double ReadNumber(std::string_view text, bool skipBlanksInside, bool allowRadix) {
  return ScanNumber(text, skipBlanksInside, allowRadix).value;
}

// ---------------------------------------------------------------------------------------
// Formatting

/// A finite value as 15 significant decimal digits: |value| = 0.d1d2...d15 * 10^pointPos,
/// i.e. pointPos digits stand before the decimal point (zero or negative for |value| < 0.1).
struct RoundedDigits {
  bool negative = false;
  std::string digits;  // empty for zero
  int pointPos = 0;
};

RoundedDigits FifteenDigits(double value) {
  RoundedDigits result;
  result.negative = std::signbit(value);
  if (value == 0) return result;
  std::array<char, 40> buffer{};
  const auto written = std::to_chars(buffer.data(), buffer.data() + buffer.size(), std::fabs(value),
                                     std::chars_format::scientific, 14);
  const std::string_view text(buffer.data(), static_cast<std::size_t>(written.ptr - buffer.data()));
  // text is "d.dddddddddddddde[+-]xx"
  const std::size_t e = text.find('e');
  result.digits.push_back(text[0]);
  result.digits.append(text.substr(2, e - 2));
  int exponent = 0;
  const char* expBegin = text.data() + e + 1;
  if (*expBegin == '+') ++expBegin;
  std::from_chars(expBegin, text.data() + text.size(), exponent);
  result.pointPos = exponent + 1;
  return result;
}

/// Keeps the digits down to the power of ten 10^-decimals, rounding half away from zero on
/// the digit text.
void RoundToDecimals(RoundedDigits& number, int decimals) {
  const long keep = static_cast<long>(number.pointPos) + decimals;
  if (number.digits.empty() || keep >= static_cast<long>(number.digits.size())) return;
  if (keep < 0) {
    number.digits.clear();
    return;
  }
  const bool roundUp = number.digits[static_cast<std::size_t>(keep)] >= '5';
  number.digits.resize(static_cast<std::size_t>(keep));
  if (roundUp) {
    std::size_t i = number.digits.size();
    while (i > 0 && number.digits[i - 1] == '9') number.digits[--i] = '0';
    if (i == 0) {
      number.digits.insert(number.digits.begin(), '1');
      ++number.pointPos;
    } else {
      ++number.digits[i - 1];
    }
  }
  while (!number.digits.empty() && number.digits.back() == '0') number.digits.pop_back();
  if (number.digits.empty()) number.pointPos = 0;
}

/// A digit of the digit text by index, with the zeros that stand implicitly before and after it.
char DigitAt(const RoundedDigits& number, long index) {
  if (index < 0 || index >= static_cast<long>(number.digits.size())) return '0';
  return number.digits[static_cast<std::size_t>(index)];
}

std::string NonFiniteText(double value) {
  if (std::isnan(value)) return "NaN";
  return value < 0 ? "-Inf" : "Inf";
}

struct Mask {
  int minInteger = 0;
  int minDecimals = 0;
  int maxDecimals = 0;
};

Mask ParseMask(std::string_view mask) {
  const std::size_t point = mask.find('.');
  const std::string_view integerPart = mask.substr(0, point);
  const std::string_view fractionPart =
      point == std::string_view::npos ? std::string_view() : mask.substr(point + 1);
  if (mask.empty() || integerPart.find_first_not_of("0#") != std::string_view::npos ||
      fractionPart.find_first_not_of("0#") != std::string_view::npos)
    throw std::invalid_argument("unsupported digit mask: " + std::string(mask));
  Mask result;
  const std::size_t firstZero = integerPart.find('0');
  if (firstZero != std::string_view::npos)
    result.minInteger = static_cast<int>(integerPart.size() - firstZero);
  const std::size_t lastZero = fractionPart.rfind('0');
  if (lastZero != std::string_view::npos) result.minDecimals = static_cast<int>(lastZero + 1);
  result.maxDecimals = static_cast<int>(fractionPart.size());
  return result;
}

/// Appends "E", the exponent's sign and at least two exponent digits.
void AppendExponent(std::string& text, int exponent) {
  text += exponent < 0 ? "E-" : "E+";
  const int magnitude = exponent < 0 ? -exponent : exponent;
  if (magnitude < 10) text += '0';
  text += std::to_string(magnitude);
}

std::string FormatScientific(double value) {
  RoundedDigits number = FifteenDigits(value);
  if (number.digits.empty()) return "0.00E+00";
  // Two decimals of a mantissa with one integer digit; a carry (9.995) moves the exponent.
  RoundToDecimals(number, 3 - number.pointPos);
  std::string text = number.negative ? "-" : "";
  text += DigitAt(number, 0);
  text += '.';
  text += DigitAt(number, 1);
  text += DigitAt(number, 2);
  AppendExponent(text, number.pointPos - 1);
  return text;
}

/// Writes rounded digits in fixed notation with the mask's digit counts.
std::string FixedText(const RoundedDigits& number, const Mask& mask) {
  std::string text;
  if (number.negative && !number.digits.empty()) text += '-';
  const int integerDigits = std::max(number.pointPos, mask.minInteger);
  for (int i = 0; i < integerDigits; ++i) text += DigitAt(number, number.pointPos - integerDigits + i);
  int decimals = mask.maxDecimals;
  while (decimals > mask.minDecimals && DigitAt(number, number.pointPos + decimals - 1) == '0') --decimals;
  if (decimals > 0) {
    text += '.';
    for (int i = 0; i < decimals; ++i) text += DigitAt(number, number.pointPos + i);
  }
  return text;
}

}  // namespace

std::string SuffixToExponent(std::string_view text) {
  for (const Suffix& suffix : kSuffixes) {
    const std::size_t at = text.find(suffix.letters);
    if (at == std::string_view::npos) continue;
    std::string result(text.substr(0, at));
    const bool mega = suffix.megaWhenEg && text.find("eg") != std::string_view::npos;
    result += mega ? std::string_view("e6") : suffix.exponent;
    return result;
  }
  return std::string(text);
}

std::string CommaToPoint(std::string_view text) {
  std::string result(text);
  const std::size_t comma = result.find(',');
  if (comma != std::string::npos) result[comma] = '.';
  return result;
}

double ReadLeadingNumber(std::string_view text) { return ReadNumber(text, true, true); }

NumberScan ScanLeadingNumber(std::string_view text) { return ScanNumber(text, true, true); }

double EngineeringReading(std::string_view text) { return ReadLeadingNumber(SuffixToExponent(text)); }

double PlainReading(std::string_view text) { return ReadLeadingNumber(text); }

double PlainDecimalReading(std::string_view text) { return ReadNumber(text, false, false); }

std::string FormatMask(double value, std::string_view mask) {
  if (!std::isfinite(value)) return NonFiniteText(value);
  if (mask == "SCIENTIFIC") return FormatScientific(value);
  const Mask digitMask = ParseMask(mask);
  RoundedDigits number = FifteenDigits(value);
  RoundToDecimals(number, digitMask.maxDecimals);
  return FixedText(number, digitMask);
}

std::string FourSignificantText(double value) {
  if (value == 0 || !std::isfinite(value)) return FormatMask(value, "0.0");
  const int decimals = 3 - static_cast<int>(std::floor(std::log10(std::abs(value))));
  if (decimals <= 0) return FormatMask(value, "0");
  // Past a double's seventeen digits a value rounds to 0 anyway.
  const std::size_t hashes = static_cast<std::size_t>(std::min(decimals, 20) - 1);
  return FormatMask(value, "0.0" + std::string(hashes, '#'));
}

std::string CardNumberText(double value, std::string_view mask) {
  return CommaToPoint(FormatMask(value, mask));
}

std::string DefaultNumberText(double value) {
  if (!std::isfinite(value)) return NonFiniteText(value);
  RoundedDigits number = FifteenDigits(value);
  if (number.digits.empty()) return "0";
  while (number.digits.back() == '0') number.digits.pop_back();
  const int exponent = number.pointPos - 1;
  if (exponent >= -5 && exponent < 15) {
    const int decimals = std::max(0, static_cast<int>(number.digits.size()) - number.pointPos);
    return FixedText(number, Mask{1, 0, decimals});
  }
  std::string text = number.negative ? "-" : "";
  text += number.digits[0];
  if (number.digits.size() > 1) {
    text += '.';
    text.append(number.digits, 1);
  }
  AppendExponent(text, exponent);
  return text;
}

std::string SimpleNumberText(double value) {
  std::string text = DefaultNumberText(value);
  if (!text.starts_with('-')) text.insert(text.begin(), ' ');
  return text;
}

}  // namespace vdmos
