// Reading a plot digitizer's file: the separators and headers digitizers and spreadsheets
// write, the faults that must stop a curve with the line named, and the virtual device's
// committed curves.

#include "files/curve_file.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "files/file_messages.h"

namespace vdmos {
namespace {

std::vector<CurvePoint> Points(std::string_view text, CurveKind kind = CurveKind::Transfer) {
  const CurveReading reading = ReadCurveText(text, kind);
  EXPECT_FALSE(reading.error) << text << ": " << (reading.error ? reading.error->problem : "");
  return reading.points;
}

CurveReadError Error(std::string_view text, CurveKind kind = CurveKind::Transfer) {
  const CurveReading reading = ReadCurveText(text, kind);
  EXPECT_TRUE(reading.points.empty());
  return reading.error.value_or(CurveReadError{999, "no error"});
}

TEST(CurveFile, TakesTheSeparatorsHeadersAndLineEndsDigitizersWrite) {
  const std::vector<CurvePoint> expected{{1, 2.5}, {3, -4e-3}};
  for (std::string_view text :
       {"1,2.5\n3,-4e-3\n", "1;2.5\r\n3;-4E-3\r\n", "1\t2.5\n3\t-0.004", "  1   2.5 \n3 -4e-3\n\n",
        "1, 2.5\n3 ,-4e-3\n", "x,y\nVgs (V);Id (A)\n1,2.5\n3,-4e-3\n", "# digitized\n1,2.5\n# mid\n3,-4e-3\n",
        "\xEF\xBB\xBFVgs,Id\r\n1,2.5\r\n3,-4e-3\r\n", "+1,+2.5\n3,-.004\n",
        "\"Vgs\",\"Id\"\n\"1\",\"2.5\"\n\" 3 \";\"-4e-3\"\n"})
    EXPECT_EQ(Points(text), expected) << text;
  // Falling x is read as given: a reversed export is still one direction.
  EXPECT_EQ(Points("3,1\n2,2\n1,3\n"), (std::vector<CurvePoint>{{3, 1}, {2, 2}, {1, 3}}));
  // A negative drain current (a P-channel figure) is the figure's business; a negative
  // capacitance is no figure's.
  EXPECT_EQ(Points("0,-1\n1,-2\n", CurveKind::Output).size(), 2U);
}

TEST(CurveFile, NamesTheLineAtFault) {
  struct Case {
    std::string_view text;
    CurveKind kind;
    std::size_t line;
    std::string_view problem;
  };
  const Case cases[] = {
      {"Vds,C\n0,100\n1,abc\n", CurveKind::Ciss, 3, kCurveNotNumberText},
      {"0,100\n1,2,3\n", CurveKind::Coss, 2, kCurveColumnsText},
      {"0,100\n1\n", CurveKind::Coss, 2, kCurveColumnsText},
      {"0,100\n# fine\n1,-5\n", CurveKind::Crss, 3, kCurveNegativeCapacitanceText},
      {"0,1\n1,2\n1,3\n", CurveKind::Transfer, 3, kCurveNotMonotonicText},
      {"0,1\n1,2\n0.5,3\n", CurveKind::Diode, 3, kCurveNotMonotonicText},
      {"1,5\n", CurveKind::RdsOn, 0, kCurveTooFewPointsText},
      {"x,y\n# nothing\n", CurveKind::GateCharge, 0, kCurveTooFewPointsText},
      // No line reads as a point: the first after the header is named, not "too few points".
      {"1 V,1000 pF\n2 V,900 pF\n", CurveKind::Ciss, 2, kCurveNotNumberText},
      {"Vds,C\n# units below\n\"0 V\",\"100 pF\"\n", CurveKind::Ciss, 3, kCurveNotNumberText},
      {std::string_view("\xFF\xFE"
                        "1\0,\0"
                        "2\0\n\0",
                        10),
       CurveKind::Ciss, 0, kCurveUtf16Text},
      {"", CurveKind::GateCharge, 0, kCurveTooFewPointsText},
      // A decimal comma reads as three columns, not as a different number.
      {"0,5;1\n", CurveKind::Transfer, 1, kCurveColumnsText},
      {"1,2\n2,inf\n", CurveKind::Transfer, 2, kCurveNotNumberText},
      {"1,2\n2,1e999\n", CurveKind::Transfer, 2, kCurveNotNumberText},
      {"1,2\n2,+-1\n", CurveKind::Transfer, 2, kCurveNotNumberText},
  };
  for (const Case& c : cases) {
    const CurveReadError error = Error(c.text, c.kind);
    EXPECT_EQ(error.line, c.line) << c.text;
    EXPECT_EQ(error.problem, c.problem) << c.text;
  }
  EXPECT_EQ(CurveReadMessage("ciss.csv", {3, "bad"}), "ciss.csv, line 3: bad");
  EXPECT_EQ(CurveReadMessage("ciss.csv", {0, "bad"}), "ciss.csv: bad");
}

std::string Slurp(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  std::ostringstream text;
  text << file.rdbuf();
  return text.str();
}

TEST(CurveFile, ReadsTheVirtualDevicesCurves) {
  const std::string folder = std::string(VDMOS_TESTS_DIR) + "/golden/virtual_device/";
  const std::pair<std::string_view, CurveKind> files[] = {{"transfer.csv", CurveKind::Transfer},
                                                          {"output_5.csv", CurveKind::Output},
                                                          {"rdson.csv", CurveKind::RdsOn},
                                                          {"ciss.csv", CurveKind::Ciss},
                                                          {"coss.csv", CurveKind::Coss},
                                                          {"crss.csv", CurveKind::Crss},
                                                          {"gatecharge.csv", CurveKind::GateCharge},
                                                          {"diode.csv", CurveKind::Diode}};
  for (const auto& [name, kind] : files) {
    const std::vector<CurvePoint> points = Points(Slurp(folder + std::string(name)), kind);
    EXPECT_GE(points.size(), 15U) << name;
  }
  const std::vector<CurvePoint> ciss = Points(Slurp(folder + "ciss.csv"), CurveKind::Ciss);
  EXPECT_EQ(ciss.front().x, 0.1);
  EXPECT_EQ(ciss.back().x, 100);
}

}  // namespace
}  // namespace vdmos
