// The gate threshold at its test current after refinement, judged in ngspice: on real devices
// typed from their datasheets and on virtual devices of another model structure whose true
// curves are known, where the low end of the transfer curve is held too.

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <string>
#include <utility>

#include "commands/datasheet_commands.h"
#include "commands/model_update.h"
#include "datasheet_device.h"
#include "model/control_names.h"
#include "platform/scripted_platform.h"
#include "refine/refine_command.h"
#include "refine/refine_texts.h"
#include "refine/virtual_device.h"
#include "verify/verify_model.h"
#include "verify/verify_texts.h"

namespace vdmos {
namespace {

constexpr double kThresholdLimitPercent = 2;
constexpr double kDcLimitPercent = 2;

std::string Percent(double value) {
  char text[32];
  std::snprintf(text, sizeof text, "%+.2f", value);
  return text;
}

const VerificationRow& ThresholdRow(const VerificationResult& result) {
  for (const VerificationRow& row : result.rows)
    if (row.quantity == kVthQuantity) return row;
  throw std::runtime_error("no threshold row");
}

double WorstDrivenDcError(const VerificationResult& result) {
  double worst = 0;
  for (const VerificationRow& row : result.rows)
    if (row.datasheet && (row.quantity == kRdsOnQuantity || row.quantity == kIdQuantity))
      worst = std::max(worst, std::abs(row.errorPercent.value_or(INFINITY)));
  return worst;
}

struct Outcome {
  double fitted = 0, refined = 0;  ///< the threshold's ngspice error, percent
  double refinedDc = 0;            ///< the refined card's worst ngspice error at Rds(on) and Id
  VerificationResult fittedCheck, refinedCheck;
  std::string card, summary;
};

/// Updates the model, checks it, refines and checks again.
Outcome FitAndRefine(WindowState& state) {
  ScriptedPlatform platform;
  UpdateModel(state, platform);
  Outcome o;
  o.fittedCheck = VerifyModel(state);
  EXPECT_TRUE(o.fittedCheck.ok()) << o.fittedCheck.message;
  EXPECT_TRUE(RefineModel(state, platform)) << ::testing::PrintToString(platform.MessageTexts());
  o.refinedCheck = VerifyModel(state);
  EXPECT_TRUE(o.refinedCheck.ok()) << o.refinedCheck.message;
  EXPECT_TRUE(o.refinedCheck.warnings.empty()) << o.refinedCheck.warnings.front();
  o.fitted = ThresholdRow(o.fittedCheck).errorPercent.value_or(NAN);
  o.refined = ThresholdRow(o.refinedCheck).errorPercent.value_or(NAN);
  o.refinedDc = WorstDrivenDcError(o.refinedCheck);
  o.card = state.text(control::Text19);
  o.summary = state.text(control::StatusBar1);
  return o;
}

TEST(ThresholdRefinement, RealDevicesMeetTheirThresholdInNgspice) {
  for (const std::string part : kDatasheetDevices) {
    const std::string name = DeviceName(part);
    SCOPED_TRACE(name);
    WindowState state = OpenDevice(part);
    const Outcome o = FitAndRefine(state);
    RecordProperty(name, "Vgs(th) " + Percent(o.fitted) + " -> " + Percent(o.refined) + " %, DC " +
                             Percent(o.refinedDc) + " %");
    EXPECT_LE(o.refinedDc, kDcLimitPercent);
    EXPECT_NE(o.card.find("KSUBTHRES="), std::string::npos);
    // IRLML6402's transfer points (1.6 V / 3.7 A, 2.5 V / 12 A) put a square law's VTO near
    // 0.5 V, and its subthreshold tail only lowers the threshold further: no VDMOS card meets
    // them within 2 % and a 0.8 V threshold at 250 uA (the middle of 0.4 to 1.2 V) together.
    // The threshold yields to the typical values, coming only as close as they allow, and the
    // summary says what meeting it would cost them.
    const bool told = o.summary.find(kThresholdTradeOffOpening) != std::string::npos;
    if (part == "IRLML6402") {
      EXPECT_LT(std::abs(o.refined), std::abs(o.fitted) / 2);
      EXPECT_TRUE(told) << o.summary;
      continue;
    }
    EXPECT_LE(std::abs(o.refined), kThresholdLimitPercent);
    EXPECT_FALSE(told) << o.summary;
  }
}

// A test current no gate voltage reaches, or none at all, is no target: the refinement goes on
// with the other points and sets no slope.
TEST(ThresholdRefinement, AnUnusableTestCurrentLeavesTheSlopeAlone) {
  for (const char* current : {"1e20", "0", "-250u"}) {
    WindowState state;
    state.setText(control::VthCurrent, current);
    ScriptedPlatform platform;
    UpdateModel(state, platform);
    ASSERT_TRUE(RefineModel(state, platform)) << current;
    EXPECT_FALSE(state.params.KSUBTHRES) << current;
  }
}

// A low threshold typed beside transfer points that a square law meets only with the threshold
// given away: the DC parameters that meet them best (VTO below 0, the slope at its bound) carry
// the threshold's current with the gate on the source. Such a card is not taken for an
// enhancement-mode part, and the summary says why the DC parameters stay the fitted card's.
TEST(ThresholdRefinement, ANormallyOnCardIsNotTakenForAnEnhancementPart) {
  WindowState state = OpenDevice("IRLML6402");
  for (const auto& [control, text] : {std::pair{control::Text3, "0.4344"}, std::pair{control::Vplat, "1.042"},
                                      std::pair{control::Text5, "2.057"}, std::pair{control::Idplat, "2.095"},
                                      std::pair{control::Text4, "6.794"}})
    state.setText(control, text);
  ScriptedPlatform platform;
  UpdateModel(state, platform);
  const ModelParameterSet fitted = state.params;
  ASSERT_TRUE(RefineModel(state, platform));
  EXPECT_EQ(state.params.VTO, fitted.VTO);
  EXPECT_EQ(state.params.KSUBTHRES, fitted.KSUBTHRES);
  EXPECT_NE(state.text(control::StatusBar1).find(kDcNormallyOnText), std::string::npos)
      << state.text(control::StatusBar1);
}

TEST(ThresholdRefinement, VirtualDevicesOfOtherModelStructures) {
  using testing::VirtualDevice;
  for (const VirtualDevice& device : {VirtualDevice{"level1_nmos", false, 10, 25, 7, 25, 100, 1.2},
                                      VirtualDevice{"level3_nmos", false, 10, 25, 7, 25, 100, 2},
                                      VirtualDevice{"level1_pmos", true, 10, 25, 6, 25, 60, 3}}) {
    SCOPED_TRACE(device.name);
    const testing::VirtualDatasheet sheet = testing::MeasureVirtualDevice(device);
    WindowState state = testing::TypedVirtualDatasheet(device, sheet);
    const Outcome o = FitAndRefine(state);
    // The low end of the transfer curve: the gate voltage at a thirtieth of the largest current
    // on the true device, and the cards' current there in ngspice.
    const double lowId = sheet.maxId / 30;
    const double lowVgs = testing::GateVoltageAt(sheet.transfer, lowId);
    auto lowEndError = [&](const VerificationResult& check) {
      std::vector<std::pair<double, double>> curve;
      for (const Point& p : check.simulated.transfer.points) curve.emplace_back(p.x, p.y);
      // The card's curve is sampled coarser: its current at lowVgs, read between its points.
      for (std::size_t i = 1; i < curve.size(); ++i) {
        const auto [v0, i0] = curve[i - 1];
        const auto [v1, i1] = curve[i];
        if (v0 <= lowVgs && lowVgs <= v1 && i0 > 0)
          return (i0 * std::pow(i1 / i0, (lowVgs - v0) / (v1 - v0)) - lowId) / lowId * 100;
      }
      return double(NAN);
    };
    const double fittedLow = lowEndError(o.fittedCheck), refinedLow = lowEndError(o.refinedCheck);
    RecordProperty(device.name, "Vgs(th) " + Percent(o.fitted) + " -> " + Percent(o.refined) +
                                    " %, Id at a thirtieth of the largest " + Percent(fittedLow) + " -> " +
                                    Percent(refinedLow) + " %, DC " + Percent(o.refinedDc) + " %");
    EXPECT_LE(std::abs(o.refined), kThresholdLimitPercent);
    EXPECT_LE(o.refinedDc, kDcLimitPercent);
    EXPECT_LE(std::abs(refinedLow), std::abs(fittedLow) + 0.5);
  }
}

}  // namespace
}  // namespace vdmos
