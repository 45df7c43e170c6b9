// The switch advice as the command line prints it: the window's columns on one line each.

#include "cli/model_report.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "refine/refine_texts.h"

namespace vdmos::cli {
namespace {

using ::testing::HasSubstr;

TEST(ModelReport, TheAdviceHasTheWindowsCaptionsAndMarksAFailedOwnSetting) {
  ModelReport report;
  report.advice.emplace();
  for (std::size_t i = 0; i < report.advice->rows.size(); ++i) {
    report.advice->rows[i].setting = kSwitchSettings[i];
    report.advice->rows[i].errors = {1.5, 2.5, std::nullopt};
  }
  report.advice->rows[3] = {kSwitchSettings[3], {}, std::string(kAdviceFailedText)};
  report.advice->best = 0;
  report.advice->current = 3;
  const std::string text = ReportTables(report);
  EXPECT_THAT(text,
              HasSubstr("\nForce Rdson matching  Don't change Vto  Worst DC error %  Worst C error %\n"));
  EXPECT_THAT(
      text, HasSubstr("\non                    on                1.50              2.50             best\n"));
  EXPECT_THAT(text,
              HasSubstr("\noff                   off               -                 -                " +
                        std::string(kAdviceFailedText) + " (current)\n"));
}

}  // namespace
}  // namespace vdmos::cli
