#pragma once
// Every text of the refinement and the switch advice.

#include <string_view>

namespace vdmos {

inline constexpr std::string_view kRefineNeedsDcPointsText =
    "Refining needs Rds_on with its gate voltage, the gate plateau point (Vplat, Idplat) and the "
    "maximum-current "
    "point (Vgs and Max Id of the transfer characteristic). Fill in these fields, then refine again.";
inline constexpr std::string_view kRefineNoFitText =
    "The model card has no usable DC fit to start from (KP is 0). Check the DC fields, update the model, "
    "then "
    "refine again.";
inline constexpr std::string_view kRefineErrorCardText =
    "The model could not be calculated from these values, so there is nothing to refine. Correct the fields "
    "and "
    "update the model first.";
inline constexpr std::string_view kRefineTransferOrderText =
    "The maximum-current point must lie at a higher gate voltage and a higher current than the gate plateau "
    "point; no model can meet these two points. Check Vplat, Idplat and the transfer characteristic values.";
inline constexpr std::string_view kRefineCapacitanceOrderOpening = "The datasheet's ";
inline constexpr std::string_view kRefineCapacitanceOrderClosing =
    " must fall as the drain voltage rises; no model can meet these values. Check the capacitance grid.";
inline constexpr std::string_view kRefineCrssAboveText =
    "Crss must be smaller than Ciss and Coss at the same drain voltage; no model can meet these values. "
    "Check the "
    "capacitance grid.";
inline constexpr std::string_view kRefineFailedText =
    "The refinement found no result (the optimiser stopped without one). The card is left as it was.";
inline constexpr std::string_view kRefineGateChargeConditionsText =
    "Refining to the gate charges needs the gate charge test's Id and Vd and the gate voltage of Qg above 0. "
    "Fill them in, or empty Qgs, Qgd and Qg to leave the gate charges out, then refine again.";
inline constexpr std::string_view kRefineChargeNotPositiveOpening = "The datasheet's ";
inline constexpr std::string_view kRefineChargeNotPositiveClosing =
    " must be above 0 nC; no model can meet it. Correct it, or empty it to leave it out, then refine again.";
inline constexpr std::string_view kRefineChargeSumText =
    "Qgs + Qgd is larger than Qg, which holds them both; no model can meet these values. Check Qgs, Qgd and "
    "Qg.";
inline constexpr std::string_view kRefineChargeNoCurrentText =
    "The fitted model cannot carry the gate charge test's Id at its Vd (the drop on RS and RD is larger), so "
    "its gate charge cannot be read. Check Id and Vd of the gate charge test.";
inline constexpr std::string_view kRefineChargeRefusedClosing =
    " The gate charges cannot be refined to; check the gate voltage of Qg, then refine again.";
inline constexpr std::string_view kRefineNoBetterOpening =
    "Refining found no better card than the fitted one (worst error ";
inline constexpr std::string_view kRefineNoBetterClosing = " %). The card is left as it was.";

// The summary after a refinement, in the status bar: "Refined: worst DC error 0.12 % (was 6.7 %), ..."
inline constexpr std::string_view kRefinedOpening = "Refined: worst DC error ";
inline constexpr std::string_view kRefinedThreshold = ", Vgs(th) error ";
inline constexpr std::string_view kRefinedCapacitance = ", worst capacitance error ";
inline constexpr std::string_view kRefinedWas = " (was ";
inline constexpr std::string_view kRefinedGateCharge = ", worst gate charge error ";
// Where the card cannot meet the gate charges and the capacitance points together.
inline constexpr std::string_view kRefinedElementsOpening =
    " The gate charges are those of the ngspice subcircuit, which adds gate charge elements; the "
    "bare card's worst gate charge error is ";
inline constexpr std::string_view kRefinedElementsClosing =
    ". Check \"Gate charges first\" for a card that meets them alone.";
inline constexpr std::string_view kRefinedDiode = ", worst body diode error ";
// When Vgs(th) and the driven DC points cannot both be met.
inline constexpr std::string_view kThresholdTradeOffOpening =
    "Vgs(th) and the DC points cannot both be met: a card that meets Vgs(th) within ";
inline constexpr std::string_view kThresholdTradeOffMiddle = " puts the worst DC error at ";
inline constexpr std::string_view kThresholdTradeOffClosing =
    ". The DC points come first, as Vgs(th) is one value from a wide range; check that the typed Vgs(th) is "
    "the datasheet's typical value and VthCurrent its test current.";
// When the gate charges and the capacitance points cannot all be met.
inline constexpr std::string_view kTradeOffOpening =
    "The gate charges and the capacitance points cannot all be met: the capacitance points alone are met "
    "within ";
inline constexpr std::string_view kTradeOffMiddle =
    "; meeting the gate charges as well leaves the worst capacitance error at ";
inline constexpr std::string_view kTradeOffCharges = " and the worst gate charge error at ";
// When the gate charge elements cannot do better either, because the card alone puts Qgd above
// the datasheet's.
inline constexpr std::string_view kTradeOffQgdOpening =
    " The ngspice subcircuit's gate charge elements cannot do better: with the capacitances fitted to "
    "their points, the card alone puts Qgd ";
inline constexpr std::string_view kTradeOffQgdClosing =
    " above the datasheet's, and the elements only add charge.";
inline constexpr std::string_view kTradeOffChargesFirstHint =
    " Check \"Gate charges first\" to meet the charges before the capacitance points.";
// When the gate charge elements leave Qgs above the datasheet's.
inline constexpr std::string_view kElementsQgsOpening = "Qgs stays ";
inline constexpr std::string_view kElementsQgsClosing =
    " above the datasheet's: with the capacitances fitted to their points the card alone puts it there "
    "already, and the gate charge elements take away at most half of CGS below the threshold.";
// When a card simulated hot holds the junction potential at its floor.
inline constexpr std::string_view kJunctionFloorOpening = "Vj is held at ";
inline constexpr std::string_view kJunctionFloorHeld =
    " V, the least ngspice can simulate hot: the worst capacitance error is ";
inline constexpr std::string_view kJunctionFloorFree = ", where Vj=";
inline constexpr std::string_view kJunctionFloorWould = " V would give ";
inline constexpr std::string_view kJunctionFloorClosing = " but no hot simulation.";
// When no hot values are typed and the refined Vj lies below the floor: where ngspice stops
// simulating the card, and how to get the card held at the floor.
inline constexpr std::string_view kJunctionKeptOpening = "Vj=";
inline constexpr std::string_view kJunctionKeptHottest = " V: ngspice simulates this card only up to about ";
inline constexpr std::string_view kJunctionKeptCold =
    " C, where its junction potential falls to zero, and perhaps not in the cold, where its junction "
    "capacitance can turn negative. Type \"";
inline constexpr std::string_view kJunctionKeptHeld = "\" (and the hot values) for a card with Vj held at ";
inline constexpr std::string_view kJunctionKeptClosing =
    " V or more, which it simulates from -55 C to 175 C; the summary then says what that costs the "
    "capacitance points.";
// When the refined 25 C card takes hot values out of the temperature recipe's reach; the
// recipe's own refusals follow.
inline constexpr std::string_view kHotTradeOffOpening =
    "The hot values cannot all be met with the refined 25 C values, which come first:";
inline constexpr std::string_view kRefinedHot = ", worst hot error ";
inline constexpr std::string_view kNoPointsValue = "-";
/// In place of an error the model could not read for a card; the check in ngspice gives it.
inline constexpr std::string_view kUnreadValue = "not readable by the model (see the check in ngspice)";

// The switch advice.
inline constexpr std::string_view kForceRdsOnName = "Force Rdson matching";
inline constexpr std::string_view kFixVtoName = "Don't change Vto";
// The switch advice table's column captions: "\n" where the window's narrow header breaks the
// line, a blank on the command line.
inline constexpr std::string_view kAdviceForceRdsOnCaption = "Force Rdson\nmatching";
inline constexpr std::string_view kAdviceFixVtoCaption = "Don't change\nVto";
inline constexpr std::string_view kAdviceDcCaption = "Worst DC\nerror %";
inline constexpr std::string_view kAdviceCapacitanceCaption = "Worst C\nerror %";
inline constexpr std::string_view kAdviceOn = "on";
inline constexpr std::string_view kAdviceOff = "off";
inline constexpr std::string_view kAdviceBest = "best";
inline constexpr std::string_view kAdviceCurrent = "current";
inline constexpr std::string_view kAdviceFailedText =
    "The model could not be calculated with this switch setting.";
inline constexpr std::string_view kNoBestSwitchesText =
    "No switch setting gives a model that can be compared with the datasheet: Rds_on, the gate plateau point "
    "and "
    "the maximum-current point are needed, and the model must be calculable. Check the DC fields.";

/// Why the DC parameters stay the fitted card's although a refinement met the DC points better.
inline constexpr std::string_view kDcNormallyOnText =
    "The DC parameters stay the fitted card's: those that meet the DC points better leave the channel "
    "carrying the threshold's test current with the gate on the source, a normally-on card, which an "
    "enhancement-mode part is not. Check Vgs(th) and the transfer points against the datasheet.";

}  // namespace vdmos
