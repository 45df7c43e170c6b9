// Datasheet values files in, library, single-model and datasheet files out: the built program
// run as a user would, with every written file compared byte for byte.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "cli/cli_process.h"
#include "cli/expected_texts.h"

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

TEST_F(CliFiles, EachFilePrintsItsCardInTheOrderGiven) {
  const std::string first = Write("first.txt", WithLine(2, "IRF1"));
  const std::string second = Write("second.txt", WithLine(2, "IRF2"));
  const ProcessResult run = RunCliProcess({second, first, second});
  EXPECT_EQ(run.out, CardNamed("IRF2") + CardNamed("IRF1") + CardNamed("IRF2"));
  EXPECT_EQ(run.err, "");
  EXPECT_EQ(run.exitStatus, 0);
}

TEST_F(CliFiles, SettingsApplyAfterEachOpening) {
  // The FET type comes from the file; the model name and RG are overridden, the card form
  // (not stored) is supplied.
  const std::string pmos = Write("pmos.txt", WithLine(24, "PMOS"));
  const std::string nmos = Write("nmos.txt", StartValuesFile());
  const ProcessResult run =
      RunCliProcess({pmos, nmos, "--set", "Text20=SET", "--set", "Text2=", "--set", "LineBreak=0"});
  const std::string tail =
      " LAMBDA=0.001 CGDMAX=5561p CGDMIN=5p CGS=2350p TT=720n a=1.93 IS=1.47E-08 N=1.576 RB=0.006897 m=0.797 "
      "Vj=1.03 Cjo=9600.0pF";
  const std::string head = ".MODEL SET VDMOS(KP=6.4968 RS=0.0016 RD=0.1364 RG=0.0 VTO=";
  EXPECT_EQ(run.out, head + "-3.0" + tail + " PCHAN)\r\n" + head + "3.0" + tail + ")\r\n");
  EXPECT_EQ(run.exitStatus, 0);
}

TEST_F(CliFiles, MessagesNameTheFileTheyBelongTo) {
  const std::string file = Write("negative.txt", WithLine(8, "-70"));
  const ProcessResult run = RunCliProcess({file});
  EXPECT_EQ(run.err, file + ": All values must be positive: ID_max.\r\nCorrected it!\n");
  EXPECT_EQ(run.exitStatus, 0);
}

TEST_F(CliFiles, BadFilesAreNamedAndTheOthersStillProcessed) {
  struct Row {
    std::string name;
    std::string bytes;  ///< nothing is written for the missing file
    std::string problem;
  };
  const std::vector<Row> rows{
      {"missing.txt", "", "cannot be read: No such file or directory"},
      {"header.txt", "Mosfet datasheet values \r\n20N60C3\r\n",
       "file does not start with: (Mosfet datasheet values) "},
      {"empty.txt", "", "the file is empty"},
      {"folder.txt", "", "is a folder, not a file"},
  };
  std::filesystem::create_directory(Path("folder.txt"));
  std::vector<std::string> arguments{Write("good1.txt", WithLine(2, "GOOD1"))};
  for (const Row& row : rows) {
    if (row.name == "header.txt" || row.name == "empty.txt") Write(row.name, row.bytes);
    arguments.push_back(Path(row.name));
  }
  arguments.push_back(Write("good2.txt", WithLine(2, "GOOD2")));
  arguments.insert(arguments.end(), {"--library", Path("out.lib")});

  const ProcessResult run = RunCliProcess(arguments);
  EXPECT_EQ(run.exitStatus, 1);
  EXPECT_EQ(run.out, CardNamed("GOOD1") + CardNamed("GOOD2"));
  for (const Row& row : rows)
    EXPECT_THAT(run.err, HasSubstr("vdmosgen-cli: " + Path(row.name) + ": " + row.problem + "\n"))
        << row.name;
  // Nothing already done is lost: both good models reach the library.
  EXPECT_EQ(ReadBytes(Path("out.lib")), CardNamed("GOOD1") + CardNamed("GOOD2") + "\r\n");
}

TEST_F(CliFiles, AFailedModelUpdateKeepsItsModelOutOfEveryFile) {
  const std::string good = Write("good.txt", StartValuesFile());
  const std::string broken = Write("broken.txt", WithLine(34, "1e999"));  // vd1
  const ProcessResult batch = RunCliProcess({good, broken, "--library", Path("out.lib")});
  EXPECT_EQ(batch.exitStatus, 1);
  EXPECT_EQ(batch.out, kCard + kErrorLine + "\r\n");
  EXPECT_THAT(batch.err, HasSubstr("vdmosgen-cli: " + broken + ": the model update ended in its error text"));
  EXPECT_EQ(ReadBytes(Path("out.lib")), kCard + "\r\n");

  // The values themselves are still saved, so that they can be corrected.
  const ProcessResult single =
      RunCliProcess({broken, "--save-model", Path("model.lib"), "--save-datasheet", Path("values.txt")});
  EXPECT_EQ(single.exitStatus, 1);
  EXPECT_FALSE(std::filesystem::exists(Path("model.lib")));
  EXPECT_EQ(ReadBytes(Path("values.txt")), WithLine(34, "1e999"));
}

TEST_F(CliFiles, LibraryGetsEachModelAndOneFinalLineEnd) {
  const std::string subckt = ".subckt X20N60C3 d g s\r\nM1 d g s s 20N60C3\r\nRg g s 1G\r\nDb s d dbody\r\n" +
                             kCard + ".model dbody d ron=0.1 vrev= 630 vfwd=2\r\n.ends\r\n";
  const std::string irf = Write("irf.txt", WithLine(2, "IRF1"));
  struct Row {
    std::string name;
    std::string existing;  ///< empty: no library file yet
    std::vector<std::string> arguments;
    std::string expected;
  };
  const std::vector<Row> rows{
      {"new library, start values", "", {}, kCard + "\r\n"},
      {"existing library kept",
       "* my models\r\n.MODEL OLD VDMOS()\r\n",
       {irf, irf},
       "* my models\r\n.MODEL OLD VDMOS()\r\n" + CardNamed("IRF1") + CardNamed("IRF1") + "\r\n"},
      {"no final line break", "* last line", {irf}, "* last line" + CardNamed("IRF1") + "\r\n"},
      {"subcircuit form", "", {"--subckt"}, subckt + "\r\n\r\n"},
      {"option set by hand", "", {"--set", "OptionSubCkt=1"}, subckt + "\r\n\r\n"},
  };
  for (const Row& row : rows) {
    const std::string library = Path("lib.lib");
    std::filesystem::remove(library);
    if (!row.existing.empty()) Write("lib.lib", row.existing);
    std::vector<std::string> arguments = row.arguments;
    arguments.insert(arguments.end(), {"--library", library});
    const ProcessResult run = RunCliProcess(arguments);
    EXPECT_EQ(run.exitStatus, 0) << row.name << run.err;
    EXPECT_EQ(ReadBytes(library), row.expected) << row.name;
  }
}

TEST_F(CliFiles, ALibraryThatCannotBeReadIsLeftAloneAndNothingRuns) {
  const std::string notText = std::string("* models\r\n\0\r\n", 13);
  const std::string library = Write("binary.lib", notText);
  const std::string values = Path("values.txt");
  const ProcessResult run = RunCliProcess({"--library", library, "--save-datasheet", values});
  EXPECT_EQ(run.exitStatus, 1);
  EXPECT_EQ(run.out, "");
  EXPECT_THAT(run.err, HasSubstr("vdmosgen-cli: " + library + ": The file is not a text file"));
  EXPECT_EQ(ReadBytes(library), notText);
  EXPECT_FALSE(std::filesystem::exists(values));

  std::filesystem::create_directory(Path("dir.lib"));
  const ProcessResult folder = RunCliProcess({"--library", Path("dir.lib")});
  EXPECT_EQ(folder.exitStatus, 1);
  EXPECT_THAT(folder.err, HasSubstr(Path("dir.lib") + ": is a folder, not a file"));
}

TEST_F(CliFiles, SaveModelAndSaveDatasheetWriteTheWindowsFiles) {
  // An existing file is replaced: the command line named it as the file to write.
  const std::string model = Write("model.lib", "old");
  const std::string values = Path("values.txt");
  const ProcessResult run = RunCliProcess({"--save-model", model, "--save-datasheet", values});
  EXPECT_EQ(run.exitStatus, 0);
  EXPECT_EQ(run.err, "");
  EXPECT_EQ(run.out, kCard);
  EXPECT_EQ(ReadBytes(model), "*Model generated by Varnex MOS tool\r\n" + kCard);
  EXPECT_EQ(ReadBytes(values), StartValuesFile());

  // What was saved opens to the same card and saves to the same bytes.
  const ProcessResult reopened = RunCliProcess({values, "--save-datasheet", Path("again.txt")});
  EXPECT_EQ(reopened.out, kCard);
  EXPECT_EQ(ReadBytes(Path("again.txt")), StartValuesFile());

  // Save Model runs no update: with the card emptied it writes the header alone.
  RunCliProcess({"--run", "new", "--save-model", model});
  EXPECT_EQ(ReadBytes(model), "*Model generated by Varnex MOS tool\r\n\r\n");
}

TEST_F(CliFiles, AWriteThatFailsIsReported) {
  const std::string target = Path("no-such-folder") + "/model.lib";
  const ProcessResult run = RunCliProcess({"--save-model", target});
  EXPECT_EQ(run.exitStatus, 1);
  EXPECT_EQ(run.out, kCard);
  EXPECT_THAT(run.err, HasSubstr("The file could not be saved:\r\n" + target));
}

TEST_F(CliFiles, JsonGivesOneObjectPerFile) {
  const std::string first = Write("first.txt", WithLine(2, "IRF1"));
  const std::string negative = Write("negative.txt", WithLine(8, "-70"));
  const ProcessResult run = RunCliProcess({first, Path("missing.txt"), negative, "--json"});
  EXPECT_EQ(run.exitStatus, 1);
  const nlohmann::json models = nlohmann::json::parse(run.out);
  ASSERT_EQ(models.size(), 2u);
  EXPECT_EQ(models[0]["file"], first);
  const std::string card = CardNamed("IRF1");
  EXPECT_EQ(models[0]["controls"]["Text19"], card.substr(0, card.size() - 2));
  EXPECT_EQ(models[0]["messages"], nlohmann::json::array());
  EXPECT_EQ(models[1]["file"], negative);
  EXPECT_EQ(models[1]["messages"],
            nlohmann::json::array({"All values must be positive: ID_max.\r\nCorrected it!"}));
  EXPECT_EQ(run.err,
            "vdmosgen-cli: " + Path("missing.txt") + ": cannot be read: No such file or directory\n");

  EXPECT_EQ(RunCliProcess({Path("missing.txt"), "--json"}).out, "[]\n");
}

}  // namespace
}  // namespace vdmos::testing
