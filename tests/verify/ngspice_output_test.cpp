#include "verify/ngspice_output.h"

#include <gtest/gtest.h>

#include <clocale>

namespace vdmos {
namespace {

// Abridged from what ngspice 39 prints for the output characteristics netlist.
constexpr std::string_view kOutputRun = R"(
Note: No compatibility mode selected!

Circuit: * 20n60c3 output characteristics

Doing analysis at TEMP = 27.000000 and TNOM = 27.000000

No. of Data Rows : 3
@output 5.5
                      * 20n60c3 output characteristics
                      DC transfer characteristic  Sun Dec  6 06:52:16  2026
------------------------------------------------------------------------
Index   v-sweep         vds             id              
------------------------------------------------------------------------
0	0.0000000000e+00	0.0000000000e+00	1.4148538197e-33	
1	5.0000000000e+00	5.0000000000e+00	1.9720976258e+01	
2	1.0000000000e+01	1.0000000000e+01	1.9926633085e+01	
Doing analysis at TEMP = 27.000000 and TNOM = 27.000000
@points
No. of Data Rows : 1
id_rdson = 6.2494821633e-01
vsd_1               =  7.005635e-01
vsd_1 = 7.0056350000e-01
ngspice-39 done
)";

TEST(NgspiceOutput, ReadsSectionsTablesAndValues) {
  const std::vector<OutputSection> sections = ParseNgspiceOutput(kOutputRun);
  ASSERT_EQ(sections.size(), 2u);

  const OutputSection& curve = sections[0];
  EXPECT_EQ(curve.name, "output");
  EXPECT_EQ(curve.tag, "5.5");
  EXPECT_EQ(curve.columns, (std::vector<std::string>{"v-sweep", "vds", "id"}));
  ASSERT_EQ(curve.rows.size(), 3u);
  EXPECT_EQ(curve.Column("id"), (std::vector<double>{1.4148538197e-33, 1.9720976258e+01, 1.9926633085e+01}));
  EXPECT_FALSE(curve.Column("isd"));
  // The analysis note after the table ends it and is no value.
  EXPECT_TRUE(curve.values.empty());

  const OutputSection& points = sections[1];
  EXPECT_EQ(points.name, "points");
  EXPECT_TRUE(points.rows.empty());
  EXPECT_EQ(points.values.at("id_rdson"), 6.2494821633e-01);
  // A measurement is echoed twice; the later, longer print wins.
  EXPECT_EQ(points.values.at("vsd_1"), 7.0056350000e-01);
  EXPECT_EQ(points.values.size(), 2u);
}

TEST(NgspiceOutput, KeepsOnlyWhatFollowsAMarkerAndRowsThatFitTheHeader) {
  EXPECT_TRUE(ParseNgspiceOutput("x = 1\nIndex a\n0\t1\n").empty());
  // A table whose run failed: the next marker comes before any header. A row that does not
  // fit the header ends the table.
  const auto sections = ParseNgspiceOutput(
      "@cap 25\nWarning: vector ciss_pf is not available\n@cap 600\nciss_pf = 2\n@t\nIndex x "
      "y\n---\n0\t1\t2\n1\t3\n2\t5\t6\n");
  ASSERT_EQ(sections.size(), 3u);
  EXPECT_TRUE(sections[0].values.empty());
  EXPECT_EQ(sections[1].values.at("ciss_pf"), 2.0);
  EXPECT_EQ(sections[2].rows, (std::vector<std::vector<double>>{{1, 2}}));
}

TEST(NgspiceOutput, RecognisesAnalysesThatFoundNoSolution) {
  // The transient's own failure is in the model check's real ngspice runs.
  const std::pair<std::string_view, std::optional<std::string>> cases[] = {
      {"Warning: Dynamic gmin stepping failed\nDC solution failed -\n", "DC solution failed -"},
      {"op simulation(s) aborted\n", "op simulation(s) aborted"},
      // Gmin and source stepping that end in a solution are no failure.
      {"Warning: Dynamic gmin stepping failed\nNote: One successful source step\n", std::nullopt},
  };
  for (const auto& [output, line] : cases) EXPECT_EQ(NonConvergenceLine(output), line) << output;
}

TEST(NgspiceOutput, PicksTheLineThatSaysWhatWentWrong) {
  // A netlist error ngspice reports is in the model check's real ngspice runs.
  const std::pair<std::string_view, std::optional<std::string>> cases[] = {
      {"warning, can't find model 'x1' from line\n    m1 d gs 0 x1\n",
       "warning, can't find model 'x1' from line"},
      {"Note: can't find the initialization file spinit.\n\n  Segmentation fault here  \n",
       "Segmentation fault here"},
      {"\n\n", std::nullopt},
  };
  for (const auto& [output, line] : cases) EXPECT_EQ(ErrorLine(output), line) << output;
}

TEST(NgspiceOutput, ReadsNumbersWhateverTheLocale) {
  const std::string before = std::setlocale(LC_ALL, nullptr);
  std::setlocale(LC_ALL, "de_DE.UTF-8");  // where it exists; the reading must not care
  EXPECT_EQ(ReadNgspiceNumber("1.6001331733e-01"), 1.6001331733e-01);
  EXPECT_EQ(ReadNgspiceNumber("+25"), 25.0);
  EXPECT_EQ(ReadNgspiceNumber("1,5"), std::nullopt);
  EXPECT_EQ(ReadNgspiceNumber("2.5V"), std::nullopt);
  EXPECT_EQ(ReadNgspiceNumber(""), std::nullopt);
  std::setlocale(LC_ALL, before.c_str());
}

}  // namespace
}  // namespace vdmos
