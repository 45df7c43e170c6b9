#include "model/numbers.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <limits>
#include <locale>
#include <stdexcept>
#include <string>

#include "extract/checked_math.h"

namespace vdmos {
namespace {

struct TextToText {
  std::string input;
  std::string expected;
};

struct TextToNumber {
  std::string input;
  double expected;
};

struct NumberToText {
  double value;
  std::string expected;
};

struct MaskRow {
  double value;
  std::string mask;
  std::string expected;
};

TEST(SuffixToExponent, ReplacesTheFirstTableEntryFoundAndDropsTheRest) {
  const TextToText rows[] = {
      {"540m", "540e-3"},
      {"1meg", "1e6"},         // "m" with "eg" in the text is mega
      {"1Meg", "1e6"},         // so is "M"
      {"1MEG", "1e6"},
      {"1M", "1e-3"},          // "M" is milli
      {"1MEg", "1e-3"},        // the "eg" test is made in lower case only
      {"10uF", "10e-6"},       // the unit after the suffix is dropped
      {"4.7nF", "4.7e-9"},
      {"2F", "2e-15"},         // "F" is femto
      {"3p3", "3e-12"},        // digits after the suffix are lost
      {"7K", "7e3"},
      {"2N", "2e-9"},
      {"1U", "1e-6"},
      {"1P", "1e-12"},
      {"1.2kOhm", "1.2kOhe-3"},  // table order, not position: "m" is tried before "k"
      {"5nu", "5ne-6"},
      {"5 mA", "5 e-3"},
      {"m", "e-3"},
      {"1e-3", "1e-3"},         // no suffix: unchanged
      {"", ""},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.input);
    EXPECT_EQ(SuffixToExponent(row.input), row.expected);
  }
}

TEST(CommaToPoint, ReplacesOnlyTheFirstComma) {
  const TextToText rows[] = {{"1,50", "1.50"}, {"1.50", "1.50"}, {"1,2,3", "1.2,3"}, {"", ""}};
  for (const auto& row : rows) {
    SCOPED_TRACE(row.input);
    EXPECT_EQ(CommaToPoint(row.input), row.expected);
  }
}

TEST(EngineeringReading, ReadsSuffixedFieldTexts) {
  const TextToNumber rows[] = {
      {"540m", 0.54}, {"160m", 0.16},   {"1.2", 1.2},     {"", 0},          {"abc", 0},
      {"1meg", 1e6},  {"1Meg", 1e6},    {"1MEG", 1e6},    {"1M", 0.001},    {"10uF", 1e-5},
      {"4.7nF", 4.7e-9}, {"2F", 2e-15}, {"3p3", 3e-12},   {"160mOhm", 0.16}, {"1.2kOhm", 1.2},
      {"5 mA", 0.005}, {"m", 0},        {"1e-3", 0.001},  {"2E3", 2000},    {"2,5", 2},
      {"1.234,5", 1.234},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.input);
    EXPECT_EQ(EngineeringReading(row.input), row.expected);
  }
}

TEST(PlainReading, IgnoresSuffixes) {
  const TextToNumber rows[] = {{"2.4n", 2.4}, {"630V", 630}, {"1k", 1}, {"2,5", 2}, {"-30", -30}};
  for (const auto& row : rows) {
    SCOPED_TRACE(row.input);
    EXPECT_EQ(PlainReading(row.input), row.expected);
  }
}

TEST(ReadLeadingNumber, FollowsTheLeadingNumberRules) {
  const TextToNumber rows[] = {
      {"1 2", 12},            // blanks are skipped inside the number too
      {"5 e-3", 0.005},
      {" \t-\n4 . 5", -4.5},  // tabs and line feeds as well
      {"\r5", 0},             // a carriage return is not a blank
      {"+3", 3},
      {"-.5", -0.5},
      {".5", 0.5},
      {".", 0},
      {"1.2.3", 1.2},         // a second point ends the number
      {"1e", 1},              // an "e" without digits ends the number
      {"1e-", 1},
      {"1e+x", 1},
      {"1E+2", 100},
      {"e5", 0},              // no digit before the exponent
      {"2,5", 2},             // "," is never a decimal separator
      {"&H1F", 31},
      {"&hff", 255},
      {"&O17", 15},
      {"&o8", 0},             // 8 is not an octal digit
      {"&H", 0},
      {"&X1", 0},
      {"0e99999", 0},         // zero stays zero whatever its exponent
      {"1e-999", 0},          // underflow reads as zero
      {"4.9406564584124654e-324", std::numeric_limits<double>::denorm_min()},
      {"1.7976931348623157e308", std::numeric_limits<double>::max()},
      {"0.1", 0.1},
      {"9007199254740993", 9007199254740992.0},  // exactly half way: rounds to even
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.input);
    EXPECT_EQ(ReadLeadingNumber(row.input), row.expected);
  }
}

TEST(ReadLeadingNumber, NoDigitReadsAsPositiveZero) {
  for (const char* text : {"-", "-0", "- x", "-0.000"}) {
    SCOPED_TRACE(text);
    const double value = ReadLeadingNumber(text);
    EXPECT_EQ(value, 0);
    EXPECT_FALSE(std::signbit(value));
  }
}

TEST(ReadLeadingNumber, RoundsLongDigitStringsCorrectly) {
  // A non-zero digit far beyond the first few hundred decides the rounding of a half-way value.
  const std::string halfWay = "9007199254740993." + std::string(900, '0');
  EXPECT_EQ(ReadLeadingNumber(halfWay), 9007199254740992.0);
  EXPECT_EQ(ReadLeadingNumber(halfWay + "1"), 9007199254740994.0);
  EXPECT_EQ(ReadLeadingNumber("1" + std::string(2000, '0') + "e-2000"), 1.0);
  EXPECT_EQ(ReadLeadingNumber("0." + std::string(1000, '0') + "1e1000"), 0.1);
  EXPECT_EQ(ReadLeadingNumber("0." + std::string(1000, '0') + "1"), 0.0);
}

TEST(ReadLeadingNumber, OverflowIsAnArithmeticFault) {
  for (const std::string& text : {std::string("1e999"), std::string("-1e999"), std::string("1.8e308"),
                                  std::string(400, '9'), std::string("1e99999999999999999999999"),
                                  "&H" + std::string(300, 'F'), "&O" + std::string(400, '7')}) {
    SCOPED_TRACE(text.substr(0, 30));
    EXPECT_THROW(ReadLeadingNumber(text), ArithmeticFault);
  }
  EXPECT_THROW(EngineeringReading("1e999"), ArithmeticFault);
  EXPECT_THROW(PlainDecimalReading("1e999"), ArithmeticFault);
}

TEST(ReadLeadingNumber, HostileTextsNeitherCrashNorHang) {
  const std::size_t size = 1 << 20;
  EXPECT_EQ(ReadLeadingNumber(std::string(size, ' ')), 0);
  EXPECT_EQ(ReadLeadingNumber("1." + std::string(size, '0')), 1);
  EXPECT_EQ(ReadLeadingNumber("0." + std::string(size, '0') + "5e" + std::to_string(size)), 0.5);
  EXPECT_EQ(ReadLeadingNumber(std::string(size, '-')), 0);
  EXPECT_EQ(EngineeringReading(std::string(size, 'm')), 0);
  EXPECT_EQ(EngineeringReading(std::string(size, 'E')), 0);
  EXPECT_EQ(ReadLeadingNumber(std::string("7\0" "8", 3)), 7);
  EXPECT_EQ(ReadLeadingNumber("\xC2\xB5" "5"), 0);
  EXPECT_THROW(ReadLeadingNumber(std::string(size, '1')), ArithmeticFault);
}

TEST(PlainDecimalReading, ReadsOnlyALeadingDecimalNumber) {
  const TextToNumber rows[] = {
      {"5,5", 5},    {"-", 0},     {"", 0},         {"  3.5", 3.5}, {"3 5", 3},  // no blanks inside
      {"1k", 1},     {"&H10", 0},  {"-2.5e1", -25}, {"1e", 1},      {"..5", 0},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.input);
    EXPECT_EQ(PlainDecimalReading(row.input), row.expected);
  }
}

TEST(FormatMask, PrintsEveryMaskOfTheTable) {
  const MaskRow rows[] = {
      {5561.4, "0", "5561"},         {720, "0#", "720"},          {5, "0#", "05"},
      {2, "0.0#", "2.0"},            {1.234, "0.0#", "1.23"},     {0.5, "0.0#", "0.5"},
      {1.5, "0.00#", "1.50"},        {0.7972, "0.0##", "0.797"},  {12, "0.000#", "12.000"},
      {2, "0.000#", "2.000"},        {0.12344, "0.000#", "0.1234"}, {0.0061, "0.0###", "0.0061"},
      {0.5, "0.0####", "0.5"},       {0.0123456, "0.0#####", "0.012346"},
      {1.2345e-12, "SCIENTIFIC", "1.23E-12"}, {4500, "SCIENTIFIC", "4.50E+03"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.mask + " " + row.expected);
    EXPECT_EQ(FormatMask(row.value, row.mask), row.expected);
    EXPECT_EQ(CardNumberText(row.value, row.mask), row.expected);
  }
}

TEST(FormatMask, RoundsHalfAwayFromZeroOnFifteenDigits) {
  const MaskRow rows[] = {
      {1.005, "0.00", "1.01"},          // binary 1.00499999...: the visible digits decide
      {2.675, "0.0#", "2.68"},
      {-2.675, "0.0#", "-2.68"},
      {0.45, "0.0", "0.5"},
      {0.5, "0", "1"},
      {-0.5, "0", "-1"},
      {2.5, "0", "3"},                  // not to even
      {0.4999, "0", "0"},
      {9.995, "0.0#", "10.0"},          // the carry adds an integer digit
      {0.99995, "0.000#", "1.000"},
      {1.2344999, "0.000#", "1.2345"},
      {1.235, "SCIENTIFIC", "1.24E+00"},
      {9.999e5, "SCIENTIFIC", "1.00E+06"},  // the carry moves the exponent
      {-1.2345e-12, "SCIENTIFIC", "-1.23E-12"},
      {1e100, "SCIENTIFIC", "1.00E+100"},
      {1.47e-8, "SCIENTIFIC", "1.47E-08"},
      {1e20, "0", "100000000000000000000"},
      {123456789012345678.0, "0", "123456789012346000"},
      {0.0004, "0.00#", "0.00"},
      {0.0015, "0.00#", "0.002"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.mask + " " + row.expected);
    EXPECT_EQ(FormatMask(row.value, row.mask), row.expected);
  }
}

TEST(FormatMask, IntegerAndDecimalDigitCountsFollowTheZeros) {
  const MaskRow rows[] = {
      {5, "00.0", "05.0"}, {5, "#0.0", "5.0"}, {0.5, "#.0", ".5"}, {1.5, "0.#0", "1.50"}, {1.25, "0.#", "1.3"},
      {12.5, "0.##", "12.5"}, {0, "0.0#", "0.0"}, {7, "0", "7"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.mask + " " + row.expected);
    EXPECT_EQ(FormatMask(row.value, row.mask), row.expected);
  }
}

TEST(FormatMask, ValuesThatRoundToZeroHaveNoSign) {
  const MaskRow rows[] = {
      {-0.0, "0.0#", "0.0"},   {-0.001, "0.0#", "0.0"}, {-0.4, "0", "0"},
      {-1e-300, "0.0#####", "0.0"}, {-0.0, "SCIENTIFIC", "0.00E+00"}, {0, "SCIENTIFIC", "0.00E+00"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.mask + " " + row.expected);
    EXPECT_EQ(FormatMask(row.value, row.mask), row.expected);
  }
}

TEST(FormatMask, NonFiniteValuesGiveAFixedText) {
  const double inf = std::numeric_limits<double>::infinity();
  EXPECT_EQ(FormatMask(std::nan(""), "0.0#"), "NaN");
  EXPECT_EQ(FormatMask(inf, "SCIENTIFIC"), "Inf");
  EXPECT_EQ(FormatMask(-inf, "0"), "-Inf");
  EXPECT_EQ(DefaultNumberText(-inf), "-Inf");
  EXPECT_EQ(SimpleNumberText(inf), " Inf");
}

TEST(FormatMask, RejectsMasksOfOtherCharacters) {
  for (const char* mask : {"", "0,00", "0.0.0", "scientific", "0.0E+00"}) {
    SCOPED_TRACE(mask);
    EXPECT_THROW(FormatMask(1, mask), std::invalid_argument);
  }
}

TEST(DefaultNumberText, UsesFixedNotationFromOneE5ToOneE15) {
  const NumberToText rows[] = {
      {0.0004, "0.0004"},  {3400, "3400"},      {20.7, "20.7"},          {0, "0"},
      {-0.0, "0"},         {-70, "-70"},        {1e-5, "0.00001"},       {2.5e-5, "0.000025"},
      {1e-6, "1E-06"},     {-1.5e-7, "-1.5E-07"}, {1e15, "1E+15"},       {1.5e15, "1.5E+15"},
      {1e100, "1E+100"},   {999999999999999.0, "999999999999999"},
      {999999999999999.9, "1E+15"},              // rounding to 15 digits crosses the limit
      {123456789012345.6, "123456789012346"},    {0.1 + 0.2, "0.3"},
      {1.0 / 3, "0.333333333333333"},            {-1e-300, "-1E-300"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.expected);
    EXPECT_EQ(DefaultNumberText(row.value), row.expected);
  }
}

TEST(SimpleNumberText, PrefixesABlankUnlessNegative) {
  const NumberToText rows[] = {{630, " 630"}, {29.5, " 29.5"}, {-30, "-30"}, {0, " 0"}, {-0.0, " 0"}};
  for (const auto& row : rows) {
    SCOPED_TRACE(row.expected);
    EXPECT_EQ(SimpleNumberText(row.value), row.expected);
  }
}

/// Switches the process to a comma-decimal locale and back to "C" on leaving, even when a
/// check fails.
class CommaLocale {
 public:
  CommaLocale() {
    applied_ = std::setlocale(LC_ALL, "de_DE.UTF-8") != nullptr;
    if (applied_) std::locale::global(std::locale("de_DE.UTF-8"));
  }
  ~CommaLocale() {
    std::setlocale(LC_ALL, "C");
    std::locale::global(std::locale::classic());
  }
  bool applied() const { return applied_; }

 private:
  bool applied_ = false;
};

TEST(NumbersUnderACommaLocale, ReadAndFormatExactlyAsUnderC) {
  CommaLocale locale;
  ASSERT_TRUE(locale.applied()) << "the de_DE.UTF-8 locale is missing (scripts/install-deps.sh generates it)";
  ASSERT_STREQ(std::localeconv()->decimal_point, ",");

  EXPECT_EQ(EngineeringReading("540m"), 0.54);
  EXPECT_EQ(ReadLeadingNumber("2,5"), 2);
  EXPECT_EQ(ReadLeadingNumber("1.5e-3"), 0.0015);
  EXPECT_EQ(PlainDecimalReading("5,5"), 5);
  EXPECT_EQ(FormatMask(0.5, "0.0#"), "0.5");
  EXPECT_EQ(FormatMask(1.2345e-12, "SCIENTIFIC"), "1.23E-12");
  EXPECT_EQ(FormatMask(1234567.891, "0.00#"), "1234567.891");
  EXPECT_EQ(DefaultNumberText(20.7), "20.7");
  EXPECT_EQ(DefaultNumberText(1.5e15), "1.5E+15");
  EXPECT_EQ(SimpleNumberText(29.5), " 29.5");
}

}  // namespace
}  // namespace vdmos
