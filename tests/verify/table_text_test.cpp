#include "verify/table_text.h"

#include <gtest/gtest.h>

#include <limits>

namespace vdmos {
namespace {

// The window and the command line show these texts alike; the rows that once differed between
// them (binary values just below a decimal tie, which the digits a user sees round up) stay.
TEST(TableText, FourSignificantDigitsRoundedAsTheirDecimalDigitsRead) {
  struct Case {
    double value;
    const char* text;
  };
  const Case cases[] = {
      {0.16, "0.16"},
      {6.4968, "6.497"},
      {5561.4, "5561"},
      {12345.6, "12346"},
      {9999.6, "10000"},
      {1.0005, "1.001"},
      {2.0045, "2.005"},
      {-0.0012345, "-0.001235"},
      {0, "0"},
      {-0.0, "0"},
      {1e-13, "1E-13"},
      {-1.23456e-13, "-1.235E-13"},
      {3399.802, "3400"},
      {1e-9, "0.000000001"},
      {999999999, "999999999"},
      {1e20, "1E+20"},
      {5.3575430359e23, "5.358E+23"},
      {std::numeric_limits<double>::quiet_NaN(), "NaN"},
      {-std::numeric_limits<double>::infinity(), "-Inf"},
  };
  for (const Case& c : cases) EXPECT_EQ(SignificantText(c.value), c.text) << c.value;
}

TEST(TableText, CellsWithTheirUnitOrADash) {
  EXPECT_EQ(QuantityCellText(0.16, "Ohm"), "0.16 Ohm");
  EXPECT_EQ(QuantityCellText(std::nullopt, "Ohm"), "-");
  for (const auto& [percent, text] :
       {std::pair{1.005, "1.01"}, std::pair{-0.004, "0.00"}, std::pair{-0.005, "-0.01"},
        std::pair{6.666, "6.67"}, std::pair{std::numeric_limits<double>::infinity(), "Inf"}}) {
    EXPECT_EQ(PercentCellText(percent), text) << percent;
  }
  EXPECT_EQ(PercentCellText(std::nullopt), "-");
}

}  // namespace
}  // namespace vdmos
