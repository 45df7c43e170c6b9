// The hot check in ngspice: the rows at the hot temperature, for both channels, each value in
// an analysis of its own at that temperature, and the 25 C rows of a card with TNOM run at 25 C.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <string>
#include <string_view>

#include "commands/model_update.h"
#include "model/control_names.h"
#include "model/fet_type.h"
#include "platform/scripted_platform.h"
#include "platform/temp_folder.h"
#include "verify/bench_setup.h"
#include "verify/ngspice_netlists.h"
#include "verify/verify_model.h"
#include "verify/verify_test_support.h"
#include "verify/verify_texts.h"

namespace vdmos {
namespace {

WindowState HotStartWindow(bool pmos, std::string_view vthCurrent = "250u") {
  WindowState state;
  ScriptedPlatform platform;
  if (pmos) state.setText(control::Combo1, std::string(kPmosText));
  state.setText(control::VthCurrent, std::string(vthCurrent));
  for (const auto& [control, text] :
       {std::pair{control::TjHot, "150"}, std::pair{control::RdsHotRatio, "2.5"},
        std::pair{control::VthHot, "2.2"}, std::pair{control::VsdHot, "0.65"},
        std::pair{control::IsdHot, "3"}, std::pair{control::ZtcVgs, "6.5"}, std::pair{control::BvHot, "680"},
        std::pair{control::IdssHot, "100u"}})
    state.setText(control, text);
  UpdateModel(state, platform);
  EXPECT_TRUE(platform.messages.empty());
  return state;
}

TEST(HotDeviceCheck, RowsAtTheHotTemperatureMeetTheValuesForBothChannels) {
  for (const bool pmos : {false, true}) {
    SCOPED_TRACE(pmos ? "PMOS" : "NMOS");
    const VerificationResult result = VerifyModel(HotStartWindow(pmos));
    ASSERT_TRUE(result.ok()) << result.message << "\n" << result.details;
    int hot = 0;
    for (const VerificationRow& row : result.rows) {
      // At 25 C the card's diode, written for its nominal temperature, gives the fit's curve.
      if (row.quantity == kVsdQuantity && row.condition.starts_with("Isd")) {
        EXPECT_NEAR(*row.simulated, *row.model, 0.001 * *row.model) << row.condition;
      }
      if (!row.condition.starts_with("Tj = 150 C, ")) continue;
      ++hot;
      ASSERT_TRUE(row.simulated) << row.quantity << ": " << row.note;
      if (row.quantity == kIdssQuantity) {
        // Checked only: the body diode's hot leakage, far below the breakdown diode's 250 uA.
        EXPECT_GT(*row.simulated, 0);
        EXPECT_LT(*row.simulated, 250e-6);
        EXPECT_FALSE(row.model);
        continue;
      }
      // The recipe is exact in the laws; ngspice meets it to its sweep steps.
      EXPECT_NEAR(*row.simulated, *row.datasheet, 0.005 * *row.datasheet) << row.quantity;
      EXPECT_NEAR(*row.model, *row.simulated, 0.005 * *row.datasheet) << row.quantity;
    }
    EXPECT_EQ(hot, 6);
    EXPECT_EQ(result.tcvthConvention, "TCVTH in ngspice 39 convention");
    // ngspice's two on-resistances, as the ratio the temperature plot draws.
    ASSERT_EQ(result.simulated.rdsOnRatio.points.size(), 2u);
    EXPECT_EQ(result.simulated.rdsOnRatio.points[0], (Point{25, 1}));
    EXPECT_EQ(result.simulated.rdsOnRatio.points[1].x, 150);
    EXPECT_NEAR(result.simulated.rdsOnRatio.points[1].y, 2.5, 0.02);
    // ngspice's hot transfer curve beside the 25 C one, crossing it near the zero-TC point.
    const Curve& hotTransfer = result.simulated.hotTransfer;
    EXPECT_EQ(hotTransfer.label, "Id at Tj = 150 C");
    ASSERT_EQ(hotTransfer.points.size(), result.simulated.transfer.points.size());
    for (std::size_t i = 0; i < hotTransfer.points.size(); ++i) {
      const Point room = result.simulated.transfer.points[i], hot = hotTransfer.points[i];
      ASSERT_EQ(hot.x, room.x);
      if (room.x > 1 && room.x < 6) {
        EXPECT_GT(hot.y, room.y) << hot.x;
      }
      if (room.x > 7) {
        EXPECT_LT(hot.y, room.y) << hot.x;
      }
    }
  }
}

// The hot threshold is the 25 C one's concept at the hot temperature: its test current is the
// typed one in the fit, the model's value and ngspice's measurement alike. Between 250 uA and
// 2 mA the threshold moves by far more than the tolerance, so a side left at 250 uA shows.
TEST(HotDeviceCheck, TheHotThresholdIsTakenAtTheTypedTestCurrent) {
  for (const bool pmos : {false, true}) {
    SCOPED_TRACE(pmos ? "PMOS" : "NMOS");
    const VerificationResult result = VerifyModel(HotStartWindow(pmos, "2m"));
    ASSERT_TRUE(result.ok()) << result.message << "\n" << result.details;
    const auto row = std::ranges::find_if(result.rows, [](const VerificationRow& r) {
      return r.quantity == kVthQuantity && r.condition.starts_with("Tj = 150 C, ");
    });
    ASSERT_NE(row, result.rows.end());
    EXPECT_EQ(row->condition, "Tj = 150 C, Id = 0.002 A, Vds = Vgs");
    ASSERT_TRUE(row->simulated && row->model) << row->note;
    EXPECT_NEAR(*row->simulated, 2.2, 0.005 * 2.2);
    EXPECT_NEAR(*row->model, *row->simulated, 0.005 * 2.2);
  }
}

TEST(HotDeviceCheck, TheRoomRowsOfACardWithTnomRunAt25C) {
  const WindowState state = HotStartWindow(false);
  const BenchSetup setup = ReadBenchSetup(state);
  for (const Bench bench : kBenches) {
    const std::string netlist = NgspiceNetlist(bench, state.card, setup);
    EXPECT_NE(netlist.find("\r\n.options temp=25\r\n"), std::string::npos) << BenchName(bench);
  }
  // The hot temperature is set in the output run's control lines, never swept.
  const std::string output = NgspiceNetlist(Bench::Output, state.card, setup);
  EXPECT_NE(output.find("\r\noption temp=150\r\n"), std::string::npos);
  EXPECT_EQ(output.find("temp 25"), std::string::npos);
  EXPECT_EQ(output.find("dc temp"), std::string::npos);
}

/// A stand-in for ngspice that reports `banner` for "-v", keeps each netlist it is given in
/// `folder` and passes it on to the real ngspice.
std::string VersionStandIn(const testing::TempFolder& folder, std::string_view banner) {
  const std::string path = folder / "ngspice";
  testing::WriteBytes(path, "#!/bin/sh\nif [ \"$1\" = -v ]; then echo v >>'" + (folder / "asked") +
                                "'; printf '" + std::string(banner) + "'; exit 0; fi\ncat >'" +
                                (folder / "netlist") + ".'$$\nexec ngspice \"$@\" <'" + (folder / "netlist") +
                                ".'$$\n");
  std::filesystem::permissions(path, std::filesystem::perms::owner_all);
  return path;
}

std::string Netlists(const testing::TempFolder& folder) {
  std::string all;
  for (const std::string& name : folder.Names())
    if (name.starts_with("netlist.")) all += testing::ReadBytes(folder / name);
  return all;
}

// The card goes to each ngspice with TCVTH in that version's sign, and the check says which;
// a card without TCVTH does not ask for the version at all.
TEST(HotDeviceCheck, TcvthIsWrittenAndNamedInTheConventionOfTheVersionRun) {
  const WindowState hot = HotStartWindow(false);
  const std::string& line = hot.card.segment4;
  const std::size_t at = line.find("TCVTH=") + 6;
  const std::string tcvth = line.substr(at, line.find(' ', at) - at);
  ASSERT_FALSE(tcvth.starts_with("-")) << line;
  struct Case {
    std::string_view banner, convention;
    std::string written;
  };
  for (const Case& c :
       {Case{"** ngspice-46 : Circuit level simulation program\\n", "TCVTH in ngspice 46 convention",
             "-" + tcvth},
        Case{"no version here\\n", "TCVTH in ngspice 39 convention (the ngspice version could not be read)",
             tcvth}}) {
    SCOPED_TRACE(c.banner);
    testing::TempFolder folder;
    const VerificationResult result = VerifyModel(hot, {.ngspicePath = VersionStandIn(folder, c.banner)});
    ASSERT_TRUE(result.ok()) << result.message;
    EXPECT_EQ(result.tcvthConvention, c.convention);
    const std::string netlists = Netlists(folder);
    EXPECT_NE(netlists.find(" TCVTH=" + c.written + " "), std::string::npos) << netlists.substr(0, 2000);
  }
  testing::TempFolder folder;
  const VerificationResult cold =
      VerifyModel(testing::UpdatedStartWindow(), {.ngspicePath = VersionStandIn(folder, "ngspice-46")});
  ASSERT_TRUE(cold.ok()) << cold.message;
  EXPECT_EQ(cold.tcvthConvention, "");
  EXPECT_FALSE(std::filesystem::exists(std::string(folder / "asked")));
}

}  // namespace
}  // namespace vdmos
