#include "verify/check_table_cells.h"

#include <gtest/gtest.h>

namespace vdmos {
namespace {

using Cells = std::vector<std::string>;

VerificationRow Row(std::optional<double> simulated, std::optional<double> error, std::string note = {}) {
  return {"Rds(on)", "Vgs = 10 V", "Ohm", 0.16, 0.1612, simulated, error, std::move(note)};
}

// For a spreadsheet the unit gets a column of its own, so that every value is a plain number.
TEST(CheckTableCells, TheUnitColumnLeavesPlainNumbers) {
  const std::vector<CheckLine> lines{{Row(0.16124, 0.775, "slow"), std::nullopt},
                                     {Row({}, {}), std::nullopt}};
  EXPECT_EQ(CheckTableCells(lines, false, UnitPlacement::OwnColumn),
            (std::vector<Cells>{
                {"quantity", "condition", "unit", "datasheet", "model", "simulated", "error %", "note"},
                {"Rds(on)", "Vgs = 10 V", "Ohm", "0.16", "0.1612", "0.1612", "0.78", "slow"},
                {"Rds(on)", "Vgs = 10 V", "Ohm", "0.16", "0.1612", "-", "-", ""},
            }));
  EXPECT_EQ(CheckTableCells(lines, false, UnitPlacement::InCells)[1],
            (Cells{"Rds(on)", "Vgs = 10 V", "0.16 Ohm", "0.1612 Ohm", "0.1612 Ohm", "0.78", "slow"}));
}

TEST(CheckTableCells, TheComparisonSetsTheFittedCardBesideTheRefined) {
  const std::vector<CheckLine> lines{{Row(0.16, 0), Row(0.2, 25)}, {Row(0.17, 6.25), std::nullopt}};
  EXPECT_EQ(CheckTableCells(lines, true, UnitPlacement::OwnColumn),
            (std::vector<Cells>{{"quantity", "condition", "unit", "datasheet", "fitted: simulated",
                                 "fitted: error %", "refined: simulated", "refined: error %"},
                                {"Rds(on)", "Vgs = 10 V", "Ohm", "0.16", "0.2", "25.00", "0.16", "0.00"},
                                {"Rds(on)", "Vgs = 10 V", "Ohm", "0.16", "-", "-", "0.17", "6.25"}}));
}

// A curve's worst points, or why one card has no value, must reach every form of the table:
// without them a fitted and a refined value at different points read as one error.
TEST(CheckTableCells, TheComparisonTellsEachCardsNote) {
  const std::vector<CheckLine> lines{{Row(0.17, 6.25, "worst at 5 V"), Row(0.2, 25, "worst at 4.5 V")},
                                     {Row({}, {}, "ngspice stopped"), Row(0.2, 25)},
                                     {Row(0.17, 6.25, "shared"), Row(0.2, 25, "shared")}};
  const std::vector<Cells> cells = CheckTableCells(lines, true, UnitPlacement::InCells);
  EXPECT_EQ(cells[0].back(), "note");
  EXPECT_EQ(cells[1].back(), "Fitted: worst at 4.5 V; Refined: worst at 5 V");
  EXPECT_EQ(cells[2].back(), "Refined: ngspice stopped");
  EXPECT_EQ(cells[3].back(), "shared");
}

}  // namespace
}  // namespace vdmos
