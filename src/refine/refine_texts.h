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
inline constexpr std::string_view kRefineNoBetterOpening =
    "Refining found no better card than the fitted one (worst error ";
inline constexpr std::string_view kRefineNoBetterClosing = " %). The card is left as it was.";

// The summary after a refinement, in the status bar: "Refined: worst DC error 0.12 % (was 6.7 %), ..."
inline constexpr std::string_view kRefinedOpening = "Refined: worst DC error ";
inline constexpr std::string_view kRefinedCapacitance = ", worst capacitance error ";
inline constexpr std::string_view kRefinedWas = " (was ";
inline constexpr std::string_view kNoPointsValue = "-";

// The switch advice.
inline constexpr std::string_view kForceRdsOnName = "Force Rdson matching";
inline constexpr std::string_view kFixVtoName = "Don't change Vto";
inline constexpr std::string_view kAdviceFailedText =
    "The model could not be calculated with this switch setting.";
inline constexpr std::string_view kNoBestSwitchesText =
    "No switch setting gives a model that can be compared with the datasheet: Rds_on, the gate plateau point "
    "and "
    "the maximum-current point are needed, and the model must be calculable. Check the DC fields.";

}  // namespace vdmos
