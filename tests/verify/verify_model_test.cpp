// These tests run the real ngspice (the Debian package the project installs).

#include "verify/verify_model.h"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>

#include "model/card_texts.h"
#include "model/control_names.h"
#include "model/model_card.h"
#include "platform/temp_folder.h"
#include "verify/gate_charge_reading.h"
#include "verify/model_curves.h"
#include "verify/verify_test_support.h"
#include "verify/verify_texts.h"

namespace vdmos {
namespace {

using testing::StartCardWindow;

const VerificationRow& Row(const VerificationResult& result, std::string_view quantity,
                           std::string_view condition) {
  for (const VerificationRow& row : result.rows) {
    if (row.quantity == quantity && row.condition.starts_with(condition)) return row;
  }
  throw std::runtime_error("no row " + std::string(quantity) + " " + std::string(condition));
}

// The start card in ngspice: within 2 % of the datasheet, and the curves the window draws
// from the card follow what ngspice computes.
TEST(VerifyModel, TheStartCardMeetsTheDatasheetAndTheModelCurvesInNgspice) {
  const WindowState state = StartCardWindow();
  const VerificationResult result = VerifyModel(state);
  ASSERT_TRUE(result.ok()) << result.message << "\n" << result.details;
  EXPECT_EQ(result.rows.size(), 21u);
  EXPECT_TRUE(result.warnings.empty());
  const std::tuple<std::string_view, std::string_view, double, double> targets[] = {
      {kRdsOnQuantity, "Vgs = 10 V, Vds = 0.1 V", 0.16, 2},
      {kIdQuantity, "Vgs = 5.5 V, Vds = 50 V", 20.7, 2},
      {kCissQuantity, "Vds = 25 V", 2400, 2},
      {kCossQuantity, "Vds = 25 V", 780, 2},
      {kCrssQuantity, "Vds = 25 V", 50, 2},
      {kVsdQuantity, "Isd = 0.4 A", 0.7, 0.5},
      {kVsdQuantity, "Isd = 3 A", 0.8, 0.5},
      {kVsdQuantity, "Isd = 45 A", 1.2, 0.5},
  };
  for (const auto& [quantity, condition, target, percent] : targets) {
    const VerificationRow& row = Row(result, quantity, condition);
    ASSERT_TRUE(row.simulated) << quantity << " " << condition;
    EXPECT_NEAR(*row.simulated, target, target * percent / 100) << quantity << " " << condition;
    // ngspice evaluates the diode at 27 degrees C, the tool's thermal voltage is for 300 K.
    if (quantity == kVsdQuantity) {
      EXPECT_NEAR(*row.model, *row.simulated, 0.001 * *row.simulated);
    }
  }
  // The threshold: the model's subthreshold law is ngspice's, to the sweep's reading.
  const VerificationRow& threshold = Row(result, kVthQuantity, "Id = 0.00025 A, Vds = Vgs");
  ASSERT_TRUE(threshold.model && threshold.simulated) << threshold.note;
  EXPECT_NEAR(*threshold.simulated, *threshold.model, 1e-4);
  EXPECT_EQ(threshold.datasheet, 3);
  EXPECT_EQ(threshold.unit, "V");
  // The error is against the datasheet where it has a value, else against the model.
  const VerificationRow& plateau = Row(result, kIdQuantity, "Vgs = 5.5 V, Vds = 50 V");
  EXPECT_NEAR(*plateau.errorPercent, (*plateau.simulated - 20.7) / 20.7 * 100, 1e-9);
  const VerificationRow& check = Row(result, kIdQuantity, "Vgs = 5.5 V, Vds = 10 V (check point 1)");
  EXPECT_FALSE(check.datasheet);
  EXPECT_NEAR(*check.errorPercent, (*check.simulated - *check.model) / *check.model * 100, 1e-9);
  // The gate runs past the gate voltage of Qg after taking its full charge.
  ASSERT_FALSE(result.simulated.gateCharge.points.empty());
  EXPECT_GT(result.simulated.gateCharge.points.back().y, 12.5);
  EXPECT_GT(result.simulated.gateCharge.points.back().x, 50);

  const Characteristics model = ComputeModelCurves(state).curves;
  auto expectSameCurve = [](const Curve& modelCurve, const Curve& simCurve, double fromX, double percent) {
    for (const Point& s : simCurve.points) {
      if (s.x < fromX) continue;
      const auto m = std::ranges::find_if(
          modelCurve.points, [&](const Point& p) { return std::abs(p.x - s.x) < 1e-9 * std::max(1.0, s.x); });
      ASSERT_NE(m, modelCurve.points.end()) << modelCurve.label << " at " << s.x;
      EXPECT_NEAR(m->y, s.y, std::abs(s.y) * percent / 100) << modelCurve.label << " at " << s.x;
    }
  };
  for (Curve Characteristics::*c : {&Characteristics::ciss, &Characteristics::coss, &Characteristics::crss})
    expectSameCurve(model.*c, result.simulated.*c, 0, 0.05);
  // ngspice adds a weak-inversion tail below threshold that the square law lacks; above it
  // the two agree to the tolerance of the model's own iteration.
  expectSameCurve(model.transfer, result.simulated.transfer, 4, 0.3);
  // The gate charges: the model's own within 2 % of ngspice's, both read by the same construction.
  for (const auto& [quantity, datasheet, simulated] :
       {std::tuple{kQgsQuantity, 11.0, 13.09}, {kQgdQuantity, 33.0, 36.0}, {kQgQuantity, 87.0, 86.3}}) {
    const VerificationRow& row = Row(result, quantity, "Id = 20.7 A, Vd = 480 V, Vgs = 10 V");
    EXPECT_EQ(row.datasheet, datasheet);
    ASSERT_TRUE(row.model && row.simulated) << quantity << " " << row.note;
    EXPECT_NEAR(*row.simulated, simulated, 0.01 * simulated) << quantity;
    EXPECT_NEAR(*row.model, *row.simulated, 0.02 * *row.simulated) << quantity;
    EXPECT_EQ(row.unit, "nC");
  }
  ASSERT_EQ(result.simulated.output.size(), model.output.size());  // the model's count is its own test's
  for (std::size_t i = 4; i < model.output.size(); ++i)
    expectSameCurve(model.output[i], result.simulated.output[i], 0.25, 0.3);
}

// The model column is the card as printed, which ngspice simulates: a tiny part's whole
// picofarads (CGDMIN 5.4 pF printed as 5p) are the model's too, not the fit's unrounded value.
TEST(VerifyModel, TheModelColumnIsTheCardAsPrinted) {
  WindowState state = StartCardWindow();
  state.params.CGDMIN = 5.4;
  state.card =
      BuildCardTexts(state.text(control::Text20), state.params, state.text(control::Text_LAMBDA), "");
  ASSERT_NE(state.card.segment2.find("CGDMIN=5p"), std::string::npos) << state.card.segment2;
  const VerificationResult result = VerifyModel(state);
  ASSERT_TRUE(result.ok()) << result.message;
  const VerificationRow& crss = Row(result, kCrssQuantity, "Vds = 600 V");
  ASSERT_TRUE(crss.model && crss.simulated);
  EXPECT_NEAR(*crss.model, *crss.simulated, 0.005 * *crss.simulated);
}

// The model column too: the model curves turn a P-channel card's threshold back.
TEST(VerifyModel, APChannelCardGivesTheSameMagnitudes) {
  const WindowState nmos = StartCardWindow();
  WindowState pmos = nmos;
  pmos.card = testing::PChannelStartCard();
  pmos.params.VTO = -3;
  const VerificationResult n = VerifyModel(nmos);
  const VerificationResult p = VerifyModel(pmos);
  ASSERT_TRUE(n.ok()) << n.message;
  ASSERT_TRUE(p.ok()) << p.message;
  ASSERT_EQ(n.rows.size(), p.rows.size());
  for (std::size_t i = 0; i < n.rows.size(); ++i) {
    EXPECT_EQ(n.rows[i].condition, p.rows[i].condition);
    EXPECT_NEAR(*p.rows[i].simulated, *n.rows[i].simulated, 1e-4 * *n.rows[i].simulated)
        << n.rows[i].condition;
    EXPECT_EQ(p.rows[i].model, n.rows[i].model);
  }
  EXPECT_NEAR(p.simulated.gateCharge.points.back().x, n.simulated.gateCharge.points.back().x, 0.01);
}

TEST(VerifyModel, WhatNgspiceCannotRunIsReportedWithoutRunningIt) {
  const std::pair<void (*)(WindowState&), std::string_view> cases[] = {
      {[](WindowState& s) { s.card = {}; }, kNoCardText},
      {[](WindowState& s) { s.card.segment2 = "LAMBDA=0.001 CGDMAX=5561p ("; }, kCardParenthesesText},
      {[](WindowState& s) { s.setText(control::TextBoxVdsTest, "0"); }, kVdsTestNotPositiveText},
      {[](WindowState& s) { s.setText(control::vd3, "1e999"); }, kFieldOverflowText},
  };
  for (const auto& [change, message] : cases) {
    WindowState state = StartCardWindow();
    change(state);
    const VerificationResult result = VerifyModel(state, {.ngspicePath = "/nonexistent/ngspice"});
    EXPECT_EQ(result.status, VerifyStatus::InvalidInput) << message;
    EXPECT_EQ(result.message, message);
  }
}

// Each way a run can fail names the bench and the reason; nothing half-read is reported. The
// stand-ins for ngspice are shell scripts.
TEST(VerifyModel, EachFailureOfARunIsReported) {
  using testing::StartCardWith;
  struct Case {
    CardTexts card;
    std::string ngspice;  ///< a path, or "script:" and a shell script
    int timeoutMs;
    VerifyStatus status;
    std::string message;  ///< how the message begins
  };
  const CardTexts start = testing::StartCard();
  const std::string unreadable = "The output of ngspice for the transfer characteristic could not be read: ";
  const Case cases[] = {
      {start, "/nonexistent/ngspice", 10000, VerifyStatus::NgspiceMissing,
       "ngspice was not found (\"/nonexistent/ngspice\"). Install the ngspice package, or give the "
       "path of the ngspice program."},
      // What ngspice 39 writes for a card value it cannot read (such cards are refused before
      // ngspice runs now; its error output is the same for any fatal error of a netlist).
      {start,
       "script:cat >/dev/null; printf 'Netlist line no. 3:\\nUndefined parameter [abc]\\nNetlist line no. "
       "3:\\nCannot compute substitute\\n\\nERROR: fatal error in ngspice, exit(1)\\n' >&2; exit 1",
       10000, VerifyStatus::NgspiceFailed,
       "ngspice stopped with an error in the transfer characteristic (exit code 1): Undefined parameter "
       "[abc]"},
      // Which bench is still running at so short a deadline depends on the machine's load: a
      // bench that finished in time is rightly not named.
      {start, "ngspice", 1, VerifyStatus::Timeout, "ngspice did not finish the "},
      // A control script command that fails ends ngspice with status 0 all the same, and a
      // measurement on the vector it did not make prints 0.
      {start, "script:sed 's/\\[id\\]/[idx]/g' | ngspice \"$@\"", 10000, VerifyStatus::NgspiceFailed,
       "ngspice reported an error in the "},
      {start, "script:kill -SEGV $$", 10000, VerifyStatus::NgspiceFailed,
       "ngspice ended abnormally in the transfer characteristic (signal 11)."},
      // An output cut short, ended with status 0 all the same, is not read as values not reached.
      {start, "script:cat >/dev/null; echo 'ngspice-39 done'", 10000, VerifyStatus::UnreadableOutput,
       unreadable + "\"@end\", the last line it prints, is missing."},
      {start, "script:cat >/dev/null; echo '@end'", 10000, VerifyStatus::UnreadableOutput,
       unreadable + "\"@transfer\" is missing."},
      {start,
       "script:cat >/dev/null; "
       "printf '@transfer\\nIndex v-sweep vgs id\\n0\\t0\\t0\\t0\\n@points\\nid_plat = nan\\n@end\\n'",
       10000, VerifyStatus::UnreadableOutput, unreadable + "\"id_plat\" is missing."},
  };
  for (const Case& c : cases) {
    WindowState state = StartCardWindow();
    state.card = c.card;
    testing::TempFolder folder;
    VerifyOptions options{.ngspicePath = c.ngspice, .timeout = std::chrono::milliseconds(c.timeoutMs)};
    if (c.ngspice.starts_with("script:")) {
      options.ngspicePath = folder / "ngspice";
      testing::WriteBytes(options.ngspicePath, "#!/bin/sh\n" + c.ngspice.substr(7) + "\n");
      std::filesystem::permissions(options.ngspicePath, std::filesystem::perms::owner_all);
    }
    const VerificationResult result = VerifyModel(state, options);
    EXPECT_EQ(result.status, c.status) << c.message;
    EXPECT_TRUE(result.message.starts_with(c.message)) << result.message;
    if (c.status == VerifyStatus::Timeout) {
      EXPECT_TRUE(result.message.ends_with(" within 0.001 s and was stopped.")) << result.message;
    }
    EXPECT_TRUE(result.rows.empty()) << c.message;
  }
}

// A gate charge transient that crawls to the deadline, as an ngspice subcircuit's elements can
// on a stiff part, stops its own rows only: the rest of the table stands.
TEST(VerifyModel, AGateChargeTestPastTheDeadlineLeavesTheOtherRows) {
  testing::TempFolder folder;
  VerifyOptions options{.ngspicePath = folder / "ngspice", .timeout = std::chrono::seconds(3)};
  testing::WriteBytes(
      options.ngspicePath,
      "#!/bin/sh\nnetlist=$(cat); case \"$netlist\" in *'gate charge'*) exec sleep 30;; esac; "
      "printf '%s' \"$netlist\" | ngspice \"$@\"\n");
  std::filesystem::permissions(options.ngspicePath, std::filesystem::perms::owner_all);
  const VerificationResult result = VerifyModel(StartCardWindow(), options);
  ASSERT_TRUE(result.ok()) << result.message;
  EXPECT_TRUE(Row(result, kRdsOnQuantity, "Vgs = 10 V").simulated);
  const VerificationRow& qg = Row(result, kQgQuantity, "Id = ");
  EXPECT_FALSE(qg.simulated);
  EXPECT_TRUE(qg.note.starts_with("ngspice did not finish the gate charge test within 3 s")) << qg.note;
}

// What stops a gate charge comparison is said in its rows, and the other rows still stand.
TEST(VerifyModel, TheGateChargeRowsSayWhatStopsThem) {
  struct Case {
    std::vector<std::pair<const char*, const char*>> fields;
    std::string ngspice;               ///< a shell script standing in for ngspice, or empty
    std::array<std::string, 3> notes;  ///< how the notes of Qgs, Qgd and Qg begin
    bool simulated;
  };
  const std::string chargeSum(kChargeSumNote);
  const std::string belowPlateau = GateChargeProblemText(GateChargeProblem::BelowPlateau, 4);
  const std::string noSolution = "ngspice found no solution for the gate charge test (no convergence): ";
  const std::string notRun(kGateChargeNotPositiveText);
  // Fails the whole check if the gate charge test runs.
  const std::string noGateChargeRun =
      "netlist=$(cat); case \"$netlist\" in *'gate charge'*) exit 1;; esac; "
      "printf '%s' \"$netlist\" | ngspice \"$@\"";
  for (const Case& c : std::vector<Case>{
           {{{control::IdCharge, ""}}, noGateChargeRun, {notRun, notRun, notRun}, false},
           {{{control::VdCharge, "-480"}}, noGateChargeRun, {notRun, notRun, notRun}, false},
           {{{control::Qgs, "-1"}}, "", {std::string(kChargeNotPositiveNote), "", ""}, true},
           {{{control::Qg, "40"}}, "", {chargeSum, chargeSum, chargeSum}, true},
           {{{control::Qgs, ""}}, "", {"", "", ""}, true},
           {{{control::VgCharge, "4"}}, "", {belowPlateau, belowPlateau, belowPlateau}, false},
           // The gate charge transient alone finds no time step.
           {{},
            "netlist=$(cat); case \"$netlist\" in *'gate charge'*) "
            "echo 'doAnalyses: TRAN:  Timestep too small' >&2; exit 1;; esac; "
            "printf '%s' \"$netlist\" | ngspice \"$@\"",
            {noSolution, noSolution, noSolution},
            false},
       }) {
    WindowState state = StartCardWindow();
    for (const auto& [control, text] : c.fields) state.setText(control, text);
    testing::TempFolder folder;
    VerifyOptions options;
    if (!c.ngspice.empty()) {
      options.ngspicePath = folder / "ngspice";
      testing::WriteBytes(options.ngspicePath, "#!/bin/sh\n" + c.ngspice + "\n");
      std::filesystem::permissions(options.ngspicePath, std::filesystem::perms::owner_all);
    }
    const VerificationResult result = VerifyModel(state, options);
    ASSERT_TRUE(result.ok()) << result.message;
    EXPECT_TRUE(Row(result, kRdsOnQuantity, "Vgs = 10 V").simulated);
    const std::string vg = state.text(control::VgCharge);
    for (std::size_t i = 0; i < 3; ++i) {
      const VerificationRow& row =
          Row(result, std::array{kQgsQuantity, kQgdQuantity, kQgQuantity}[i], "Id = ");
      SCOPED_TRACE(row.quantity + ": " + row.note);
      EXPECT_TRUE(row.note.starts_with(c.notes[i]));
      EXPECT_EQ(row.note.empty(), c.notes[i].empty());
      EXPECT_EQ(row.simulated.has_value(), c.simulated);
      // An error is taken against a usable datasheet value, or against the model without one.
      EXPECT_EQ(row.errorPercent.has_value(), c.simulated && c.notes[i].empty());
    }
  }
}

// The threshold row: a test current that is no positive number names the field and measures
// nothing, the other rows standing; one the gate sweep never reaches says so; and a card with a
// subthreshold slope of its own is measured with it.
TEST(VerifyModel, TheThresholdRowSaysWhatStopsIt) {
  for (const char* current : {"0", "-1m", "abc"}) {
    WindowState state = StartCardWindow();
    state.setText(control::VthCurrent, current);
    const VerificationResult result = VerifyModel(state);
    ASSERT_TRUE(result.ok()) << result.message;
    const VerificationRow& row = Row(result, kVthQuantity, "Id = ");
    EXPECT_EQ(row.note, kThresholdCurrentNote) << current;
    EXPECT_FALSE(row.model || row.simulated || row.errorPercent) << current;
    EXPECT_TRUE(Row(result, kRdsOnQuantity, "Vgs = 10 V").simulated);
  }
  WindowState state = StartCardWindow();
  state.setText(control::VthCurrent, "1e6");
  const VerificationResult high = VerifyModel(state);
  const VerificationRow& unreached = Row(high, kVthQuantity, "Id = ");
  EXPECT_EQ(unreached.note, kThresholdNotReachedNote);
  EXPECT_FALSE(unreached.simulated);

  state = StartCardWindow();
  state.params.KSUBTHRES = 0.06;
  state.card.segment2 += " KSUBTHRES=0.06";
  const VerificationResult steep = VerifyModel(state);
  ASSERT_TRUE(steep.ok()) << steep.message;
  const VerificationRow& row = Row(steep, kVthQuantity, "Id = ");
  ASSERT_TRUE(row.model && row.simulated);
  EXPECT_NEAR(*row.simulated, *row.model, 1e-4);
  const VerificationResult start = VerifyModel(StartCardWindow());
  EXPECT_GT(*row.simulated, *Row(start, kVthQuantity, "Id = ").simulated + 0.05);
}

// What ngspice does not take as written (a parameter it does not know, a junction potential it
// limits) changes its results without failing the run, so the check must pass the word on.
TEST(VerifyModel, AParameterNgspiceDoesNotTakeAsWrittenIsReported) {
  struct Case {
    std::string segment2, segment3, warning;
  };
  const std::vector<Case> cases{
      {"LAMBDA=1m FOO=3 CGDMAX=5561p CGDMIN=5p CGS=2350p TT=720n a=1.93", golden::kStartSegment3,
       "unrecognized parameter (foo) - ignored"},
      {golden::kStartSegment2, "IS=1.47E-08 N=1.576 RB=0.006897 m=0.797 Vj=10.57 Cjo=9600.0pF)",
       "junction potential VJ too large, limited to"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.warning);
    WindowState state = StartCardWindow();
    state.card.segment2 = c.segment2;
    state.card.segment3 = c.segment3;
    const VerificationResult result = VerifyModel(state);
    ASSERT_TRUE(result.ok()) << result.message;
    ASSERT_EQ(result.warnings.size(), 1u);
    EXPECT_NE(result.warnings[0].find(c.warning), std::string::npos) << result.warnings[0];
  }
}

// The gate charge bench adds models of its own (the gate hold switch, the drain clamp): a card
// of the same name, in any case, once stopped ngspice with two models of one name.
TEST(VerifyModel, ACardNamedAsABenchModelIsStillChecked) {
  for (const char* name : {"DCLAMP", "gatehold"}) {
    SCOPED_TRACE(name);
    WindowState state = StartCardWindow();
    state.card.segment1.replace(state.card.segment1.find("20N60C3"), 7, name);
    state.setText(control::Text20, name);
    const VerificationResult result = VerifyModel(state);
    ASSERT_TRUE(result.ok()) << result.message;
    EXPECT_TRUE(Row(result, kQgQuantity, "Id = ").simulated);
  }
}

}  // namespace
}  // namespace vdmos
