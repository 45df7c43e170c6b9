// These tests run the real ngspice (the Debian package the project installs).

#include "verify/verify_model.h"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>

#include "platform/temp_folder.h"
#include "verify/model_curves.h"
#include "verify/verify_test_support.h"
#include "verify/verify_texts.h"

namespace vdmos {
namespace {

const VerificationRow& Row(const VerificationResult& result, std::string_view quantity,
                           std::string_view condition) {
  for (const VerificationRow& row : result.rows) {
    if (row.quantity == quantity && row.condition.starts_with(condition)) return row;
  }
  throw std::runtime_error("no row " + std::string(quantity) + " " + std::string(condition));
}

void ExpectWithin(const VerificationRow& row, double target, double percent) {
  ASSERT_TRUE(row.simulated) << row.quantity << " " << row.condition;
  EXPECT_NEAR(*row.simulated, target, target * percent / 100) << row.quantity << " " << row.condition;
}

/// The window with the documented start card and its own numbers as parameters.
WindowState StartCardWindow() {
  WindowState state;
  state.card = testing::StartCard();
  state.params = testing::StartCardParameters();
  return state;
}

TEST(VerifyModel, TheStartValuesMeetTheDatasheetInNgspice) {
  const VerificationResult result = VerifyModel(testing::UpdatedStartWindow());
  ASSERT_TRUE(result.ok()) << result.message << "\n" << result.details;
  EXPECT_EQ(result.rows.size(), 17u);
  ExpectWithin(Row(result, kRdsOnQuantity, "Vgs = 10 V, Vds = 0.1 V"), 0.16, 2);
  ExpectWithin(Row(result, kIdQuantity, "Vgs = 5.5 V, Vds = 50 V"), 20.7, 2);
  ExpectWithin(Row(result, kCissQuantity, "Vds = 25 V"), 2400, 2);
  ExpectWithin(Row(result, kCossQuantity, "Vds = 25 V"), 780, 2);
  ExpectWithin(Row(result, kCrssQuantity, "Vds = 25 V"), 50, 2);
  for (const char* condition : {"Isd = 0.4 A", "Isd = 3 A", "Isd = 45 A"}) {
    const VerificationRow& vsd = Row(result, kVsdQuantity, condition);
    ExpectWithin(vsd, *vsd.datasheet, 0.5);
  }
  // The error is against the datasheet where it has a value, else against the model.
  const VerificationRow& plateau = Row(result, kIdQuantity, "Vgs = 5.5 V, Vds = 50 V");
  EXPECT_NEAR(*plateau.errorPercent, (*plateau.simulated - 20.7) / 20.7 * 100, 1e-9);
  const VerificationRow& check = Row(result, kIdQuantity, "Vgs = 5.5 V, Vds = 10 V (check point 1)");
  EXPECT_FALSE(check.datasheet);
  EXPECT_NEAR(*check.errorPercent, (*check.simulated - *check.model) / *check.model * 100, 1e-9);

  const Characteristics& sim = result.simulated;
  EXPECT_GE(sim.transfer.points.size(), 200u);
  EXPECT_EQ(sim.output.size(), 11u);
  EXPECT_EQ(sim.output.back().label, "Vgs = 10 V");
  EXPECT_GE(sim.bodyDiode.points.size(), 600u);
  EXPECT_EQ(sim.ciss.points.size(), sim.crss.points.size());
  ASSERT_FALSE(sim.gateCharge.points.empty());
  // The gate reaches the drive voltage after taking its full charge.
  EXPECT_NEAR(sim.gateCharge.points.back().y, 15, 0.01);
  EXPECT_GT(sim.gateCharge.points.back().x, 50);
}

TEST(VerifyModel, ModelCurvesFollowWhatNgspiceComputes) {
  const WindowState state = StartCardWindow();
  const VerificationResult result = VerifyModel(state);
  ASSERT_TRUE(result.ok()) << result.message;
  const Characteristics model = ComputeModelCurves(state).curves;

  auto expectSameCurve = [](const Curve& modelCurve, const Curve& simCurve, double fromX, double percent) {
    for (const Point& s : simCurve.points) {
      if (s.x < fromX) continue;
      const auto m = std::find_if(modelCurve.points.begin(), modelCurve.points.end(), [&](const Point& p) {
        return std::abs(p.x - s.x) < 1e-9 * std::max(1.0, s.x);
      });
      ASSERT_NE(m, modelCurve.points.end()) << modelCurve.label << " at " << s.x;
      EXPECT_NEAR(m->y, s.y, std::abs(s.y) * percent / 100) << modelCurve.label << " at " << s.x;
    }
  };
  for (const auto& [m, s] : {std::pair{&model.ciss, &result.simulated.ciss},
                             {&model.coss, &result.simulated.coss},
                             {&model.crss, &result.simulated.crss}}) {
    expectSameCurve(*m, *s, 0, 0.05);
  }
  // ngspice adds a weak-inversion tail below threshold that the square law lacks; above it
  // the two agree to the tolerance of the model's own iteration.
  expectSameCurve(model.transfer, result.simulated.transfer, 4, 0.3);
  ASSERT_EQ(model.output.size(), result.simulated.output.size());
  for (std::size_t i = 4; i < model.output.size(); ++i)
    expectSameCurve(model.output[i], result.simulated.output[i], 0.25, 0.3);
  // ngspice evaluates the diode at 27 degrees C, the tool's thermal voltage is for 300 K.
  for (const VerificationRow& row : result.rows) {
    if (row.quantity == kVsdQuantity) {
      EXPECT_NEAR(*row.model, *row.simulated, 0.001 * *row.simulated) << row.condition;
    }
  }
}

TEST(VerifyModel, APChannelCardGivesTheSameMagnitudes) {
  WindowState nmos = StartCardWindow();
  WindowState pmos = nmos;
  pmos.card.segment1 = ".MODEL 20N60C3 VDMOS(KP=6.4968 RS=0.0016 RD=0.1364 RG=0.54 VTO=-3.0 ";
  pmos.card.segment3 = "IS=1.47E-08 N=1.576 RB=0.006897 m=0.797 Vj=1.03 Cjo=9600.0pF PCHAN)";
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
  VerifyOptions absent;
  absent.ngspicePath = "/nonexistent/ngspice";
  const VerificationResult noCard = VerifyModel(WindowState(), absent);
  EXPECT_EQ(noCard.status, VerifyStatus::InvalidInput);
  EXPECT_EQ(noCard.message, kNoCardText);

  WindowState unbalanced = StartCardWindow();
  unbalanced.card.segment2 = "LAMBDA=0.001 CGDMAX=5561p (";
  EXPECT_EQ(VerifyModel(unbalanced, absent).message, kCardParenthesesText);

  WindowState noDrain = StartCardWindow();
  noDrain.setText("TextBoxVdsTest", "0");
  EXPECT_EQ(VerifyModel(noDrain, absent).message, kVdsTestNotPositiveText);

  WindowState overflow = StartCardWindow();
  overflow.setText("vd3", "1e999");
  EXPECT_EQ(VerifyModel(overflow, absent).message, kFieldOverflowText);
}

TEST(VerifyModel, MissingNgspice) {
  VerifyOptions options;
  options.ngspicePath = "/nonexistent/ngspice";
  const VerificationResult result = VerifyModel(StartCardWindow(), options);
  EXPECT_EQ(result.status, VerifyStatus::NgspiceMissing);
  EXPECT_EQ(result.message,
            "ngspice was not found (\"/nonexistent/ngspice\"). Install the ngspice package, or give "
            "the path of the ngspice program.");
  EXPECT_TRUE(result.rows.empty());
}

TEST(VerifyModel, ACardThatNgspiceRejects) {
  WindowState state = StartCardWindow();
  state.card.segment1 = ".MODEL 20N60C3 VDMOS(KP=abc RS=0.0016 RD=0.1364 RG=0.54 VTO=3.0 ";
  const VerificationResult result = VerifyModel(state);
  EXPECT_EQ(result.status, VerifyStatus::NgspiceFailed);
  EXPECT_EQ(result.message,
            "ngspice stopped with an error in the transfer characteristic (exit code 1): Undefined parameter "
            "[abc]");
  EXPECT_NE(result.details.find("Undefined parameter [abc]"), std::string::npos);
}

TEST(VerifyModel, ACardWithoutSolution) {
  // A negative gate-source capacitance leaves the gate charge transient without a time step.
  WindowState state = StartCardWindow();
  state.card.segment2 = "LAMBDA=0.001 CGDMAX=5561p CGDMIN=5p CGS=-23500p TT=720n a=1.93";
  const VerificationResult result = VerifyModel(state);
  EXPECT_EQ(result.status, VerifyStatus::NoConvergence);
  EXPECT_TRUE(
      result.message.starts_with("ngspice found no solution for the gate charge test (no convergence): "))
      << result.message;
  EXPECT_NE(result.message.find("Timestep too small"), std::string::npos);
}

TEST(VerifyModel, AParameterNgspiceDoesNotKnowIsReported) {
  WindowState state = StartCardWindow();
  state.card.segment2 =
      "LAMBDA=1m FOO=3 CGDMAX=5561p CGDMIN=5p CGS=2350p TT=720n a=1.93";  // as typed in LAMBDA
  const VerificationResult result = VerifyModel(state);
  ASSERT_TRUE(result.ok()) << result.message;
  EXPECT_EQ(result.warnings, (std::vector<std::string>{"unrecognized parameter (foo) - ignored"}));
  EXPECT_TRUE(VerifyModel(StartCardWindow()).warnings.empty());
}

TEST(VerifyModel, ATimeoutStopsNgspice) {
  VerifyOptions options;
  options.timeout = std::chrono::milliseconds(1);
  const VerificationResult result = VerifyModel(StartCardWindow(), options);
  EXPECT_EQ(result.status, VerifyStatus::Timeout);
  EXPECT_EQ(result.message,
            "ngspice did not finish the transfer characteristic within 0.001 s and was stopped.");
}

/// A stand-in for ngspice: a shell script in a fresh folder.
class FakeNgspice {
 public:
  explicit FakeNgspice(std::string_view script) : path_(folder_ / "ngspice") {
    testing::WriteBytes(path_, "#!/bin/sh\n" + std::string(script) + "\n");
    std::filesystem::permissions(path_, std::filesystem::perms::owner_all);
  }
  VerifyOptions Options() const {
    VerifyOptions options;
    options.ngspicePath = path_;
    return options;
  }

 private:
  testing::TempFolder folder_;
  std::string path_;
};

TEST(VerifyModel, OutputThatIsNotWhatTheNetlistAsksFor) {
  const FakeNgspice silent("cat >/dev/null; echo 'ngspice-39 done'");
  const VerificationResult result = VerifyModel(StartCardWindow(), silent.Options());
  EXPECT_EQ(result.status, VerifyStatus::UnreadableOutput);
  EXPECT_EQ(
      result.message,
      "The output of ngspice for the transfer characteristic could not be read: \"@transfer\" is missing.");

  const FakeNgspice noValues(
      "cat >/dev/null; printf '@transfer\\nIndex v-sweep vgs id\\n0\\t0\\t0\\t0\\n@points\\nid_plat = "
      "nan\\n'");
  EXPECT_EQ(
      VerifyModel(StartCardWindow(), noValues.Options()).message,
      "The output of ngspice for the transfer characteristic could not be read: \"id_plat\" is missing.");
}

TEST(VerifyModel, ACrashOfNgspice) {
  const FakeNgspice crashing("kill -SEGV $$");
  const VerificationResult result = VerifyModel(StartCardWindow(), crashing.Options());
  EXPECT_EQ(result.status, VerifyStatus::NgspiceFailed);
  EXPECT_EQ(result.message, "ngspice ended abnormally in the transfer characteristic (signal 11).");
}

}  // namespace
}  // namespace vdmos
