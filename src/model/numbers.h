#pragma once
// Numbers as text, in both directions. Field texts become numbers through the engineering
// reading (SPICE scale suffixes turned into an exponent first) or the plain reading; numbers
// become text through digit masks. Nothing here depends on the process locale: input never
// takes "," as a decimal separator and output always writes ".".

#include <cstddef>
#include <string>
#include <string_view>

namespace vdmos {

/// Replaces the first scale suffix found (searched in the fixed table order m u n p f k MEG
/// M U N P F K, case-sensitive) and everything after it by its exponent text. "m" and "M"
/// mean milli, except that a text containing "eg" gets "e6" (so "Meg"/"meg" are mega).
std::string SuffixToExponent(std::string_view text);

/// Replaces the first "," by ".".
std::string CommaToPoint(std::string_view text);

/// Reads the leading number of a text: blanks, tabs and line feeds are skipped anywhere, then
/// an optional sign, digits with at most one ".", an optional exponent ("E"/"e", sign,
/// digits), or "&H"/"&O" with a hexadecimal/octal integer. Reading stops at the first
/// character that cannot continue the number; no digit reads as 0. A value beyond the range
/// of a double throws ArithmeticFault (an overflow).
double ReadLeadingNumber(std::string_view text);

/// Where the leading-number reading of a text stopped, and whether it read a digit.
struct NumberScan {
  double value = 0;     ///< what ReadLeadingNumber gives
  std::size_t end = 0;  ///< the characters the number took, blanks after it included
  bool sawDigit = false;
};
/// ReadLeadingNumber, telling also how much of the text the number took.
NumberScan ScanLeadingNumber(std::string_view text);

/// The engineering reading: ReadLeadingNumber(SuffixToExponent(text)).
double EngineeringReading(std::string_view text);

/// The plain reading: ReadLeadingNumber(text), suffixes not interpreted.
double PlainReading(std::string_view text);

/// The gate resistance window's reading: the longest leading part of the text that forms a
/// plain decimal number with "." ("5,5" gives 5, "-" gives 0). No suffixes, no "&H"/"&O".
/// Throws ArithmeticFault on overflow.
double PlainDecimalReading(std::string_view text);

/// Formats a value with a digit mask ("0", "0#", "0.0#", "0.00#", "0.0##", "0.000#",
/// "0.0###", "0.0####", "0.0#####", or any mask of "0", "#" and one ".") or the named mask
/// "SCIENTIFIC". Rounds half away from zero at the mask's last digit, judged on the value's
/// 15-significant-digit decimal form. Always writes "."; a value that rounds to zero has no
/// minus sign. In a digit mask the leftmost "0" before the point sets the least number of
/// integer digits, the last "0" after it the least number of decimals. A value that is not
/// finite (which checked arithmetic never hands on) prints as "NaN", "Inf" or "-Inf". A mask
/// of other characters is a programming error and throws std::invalid_argument.
std::string FormatMask(double value, std::string_view mask);

/// The card number text: the mask, then CommaToPoint.
std::string CardNumberText(double value, std::string_view mask);

/// The general decimal text of a number: as many significant digits as needed, at most 15,
/// no thousands separators, "." as decimal point; very large or small values in the form
/// "1E+15" / "1E-05" (fixed notation from 1e-5 up to, not including, 1e15). Not finite:
/// "NaN", "Inf", "-Inf".
std::string DefaultNumberText(double value);

/// The value with four significant digits in plain decimal form, trailing zeros dropped but
/// one decimal kept below 1000 ("3.0", "6.497", "0.0016", "5561"); a value of 10000 or more
/// keeps all its integer digits. 0 is "0.0"; a value that is not finite prints as FormatMask.
std::string FourSignificantText(double value);

/// The default number text preceded by one blank when the value is not negative
/// (630 gives " 630").
std::string SimpleNumberText(double value);

}  // namespace vdmos
