// Runs that add to one library at the same time: each waits for the one before it, so the
// library ends up with every model.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "cli/cli_test_support.h"
#include "cli/cli_texts.h"

namespace vdmos::testing {
namespace {

using ::testing::HasSubstr;

TEST(CliLibrary, TwentyRunsAtOnceKeepTwentyModels) {
  constexpr int kRuns = 20, kRounds = 3;
  TempFolder folder;
  const std::string library = folder / "all.lib";
  WriteBytes(library, "* shared models");  // no final line end: each card still starts a line
  ChildLimits limits;
  limits.timeout = std::chrono::minutes(5);
  limits.maxMemoryBytes = std::numeric_limits<std::size_t>::max();  // see RunCliProcess
  for (int round = 0; round < kRounds; ++round) {
    std::vector<ChildRequest> runs;
    for (int run = 0; run < kRuns; ++run) {
      const std::string name =
          std::string("R").append(std::to_string(round)).append("M").append(std::to_string(run));
      runs.push_back({{VDMOS_CLI_PATH, "--set", "Text20=" + name, "--library", library}, {}, {}});
    }
    for (const ChildOutcome& outcome : RunChildren(runs, limits)) {
      EXPECT_EQ(outcome.status, ChildOutcome::Status::Exited) << outcome.error;
      EXPECT_EQ(outcome.exitCode, 0) << outcome.err;
    }
  }
  const std::string text = ReadBytes(library);
  EXPECT_TRUE(text.starts_with("* shared models\r\n.MODEL ")) << text.substr(0, 40);
  for (int round = 0; round < kRounds; ++round) {
    for (int run = 0; run < kRuns; ++run) {
      const std::string card = "\r\n.MODEL R" + std::to_string(round) + "M" + std::to_string(run) + " VDMOS(";
      const std::size_t at = text.find(card);
      EXPECT_NE(at, std::string::npos) << card;
      EXPECT_EQ(text.find(card, at + 1), std::string::npos) << card;
    }
  }
}

TEST(CliLibrary, ALibraryThatCannotBeLockedStopsTheRunBeforeAnything) {
  TempFolder folder;
  // The lock file's name taken by a folder: the lock cannot be opened.
  std::filesystem::create_directory(folder / ".all.lib.lock");
  const std::string library = folder / "all.lib";
  const ProcessResult run = RunCliProcess({"--library", library, "--save-model", folder / "model.lib"});
  EXPECT_EQ(run.exitStatus, 1);
  EXPECT_EQ(run.out, "");
  EXPECT_THAT(run.err, HasSubstr(library + ": cannot be locked against other runs: Is a directory"));
  EXPECT_EQ(folder.Names(), std::vector<std::string>{".all.lib.lock"});

  // A library in a folder that is not there is named as such, as the export folders are.
  const std::string nowhere = folder / "missing/all.lib";
  const ProcessResult missing = RunCliProcess({"--library", nowhere, "--save-model", folder / "model.lib"});
  EXPECT_EQ(missing.exitStatus, 1);
  EXPECT_EQ(missing.err, "vdmosgen-cli: " + nowhere + ": " + std::string(cli::kNoSuchFolderText) + "\n");
  EXPECT_EQ(folder.Names(), std::vector<std::string>{".all.lib.lock"});
}

}  // namespace
}  // namespace vdmos::testing
