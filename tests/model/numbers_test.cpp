#include "model/numbers.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <limits>
#include <locale>
#include <stdexcept>
#include <string>

#include "model/checked_math.h"

namespace vdmos {
namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
/// Expected value of a reading that must throw ArithmeticFault.
constexpr double kOverflow = kNaN;

/// Every table runs under "C" and under a comma-decimal locale: nothing here may follow the
/// process locale. The locale goes back to "C" after each test, even when a check fails.
class Numbers : public testing::TestWithParam<const char*> {
 protected:
  void SetUp() override {
    ASSERT_NE(std::setlocale(LC_ALL, GetParam()), nullptr)
        << GetParam() << " is missing (scripts/install-deps.sh generates it)";
    std::locale::global(std::locale(GetParam()));
    if (GetParam() != std::string_view("C")) {
      ASSERT_STREQ(std::localeconv()->decimal_point, ",");
    }
  }
  void TearDown() override {
    std::setlocale(LC_ALL, "C");
    std::locale::global(std::locale::classic());
  }
};
INSTANTIATE_TEST_SUITE_P(Locales, Numbers, testing::Values("C", "de_DE.UTF-8"),
                         [](const auto& info) { return std::string(info.param).substr(0, 5); });

TEST_P(Numbers, EngineeringReadingTurnsTheFirstSuffixOfTheTableIntoAnExponent) {
  // clang-format off
  const struct {
    std::string input, exponentText;
    double value;
  } rows[] = {
      // "m" and "M" with "eg" in the text are mega, "MEG" too; the "eg" test is made in lower
      // case only, so "M" is milli otherwise.
      {"1meg", "1e6", 1e6}, {"1Meg", "1e6", 1e6}, {"1MEG", "1e6", 1e6}, {"1M", "1e-3", 0.001},
      {"1MEg", "1e-3", 0.001}, {"540m", "540e-3", 0.54}, {"m", "e-3", 0},
      // The first entry of the table found decides ("m" is tried before "k"), at its first
      // place, and everything from it on is dropped: units and digits alike. Blanks are skipped.
      {"1.2kOhm", "1.2kOhe-3", 1.2}, {"160mOhm", "160e-3", 0.16}, {"10uF", "10e-6", 1e-5},
      {"3p3", "3e-12", 3e-12}, {"5 mA", "5 e-3", 0.005},
      {"4.7n", "4.7e-9", 4.7e-9}, {"1f", "1e-15", 1e-15}, {"2k", "2e3", 2000}, {"1U", "1e-6", 1e-6},
      {"2N", "2e-9", 2e-9}, {"1P", "1e-12", 1e-12}, {"2F", "2e-15", 2e-15}, {"7K", "7e3", 7000},
      // No suffix: unchanged; "," is never a decimal separator.
      {"2E3", "2E3", 2000}, {"1.234,5", "1.234,5", 1.234}};
  // clang-format on
  for (const auto& row : rows) {
    SCOPED_TRACE(row.input);
    EXPECT_EQ(SuffixToExponent(row.input), row.exponentText);
    EXPECT_EQ(EngineeringReading(row.input), row.value);
  }
  EXPECT_EQ(CommaToPoint("1,2,3"), "1.2,3");  // the first only; the card numbers have none
}

TEST_P(Numbers, ReadingsFollowTheLeadingNumberRules) {
  using Reading = double (*)(std::string_view);
  const Reading Lead = ReadLeadingNumber, Plain = PlainReading, Decimal = PlainDecimalReading;
  const std::size_t huge = 1 << 20;
  const std::string halfWay = "9007199254740993." + std::string(900, '0');
  // clang-format off
  const struct {
    Reading read;
    std::string text;
    double expected;
  } rows[] = {
      // Blanks, tabs and line feeds are skipped everywhere, a carriage return is not a blank.
      {Lead, " \t-\n4 . 5", -4.5}, {Lead, "5 e-3", 0.005}, {Lead, "\r5", 0},
      // A second point, or an "e" without digits, ends the number; no digit gives positive 0.
      {Lead, "+3", 3}, {Lead, "-.5", -0.5}, {Lead, "1.2.3", 1.2}, {Lead, "1e-", 1}, {Lead, "1E+2", 100},
      {Lead, "e5", 0}, {Lead, ".", 0}, {Lead, "-", 0}, {Lead, "-0.000", 0},
      // Capital prefixes and digits read in the overflow rows below.
      {Lead, "&h1f", 31}, {Lead, "&o17", 15}, {Lead, "&O8", 0}, {Lead, "&H", 0}, {Lead, "&X1", 0},
      // Correctly rounded (exact halves to even), also when the deciding digit lies far
      // beyond a double's precision.
      {Lead, "0.1", 0.1}, {Lead, "9007199254740993", 9007199254740992.0}, {Lead, halfWay, 9007199254740992.0},
      {Lead, halfWay + "1", 9007199254740994.0}, {Lead, "1" + std::string(2000, '0') + "e-2000", 1},
      {Lead, "0." + std::string(1000, '0') + "1e1000", 0.1},
      // The range of a double: underflow reads as zero, overflow is a fault.
      {Lead, "0e99999", 0}, {Lead, "1e-999", 0},
      {Lead, "4.9406564584124654e-324", std::numeric_limits<double>::denorm_min()},
      {Lead, "1.7976931348623157e308", std::numeric_limits<double>::max()}, {Lead, "1.8e308", kOverflow},
      {Lead, "-1e999", kOverflow}, {Lead, "1e99999999999999999999999", kOverflow},
      {Lead, "&H" + std::string(300, 'F'), kOverflow}, {Lead, "&O" + std::string(400, '7'), kOverflow},
      // Hostile texts neither crash nor hang.
      {Lead, std::string(huge, ' '), 0}, {Lead, std::string(huge, '-'), 0},
      {Lead, "0." + std::string(huge, '0') + "5e" + std::to_string(huge), 0.5},
      {Lead, std::string(huge, '1'), kOverflow}, {Lead, std::string("7\0008", 3), 7}, {Lead, "\u00B55", 0},
      {EngineeringReading, std::string(huge, 'm'), 0},
      // The plain reading ignores suffixes; the gate window's reading takes a plain decimal
      // number, with blanks only before it.
      {Plain, "2.4n", 2.4}, {Plain, "1k", 1}, {Plain, "-30", -30},
      {Decimal, "  3.5", 3.5}, {Decimal, "3 5", 3}, {Decimal, "5,5", 5}, {Decimal, "1k", 1},
      {Decimal, "&H10", 0}, {Decimal, "-2.5e1", -25}, {Decimal, "1e", 1}, {Decimal, "..5", 0},
      {Decimal, "-", 0}, {Decimal, "1e999", kOverflow}};
  // clang-format on
  for (const auto& row : rows) {
    SCOPED_TRACE(row.text.substr(0, 40));
    if (std::isnan(row.expected)) {
      EXPECT_THROW(row.read(row.text), ArithmeticFault);
      continue;
    }
    const double value = row.read(row.text);
    EXPECT_EQ(value, row.expected);
    EXPECT_EQ(std::signbit(value), std::signbit(row.expected));
  }
}

TEST_P(Numbers, FormatMaskRoundsHalfAwayFromZeroOnFifteenDigits) {
  // clang-format off
  const struct {
    double value;
    std::string mask, expected;
  } rows[] = {
      // The examples of the mask table.
      {5561.4, "0", "5561"}, {720, "0#", "720"}, {5, "0#", "05"}, {2, "0.0#", "2.0"}, {1.234, "0.0#", "1.23"},
      {0.5, "0.0#", "0.5"}, {1.5, "0.00#", "1.50"}, {0.7972, "0.0##", "0.797"}, {12, "0.000#", "12.000"},
      {2, "0.000#", "2.000"}, {0.12344, "0.000#", "0.1234"}, {0.0061, "0.0###", "0.0061"},
      {0.5, "0.0####", "0.5"}, {0.0123456, "0.0#####", "0.012346"}, {1.2345e-12, "SCIENTIFIC", "1.23E-12"},
      {4500, "SCIENTIFIC", "4.50E+03"},
      // Halves away from zero, not to even; binary 1.00499999... rounds as its visible digits.
      // A carry may add an integer digit or move the exponent.
      {1.005, "0.00", "1.01"}, {-2.675, "0.0#", "-2.68"}, {2.5, "0", "3"}, {9.995, "0.0#", "10.0"},
      {0.0004, "0.00#", "0.00"}, {9.999e5, "SCIENTIFIC", "1.00E+06"},
      {-1.2345e-12, "SCIENTIFIC", "-1.23E-12"},
      {1e100, "SCIENTIFIC", "1.00E+100"}, {1.47e-8, "SCIENTIFIC", "1.47E-08"},
      {1e20, "0", "100000000000000000000"}, {123456789012345678.0, "0", "123456789012346000"},
      // The leftmost "0" before the point and the last "0" after it set the least digit counts.
      {5, "00.0", "05.0"}, {5, "#0.0", "5.0"}, {0.5, "#.0", ".5"}, {1.5, "0.#0", "1.50"},
      {1.25, "0.#", "1.3"}, {12.5, "0.##", "12.5"}, {0, "0.0#", "0.0"},
      // A value that rounds to zero has no sign; one that is not finite prints a fixed text.
      {-0.0, "0.0#", "0.0"}, {-0.4, "0", "0"}, {-1e-300, "0.0#####", "0.0"}, {-0.0, "SCIENTIFIC", "0.00E+00"},
      {kNaN, "0.0#", "NaN"}, {kInf, "SCIENTIFIC", "Inf"}, {-kInf, "0", "-Inf"}};
  // clang-format on
  for (const auto& row : rows) {
    SCOPED_TRACE(row.mask + " " + row.expected);
    EXPECT_EQ(FormatMask(row.value, row.mask), row.expected);
  }
  for (const char* mask : {"", "0,00", "0.0.0", "scientific"}) {
    EXPECT_THROW(FormatMask(1, mask), std::invalid_argument) << mask;
  }
}

TEST_P(Numbers, FourSignificantTextKeepsFourDigitsWithoutAnExponent) {
  const struct {
    double value;
    std::string expected;
  } rows[] = {{3, "3.0"},          {6.49684, "6.497"},
              {0.0016, "0.0016"},  {1.6004, "1.6"},
              {5561.4, "5561"},    {12345.6, "12346"},
              {-3.1849, "-3.185"}, {9999.6, "10000"},
              {0.99996, "1.0"},    {1.23456e-9, "0.000000001235"},
              {0, "0.0"},          {1e-300, "0.0"},
              {kNaN, "NaN"}};
  for (const auto& row : rows) EXPECT_EQ(FourSignificantText(row.value), row.expected) << row.value;
}

TEST_P(Numbers, DefaultNumberTextUsesFixedNotationFromOneE5ToOneE15) {
  // clang-format off
  const struct {
    double value;
    std::string defaultText, simpleText;
  } rows[] = {
      {630, "630", " 630"}, {29.5, "29.5", " 29.5"}, {-30, "-30", "-30"}, {-0.0, "0", " 0"},
      {0.0004, "0.0004", " 0.0004"}, {1e-5, "0.00001", " 0.00001"}, {1e-6, "1E-06", " 1E-06"},
      {-1.5e-7, "-1.5E-07", "-1.5E-07"}, {1e15, "1E+15", " 1E+15"}, {1e100, "1E+100", " 1E+100"},
      {999999999999999.0, "999999999999999", " 999999999999999"},
      {999999999999999.9, "1E+15", " 1E+15"},  // rounding to 15 digits crosses the limit
      {0.1 + 0.2, "0.3", " 0.3"}, {1.0 / 3, "0.333333333333333", " 0.333333333333333"},
      {kInf, "Inf", " Inf"}, {-kInf, "-Inf", "-Inf"}};
  // clang-format on
  for (const auto& row : rows) {
    SCOPED_TRACE(row.defaultText);
    EXPECT_EQ(DefaultNumberText(row.value), row.defaultText);
    EXPECT_EQ(SimpleNumberText(row.value), row.simpleText);
  }
}

}  // namespace
}  // namespace vdmos
