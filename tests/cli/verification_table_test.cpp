// The check's tables as the command line prints them, from the session's lines.

#include "cli/verification_table.h"

#include <gtest/gtest.h>

namespace vdmos::cli {
namespace {

VerificationRow Row(std::string quantity, std::string condition, std::optional<double> simulated,
                    std::optional<double> error, std::string note = {}) {
  return {std::move(quantity), std::move(condition), "A", 20.7, 20.5, simulated, error, std::move(note)};
}

TEST(VerificationTable, TheComparisonShowsADashWhereTheFittedCardHasNoSuchPoint) {
  const std::vector<CheckLine> lines{
      {Row("Id", "Vgs = 5.5 V", 20.6, -0.48), Row("Id", "Vgs = 5.5 V", 19.3, -6.76)},
      {Row("Id", "Vgs = 7.5 V", 70.1, 0.14), std::nullopt},
  };
  EXPECT_EQ(
      ComparisonTable(lines),
      "quantity  condition    datasheet  fitted: simulated  fitted: error %  refined: simulated  "
      "refined: error %\n"
      "Id        Vgs = 5.5 V  20.7 A     19.3 A             -6.76            20.6 A              -0.48\n"
      "Id        Vgs = 7.5 V  20.7 A     -                  -                70.1 A              0.14\n");
}

TEST(VerificationTable, TheNoteColumnComesOnlyWithANote) {
  const std::vector<CheckLine> plain{{Row("Id", "a", 1, 0.5), std::nullopt}};
  EXPECT_EQ(VerificationTable(plain),
            "quantity  condition  datasheet  model   simulated  error %\n"
            "Id        a          20.7 A     20.5 A  1 A        0.50\n");
  const std::vector<CheckLine> noted{
      {Row("Vsd", "b", std::nullopt, std::nullopt, "not reached"), std::nullopt}};
  EXPECT_EQ(VerificationTable(noted),
            "quantity  condition  datasheet  model   simulated  error %  note\n"
            "Vsd       b          20.7 A     20.5 A  -          -        not reached\n");
}

}  // namespace
}  // namespace vdmos::cli
