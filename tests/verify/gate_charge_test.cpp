// The gate charge: the graphical construction on curves of known shape, and the model's own
// curve against the simulated test in ngspice, read by the same construction.

#include <gtest/gtest.h>

#include <cmath>

#include "model/control_names.h"
#include "model/model_card.h"
#include "model/numbers.h"
#include "verify/bench_setup.h"
#include "verify/child_process.h"
#include "verify/gate_charge_model.h"
#include "verify/gate_charge_reading.h"
#include "verify/ngspice_netlists.h"
#include "verify/ngspice_output.h"
#include "verify/verify_model.h"
#include "verify/verify_test_support.h"

namespace vdmos {
namespace {

/// A piecewise-linear gate charge curve: a rise at slope 1/c1 to the plateau at level, a
/// plateau of the charge qp, then a rise at slope 1/c2, with a slight tilt on the plateau.
std::vector<Point> IdealCurve(double c1, double level, double qp, double c2, double top) {
  std::vector<Point> curve;
  const double qgs = c1 * level;
  for (double q = 0; q < qgs; q += qgs / 50) curve.push_back({q, q / c1});
  for (double q = qgs; q < qgs + qp; q += qp / 200) curve.push_back({q, level + 0.001 * (q - qgs)});
  const double start = level + 0.001 * qp;
  for (double q = qgs + qp; start + (q - qgs - qp) / c2 <= top; q += 0.5)
    curve.push_back({q, start + (q - qgs - qp) / c2});
  return curve;
}

TEST(GateChargeReading, TheConstructionOnCurvesOfKnownShape) {
  struct Case {
    const char* what;
    std::vector<Point> curve;
    double vg;
    std::optional<GateChargeProblem> problem;
    double qgs, qgd, qg;
  };
  // 2.4 nF to 5.5 V: Qgs = 13.2 nC; 33 nC plateau; then 8 nF: Qg at 10 V = 13.2 + 33 + 8 * 4.467.
  const std::vector<Point> ideal = IdealCurve(2.4, 5.5, 33, 8, 14);
  const double qg10 = 13.2 + 33 + 8 * (10 - 5.5 - 0.033);
  for (const Case& c : std::vector<Case>{
           {"ideal", ideal, 10, std::nullopt, 13.2, 33, qg10},
           {"Qg just above the plateau", ideal, 6.5, std::nullopt, 13.2, 33, 13.2 + 33 + 8 * (1 - 0.033)},
           {"not reached", ideal, 15, GateChargeProblem::NotReached, 0, 0, 0},
           {"below the plateau", ideal, 5, GateChargeProblem::BelowPlateau, 0, 0, 0},
           {"no gate voltage", ideal, 0, GateChargeProblem::BelowPlateau, 0, 0, 0},
           {"a straight line has no plateau",
            {{0, 0}, {100, 20}},
            10,
            GateChargeProblem::BelowPlateau,
            0,
            0,
            0},
           {"one point", {{0, 0}}, 10, GateChargeProblem::NotReached, 0, 0, 0},
       }) {
    SCOPED_TRACE(c.what);
    const GateChargeReading r = ReadGateCharges(c.curve, c.vg);
    if (c.problem) {
      EXPECT_FALSE(r.charges);
      EXPECT_EQ(r.problem, c.problem);
      continue;
    }
    ASSERT_TRUE(r.charges);
    EXPECT_NEAR(r.charges->plateau, 5.5 + 0.0165, 0.02);
    // The tilt of the plateau moves the lines' meeting points by a few tenths of a nC.
    EXPECT_NEAR(r.charges->qgs, c.qgs, 0.01 * c.qgs);
    EXPECT_NEAR(r.charges->qgd, c.qgd, 0.01 * c.qgd);
    EXPECT_NEAR(r.charges->qg, c.qg, 1e-6 * c.qg);
  }
}

ModelParameterSet ParametersWith(double KP, double VTO, double RS, double RD, double LAMBDA, double RG,
                                 double CGS, double CGDMAX, double CGDMIN, double a) {
  return {.KP = KP,
          .RS = RS,
          .RD = RD,
          .VTO = VTO,
          .RG = RG,
          .LAMBDA = LAMBDA,
          .TT = 100,
          .CGDMAX = CGDMAX,
          .CGDMIN = CGDMIN,
          .CGS = CGS,
          .a = a,
          .bodyDiodeText = "IS=1E-12 N=1.2 RB=0.01 ",
          .junctionCapText = "m=0.5 Vj=0.8 Cjo=800.0pF"};
}

ModelParameterSet WithElement(ModelParameterSet params, ChargeElement element) {
  params.chargeElement = element;
  return params;
}

// The ngspice subcircuit's gate charge elements are closed-form charges, which the model
// integrates exactly, whether the gate-drain window reads the drain terminal or the drain inside
// RD through the subcircuit's sense: with them the model stays as close to the simulated test
// as without (within 0.05 % here).
TEST(GateChargeModel, AgreesWithTheSimulatedTestWithinTwoPercent) {
  struct Case {
    const char* what;
    ModelParameterSet params;
    bool pmos;
    const char *id, *vd;
    double vg;
  };
  const ModelParameterSet start = ParametersWith(6.4968, 3, 0.0016, 0.1364, 0.001, 0.54, 2350, 5561, 5, 1.93);
  const ModelParameterSet logicLevel = ParametersWith(60, 1.8, 0.002, 0.004, 0.01, 2.2, 900, 1500, 60, 0.5);
  for (const Case& c : std::vector<Case>{
           {"start values with both gate charge elements",
            WithElement(start, {{20000, 1.5, 4}, {1500, 3.2, 4.5}, 0.08}), false, "20.7", "480", 10},
           {"start values with the gate-drain element, P channel",
            WithElement(start, {{12000, 0.8, 100}, {}, 0.05}), true, "20.7", "480", 10},
           // RD's drop at 20.7 A is 2.8 V: at the terminal this window would act only after
           // the plateau.
           {"start values with the gate-drain element reading inside RD",
            WithElement(start, {{20000, 1.5, 4}, {1500, 3.2, 4.5}, 0.08, true}), false, "20.7", "480", 10},
           {"start values with the gate-drain element reading inside RD, P channel",
            WithElement(start, {{12000, 0.8, 100}, {-500, 1, 2.5}, 0.05, true}), true, "20.7", "480", 10},
           {"30 V logic level with the gate-drain element",
            WithElement(logicLevel, {{4000, 0.5, 2}, {2000, 1, 1.6}, 0.025}), false, "25", "15", 4.5},
           {"start values", start, false, "20.7", "480", 10},
           {"start values, P channel", start, true, "20.7", "480", 10},
           {"30 V logic level", logicLevel, false, "25", "15", 4.5},
           {"strong channel-length modulation",
            ParametersWith(20, 3, 0.005, 0.02, 0.05, 2, 1500, 800, 20, 0.3), false, "16", "80", 10},
       }) {
    SCOPED_TRACE(c.what);
    WindowState state;
    state.params = c.params;
    if (c.pmos) state.params.VTO = -state.params.VTO;
    state.setText(control::IdCharge, c.id);
    state.setText(control::VdCharge, c.vd);
    state.card = BuildCardTexts("DUT", state.params, DefaultNumberText(c.params.LAMBDA),
                                c.pmos ? kPChannelSuffix : "");
    const VerificationResult simulated = VerifyModel(state);
    ASSERT_TRUE(simulated.ok()) << simulated.message;

    const BenchSetup setup = ReadBenchSetup(state);
    const std::vector<Point> model = ModelGateChargeCurve(
        GateChargeDeviceOf(state.params, c.pmos), {setup.chargeId, setup.chargeVds, setup.gateCurrent}, c.vg);
    const GateChargeReading fromModel = ReadGateCharges(model, c.vg);
    const GateChargeReading fromNgspice = ReadGateCharges(simulated.simulated.gateCharge.points, c.vg);
    ASSERT_TRUE(fromModel.charges && fromNgspice.charges);
    EXPECT_NEAR(fromModel.charges->qgs, fromNgspice.charges->qgs, 0.02 * fromNgspice.charges->qgs);
    EXPECT_NEAR(fromModel.charges->qgd, fromNgspice.charges->qgd, 0.02 * fromNgspice.charges->qgd);
    EXPECT_NEAR(fromModel.charges->qg, fromNgspice.charges->qg, 0.02 * fromNgspice.charges->qg);
    EXPECT_NEAR(fromModel.charges->plateau, fromNgspice.charges->plateau,
                0.02 * fromNgspice.charges->plateau);
  }
}

// The gate charge netlist run hot, as a user may run it: the device still takes the test
// current and the gate crosses its plateau (the bench's clamp diode, left to ngspice's
// temperature law, held the drain at Vds at 125 C).
TEST(GateChargeBench, RunHotTheDeviceStillTakesTheCurrent) {
  WindowState state = testing::UpdatedStartWindow();
  std::string netlist = NgspiceNetlist(Bench::GateCharge, state.card, ReadBenchSetup(state));
  netlist.insert(netlist.find(".control"), ".options temp=125\r\n");
  const ChildOutcome run = RunChildren({NgspiceBatchRun(netlist)}, {})[0];
  ASSERT_EQ(run.exitCode, 0) << run.err;
  std::vector<Point> curve;
  for (const OutputSection& section : ParseNgspiceOutput(run.out)) {
    const std::optional<std::vector<double>> qg = section.Column("qg"), vgs = section.Column("vgs");
    if (!qg || !vgs) continue;
    for (std::size_t i = 0; i < qg->size(); ++i) curve.push_back({(*qg)[i], (*vgs)[i]});
  }
  const GateChargeReading reading = ReadGateCharges(curve, 10);
  ASSERT_TRUE(reading.charges) << run.out;
  EXPECT_GT(reading.charges->qgd, reading.charges->qgs);
}

// A fit walks the channel's path once and reprices it: the path must not depend on what
// prices it, or the fit would read a curve the device does not have.
TEST(GateChargeModel, OnePathServesEveryPricingOfTheChannel) {
  const GateChargeDevice walked{12, 3, 0.01, 0.05, 0.01, 1.5, 1200, 400, 30, 0.8};
  GateChargeDevice priced = walked;
  priced.CGS = 2000;
  priced.CGDMAX = 900;
  priced.CGDMIN = 5;
  priced.a = 0.2;
  priced.element = ChargeElement{{500, 1, 8}, {200, 0.5, 4}, 0.3};
  const GateChargeTest test{10, 48, 1e-3};
  const std::vector<Point> along = GateChargeCurveAlong(priced, test, GateChargePath(walked, test, 10));
  const std::vector<Point> own = ModelGateChargeCurve(priced, test, 10);
  ASSERT_GT(own.size(), 50u);
  ASSERT_EQ(along.size(), own.size());
  for (std::size_t i = 0; i < own.size(); ++i) {
    EXPECT_EQ(along[i].x, own[i].x) << i;
    EXPECT_EQ(along[i].y, own[i].y) << i;
  }
}

}  // namespace
}  // namespace vdmos
