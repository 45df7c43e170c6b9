// Typed texts that would make lines, commands or parameters of their own in a simulator: the
// run names the field, makes nothing and exits 1.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "cli/cli_test_support.h"

namespace vdmos::testing {
namespace {

using ::testing::HasSubstr;

TEST(CliTypedText, HostileCardFieldsWriteNothing) {
  const std::pair<std::string, std::string> rows[] = {
      {"Text_LAMBDA=1m\n.control\nshell touch pwned\n.endc\n+", "The field Text_LAMBDA must hold one number"},
      {"Text_LAMBDA=1m KP=100 VTO=0.5", "The field Text_LAMBDA must hold one number"},
      {"Text20=*X", "The model name must not start with"},
      {"Text20=" + std::string(10000, 'M'), "The model name is longer than 200 characters"},
  };
  for (const auto& [setting, message] : rows) {
    for (const char* skipFit : {"Idplat=20.7", "Idplat=0"}) {
      SCOPED_TRACE(setting.substr(0, 40) + " " + skipFit);
      TempFolder folder;
      const ProcessResult run = RunCliProcess({"--set", skipFit, "--set", setting, "--save-model",
                                               folder / "m.lib", "--library", folder / "all.lib"});
      EXPECT_EQ(run.exitStatus, 1);
      EXPECT_THAT(run.err, HasSubstr(message));
      EXPECT_EQ(ReadBytes(folder / "m.lib"), "");
      EXPECT_FALSE(std::filesystem::exists(folder / "all.lib"));
    }
  }
}

TEST(CliTypedText, AHostileTestConditionExportsNothing) {
  TempFolder folder;
  const ProcessResult run =
      RunCliProcess({"--set", "VdCharge=480\\n.include /etc/passwd", "--test-circuits", folder.path()});
  EXPECT_EQ(run.exitStatus, 1);
  EXPECT_THAT(run.err, HasSubstr("The field VdCharge must hold one number"));
  EXPECT_EQ(folder.Names(), std::vector<std::string>{});
}

}  // namespace
}  // namespace vdmos::testing
