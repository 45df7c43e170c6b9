// Curve names both ways, the numbers' exact round trip, and the order curves are kept in.

#include "model/datasheet_curves.h"

#include <gtest/gtest.h>

namespace vdmos {
namespace {

TEST(DatasheetCurves, NamesReadBackToTheSameFigureLine) {
  for (std::string_view name :
       {"transfer", "output:10", "output:4.5", "rdson", "ciss", "coss", "crss", "gatecharge", "diode"}) {
    const std::optional<DatasheetCurve> curve = ReadCurveName(name);
    ASSERT_TRUE(curve) << name;
    EXPECT_EQ(CurveName(*curve), name);
  }
  EXPECT_EQ(ReadCurveName("output:4.50")->gateVoltage, 4.5);
  // A P-channel figure's label, read as the magnitude its points are read as.
  EXPECT_EQ(ReadCurveName("output:-5")->gateVoltage, 5);
  for (std::string_view bad : {"", "output", "output:", "output:0", "output:-0", "output:x", "ciss:10",
                               "Ciss", "transfer ", "output:10:1"})
    EXPECT_FALSE(ReadCurveName(bad)) << bad;
}

TEST(DatasheetCurves, NumbersReadBackExactly) {
  for (double value : {0.0, 0.1, -4e-3, 1.0 / 3, 123456789.123, 1e-300, -2.5e300})
    EXPECT_EQ(ReadCurveNumber(CurveNumberText(value)), value) << CurveNumberText(value);
  EXPECT_EQ(CurveNumberText(0.1), "0.1");
  for (std::string_view bad : {"", "+", "-", "1,5", "nan", "inf", "1e999", "0x10", "1 ", "++1", "+-1"})
    EXPECT_FALSE(ReadCurveNumber(bad)) << bad;
}

TEST(DatasheetCurves, PutReplacesTheSameLineAndKeepsTheOrder) {
  std::vector<DatasheetCurve> curves;
  PutCurve(curves, {CurveKind::Diode, 0, {{1, 1}}});
  PutCurve(curves, {CurveKind::Output, 10, {}});
  PutCurve(curves, {CurveKind::Output, 5, {}});
  PutCurve(curves, {CurveKind::Transfer, 0, {}});
  PutCurve(curves, {CurveKind::Diode, 0, {{2, 2}}});
  std::vector<std::string> names;
  for (const DatasheetCurve& curve : curves) names.push_back(CurveName(curve));
  EXPECT_EQ(names, (std::vector<std::string>{"transfer", "output:5", "output:10", "diode"}));
  EXPECT_EQ(curves.back().points, (std::vector<CurvePoint>{{2, 2}}));
}

}  // namespace
}  // namespace vdmos
