// Datasheet values files in, library, single-model and datasheet files out: the built program
// run as a user would, with every written file compared byte for byte.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "cli/cli_test_support.h"
#include "cli/cli_texts.h"

namespace vdmos::testing {
namespace {

using ::testing::HasSubstr;

/// The start values file with one line (counted from 1) replaced.
std::string WithLine(int number, const std::string& text) {
  std::string file = StartValuesFile();
  std::size_t begin = 0;
  for (int line = 1; line < number; ++line) begin = file.find("\r\n", begin) + 2;
  return file.replace(begin, file.find("\r\n", begin) - begin, text);
}

/// kCard with another model name.
std::string CardNamed(const std::string& name) {
  std::string card = kCard;
  return card.replace(card.find("20N60C3"), 7, name);
}

constexpr int kModelNameLine = 2, kThresholdLine = 7, kIdMaxLine = 8, kFetTypeLine = 24, kPlateauIdLine = 31,
              kPlateauVgsLine = 32, kVd1Line = 34;

class CliFiles : public ::testing::Test {
 protected:
  /// Writes a file into the test's folder and returns its path.
  std::string Write(const std::string& name, const std::string& bytes) {
    WriteBytes(folder_ / name, bytes);
    return folder_ / name;
  }
  std::string Path(const std::string& name) const { return folder_ / name; }

  TempFolder folder_;
};

TEST_F(CliFiles, EachFilePrintsItsCardInTheOrderGivenAndItsMessagesUnderItsName) {
  const std::string first = Write("first.txt", WithLine(kModelNameLine, "IRF1"));
  const std::string negative = Write("negative.txt", WithLine(kIdMaxLine, "-70"));
  const ProcessResult run = RunCliProcess({negative, first, negative});
  EXPECT_EQ(run.out, kCard + CardNamed("IRF1") + kCard);
  const std::string message = negative + ": " + kNegativeIdMessage + "\n";
  EXPECT_EQ(run.err, message + message);
  EXPECT_EQ(run.exitStatus, cli::kSuccessStatus);
}

// Options take one value each: a values file named after them, as the usage line orders them,
// is a file, even one whose name holds "=" and would read as a setting.
TEST_F(CliFiles, AFileNamedAfterAnOptionIsOpened) {
  const std::string file = Write("vgs_th=5.txt", WithLine(kModelNameLine, "IRF1"));
  for (const std::vector<std::string>& before : {std::vector<std::string>{"--set", "LineBreak=1"},
                                                 std::vector<std::string>{"--run", "update-model"}}) {
    std::vector<std::string> arguments = before;
    arguments.push_back(file);
    const ProcessResult run = RunCliProcess(arguments);
    EXPECT_EQ(run.exitStatus, cli::kSuccessStatus) << run.err;
    EXPECT_EQ(run.out, CardNamed("IRF1")) << before.front();
  }
}

TEST_F(CliFiles, SettingsApplyAfterEachOpening) {
  // The FET type comes from the file; the model name and RG are overridden, the card form
  // (not stored) is supplied.
  const std::string pmos = Write("pmos.txt", WithLine(kFetTypeLine, "PMOS"));
  const std::string nmos = Write("nmos.txt", StartValuesFile());
  const ProcessResult run =
      RunCliProcess({pmos, nmos, "--set", "Text20=SET", "--set", "Text2=", "--set", "LineBreak=0"});
  const std::string head = ".MODEL SET VDMOS(KP=6.4968 RS=0.0016 RD=0.1364 RG=0.0 VTO=";
  const std::string tail =
      " LAMBDA=0.001 CGDMAX=5561p CGDMIN=5p CGS=2350p TT=720n a=1.93 IS=1.47E-08 N=1.576 RB=0.006897 m=0.797 "
      "Vj=1.03 Cjo=9600.0pF";
  EXPECT_EQ(run.out, head + "-3.0" + tail + " PCHAN)\r\n" + head + "3.0" + tail + ")\r\n");
  EXPECT_EQ(run.exitStatus, cli::kSuccessStatus);
}

TEST_F(CliFiles, BadFilesAreNamedAndTheOthersStillReachTheLibrary) {
  Write("header.txt", "Mosfet datasheet values \r\n20N60C3\r\n");
  Write("empty.txt", "");
  std::filesystem::create_directory(Path("folder.txt"));
  const std::pair<std::string, std::string> bad[] = {
      {"missing.txt", "cannot be read: No such file or directory"},
      {"header.txt", "file does not start with: (Mosfet datasheet values) "},
      {"empty.txt", "the file is empty"},
      {"folder.txt", "is a folder, not a file"},
  };
  std::vector<std::string> arguments{Write("good1.txt", WithLine(kModelNameLine, "GOOD1"))};
  for (const auto& [name, problem] : bad) arguments.push_back(Path(name));
  arguments.insert(arguments.end(),
                   {Write("good2.txt", WithLine(kModelNameLine, "GOOD2")), "--library", Path("out.lib")});

  const ProcessResult run = RunCliProcess(arguments);
  EXPECT_EQ(run.exitStatus, cli::kFailureStatus);
  EXPECT_EQ(run.out, CardNamed("GOOD1") + CardNamed("GOOD2"));
  for (const auto& [name, problem] : bad)
    EXPECT_THAT(run.err, HasSubstr("vdmosgen-cli: " + Path(name) + ": " + problem + "\n"));
  EXPECT_EQ(ReadBytes(Path("out.lib")), CardNamed("GOOD1") + CardNamed("GOOD2") + "\r\n");
}

TEST_F(CliFiles, AFailedModelUpdateKeepsItsModelOutOfEveryFileButItsValuesAreSaved) {
  const std::string good = Write("good.txt", StartValuesFile());
  const std::string broken = Write("broken.txt", WithLine(kVd1Line, "1e999"));
  const ProcessResult batch = RunCliProcess({good, broken, "--library", Path("out.lib")});
  EXPECT_EQ(batch.exitStatus, cli::kFailureStatus);
  EXPECT_EQ(batch.out, kCard + kErrorLine + "\r\n");
  EXPECT_THAT(batch.err, HasSubstr("vdmosgen-cli: " + broken + ": the model update ended in its error text"));
  EXPECT_EQ(ReadBytes(Path("out.lib")), kCard + "\r\n");

  const ProcessResult single =
      RunCliProcess({broken, "--save-model", Path("model.lib"), "--save-datasheet", Path("values.txt")});
  EXPECT_EQ(single.exitStatus, cli::kFailureStatus);
  EXPECT_FALSE(std::filesystem::exists(Path("model.lib")));
  EXPECT_EQ(ReadBytes(Path("values.txt")), WithLine(kVd1Line, "1e999"));
}

// An input check that stops the DC update, or a plateau point below the threshold, leaves a
// card without a channel (KP=0): printed as the window shows it, but never passed off as a
// model. So does a plateau current of microamperes, whose KP the card prints as 0.000.
TEST_F(CliFiles, ACardWhoseDcFitNeverRanIsNotWrittenAway) {
  const std::string good = Write("good.txt", StartValuesFile());
  const std::string negative = Write("negative.txt", WithLine(kThresholdLine, "-5"));
  const std::string below = Write("below.txt", WithLine(kPlateauVgsLine, "1"));
  const std::string tiny = Write("tiny.txt", WithLine(kPlateauIdLine, "10u"));
  const ProcessResult batch = RunCliProcess({good, negative, below, tiny, "--library", Path("out.lib")});
  EXPECT_EQ(batch.exitStatus, cli::kFailureStatus);
  for (const std::string& file : {negative, below, tiny})
    EXPECT_THAT(batch.err, HasSubstr("vdmosgen-cli: " + file + ": " + std::string(cli::kNoChannelText)));
  EXPECT_THAT(batch.out, HasSubstr("KP=0.000 "));
  EXPECT_EQ(ReadBytes(Path("out.lib")), kCard + "\r\n");
}

// Each output option writes its file byte for byte. A library gets each model, on a line of
// its own, and one final line end after the text it already holds; a model or values file named on the
// command line is replaced.
TEST_F(CliFiles, OutputFilesByteForByte) {
  const std::string irf = Write("irf.txt", WithLine(kModelNameLine, "IRF1"));
  const std::string irf2 = Write("irf2.txt", WithLine(kModelNameLine, "IRF2"));
  const std::string values = Write("values.txt", StartValuesFile());
  const std::string header = "*Model generated by Varnex MOS tool\r\n";
  struct Row {
    std::string option, existing;  ///< existing empty: no file yet
    std::vector<std::string> arguments;
    std::string expected;
  };
  const std::string mine = "* my models\r\n.MODEL OLD VDMOS()\r\n";
  const std::string subckt = kSubcktHead + kCard + ".model dbody d ron=0.1 vrev= 630 vfwd=2\r\n.ends\r\n";
  const Row rows[] = {
      {"--library", "", {}, kCard + "\r\n"},
      {"--library", mine, {irf, irf2}, mine + CardNamed("IRF1") + CardNamed("IRF2") + "\r\n"},
      {"--library", "* last line", {irf}, "* last line\r\n" + CardNamed("IRF1") + "\r\n"},
      {"--library", "", {"--subckt"}, subckt + "\r\n\r\n"},
      {"--save-model", "old", {}, header + kCard},
      // Save Model runs no update: with the card emptied it writes the header alone.
      {"--save-model", "", {"--run", "new"}, header + "\r\n"},
      {"--save-datasheet", "old", {}, StartValuesFile()},
      // What was saved opens to the same card and saves to the same bytes.
      {"--save-datasheet", "", {values}, StartValuesFile()},
  };
  for (const Row& row : rows) {
    const std::string target = Path("out");
    std::filesystem::remove(target);
    if (!row.existing.empty()) Write("out", row.existing);
    std::vector<std::string> arguments = row.arguments;
    arguments.insert(arguments.end(), {row.option, target});
    const ProcessResult run = RunCliProcess(arguments);
    EXPECT_EQ(run.exitStatus, cli::kSuccessStatus) << row.option << " " << row.existing << run.err;
    EXPECT_EQ(ReadBytes(target), row.expected) << row.option << " " << row.existing;
  }
}

// A simulator takes the first of two models of one name: a batch run again after its values
// were corrected must not add models that the old ones would hide. The name is matched in any
// case, as the simulators match it.
TEST_F(CliFiles, AModelTheLibraryNamesAlreadyIsNotAdded) {
  const std::string irf = Write("irf.txt", WithLine(kModelNameLine, "IRF1"));
  const std::string lower = Write("lower.txt", WithLine(kModelNameLine, "irf1"));
  const std::string library = Path("models.lib");
  ASSERT_EQ(RunCliProcess({irf, "--library", library}).exitStatus, cli::kSuccessStatus);
  const std::string before = ReadBytes(library);
  for (const std::vector<std::string>& again : {std::vector{irf}, std::vector{lower}}) {
    std::vector<std::string> arguments = again;
    arguments.insert(arguments.end(), {"--library", library});
    const ProcessResult run = RunCliProcess(arguments);
    EXPECT_EQ(run.exitStatus, cli::kFailureStatus);
    EXPECT_THAT(run.err, HasSubstr("the library already holds a model named "));
    EXPECT_EQ(ReadBytes(library), before);
  }
  // Saving what was read adds no empty line either.
  EXPECT_EQ(before, CardNamed("IRF1") + "\r\n");
}

TEST_F(CliFiles, ALibraryThatCannotBeReadIsLeftAloneAndNothingRuns) {
  const std::string notText = std::string("* models\r\n\0\r\n", 13);
  const std::string library = Write("binary.lib", notText);
  const ProcessResult run = RunCliProcess({"--library", library, "--save-datasheet", Path("values.txt")});
  EXPECT_EQ(run.exitStatus, cli::kFailureStatus);
  EXPECT_EQ(run.out, "");
  EXPECT_THAT(run.err, HasSubstr("vdmosgen-cli: " + library + ": The file is not a text file"));
  EXPECT_EQ(ReadBytes(library), notText);
  EXPECT_FALSE(std::filesystem::exists(Path("values.txt")));
}

TEST_F(CliFiles, AWriteThatFailsIsReported) {
  const std::string target = Path("no-such-folder") + "/model.lib";
  const ProcessResult run = RunCliProcess({"--save-model", target});
  EXPECT_EQ(run.exitStatus, cli::kFailureStatus);
  EXPECT_EQ(run.out, kCard);
  EXPECT_THAT(run.err, HasSubstr("The file could not be saved:\r\n" + target));
}

TEST_F(CliFiles, JsonGivesOneObjectPerFileThatCouldBeRead) {
  const std::string first = Write("first.txt", WithLine(kModelNameLine, "IRF1"));
  const std::string negative = Write("negative.txt", WithLine(kIdMaxLine, "-70"));
  const ProcessResult run = RunCliProcess({first, Path("missing.txt"), negative, "--json"});
  EXPECT_EQ(run.exitStatus, cli::kFailureStatus);
  const nlohmann::json models = nlohmann::json::parse(run.out);
  ASSERT_EQ(models.size(), 2u);
  EXPECT_EQ(models[0]["file"], first);
  const std::string card = CardNamed("IRF1");
  EXPECT_EQ(models[0]["controls"]["Text19"], card.substr(0, card.size() - 2));
  EXPECT_EQ(models[1]["file"], negative);
  EXPECT_EQ(models[1]["messages"], nlohmann::json::array({kNegativeIdMessage}));
  EXPECT_EQ(run.err,
            "vdmosgen-cli: " + Path("missing.txt") + ": cannot be read: No such file or directory\n");
  EXPECT_EQ(RunCliProcess({Path("missing.txt"), "--json"}).out, "[]\n");
}

}  // namespace
}  // namespace vdmos::testing
