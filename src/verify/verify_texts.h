#pragma once
// Every text the model check shows: why it cannot run, what went wrong in ngspice, and the
// names of the quantities and curves of its table and plots.

#include <string_view>

namespace vdmos {

// The test conditions leave a bench with nothing to do.
/// Before a refinement's summary once the datasheet values shown are no longer those it measured.
inline constexpr std::string_view kEarlierRefinementOpening =
    "For the datasheet values as they were when the model was refined (changed since: refine again "
    "for these): ";
inline constexpr std::string_view kFieldOverflowText =
    "A field holds a number too large to use, so the test conditions cannot be read.";
inline constexpr std::string_view kVdsTestNotPositiveText =
    "The transfer characteristic needs \"Vds Test\" above 0 V.";
inline constexpr std::string_view kTransferGateNotPositiveText =
    "The transfer characteristic needs a gate voltage above 0 V.";
inline constexpr std::string_view kRdsonVgsNotPositiveText =
    "The on-resistance needs its gate voltage \"@ Vgs=\" above 0 V.";
inline constexpr std::string_view kOutputDrainNotPositiveText =
    "The output characteristics need \"Vds range\" or a check voltage above 0 V.";
inline constexpr std::string_view kGateChargeNotPositiveText =
    "The gate charge test needs its \"Id\" and \"Vd\" above 0.";
inline constexpr std::string_view kCapacitanceVdsNotPositiveText =
    "The capacitance grid needs its drain voltages at 0 V or above, and one of them above 0 V.";
inline constexpr std::string_view kDiodeVsdNotPositiveText =
    "The body diode needs a forward voltage \"Vsd\" above 0 V.";

// Running ngspice. Each message is an opening, the bench's name where one applies, and a
// closing; the composing code adds the details in between.
inline constexpr std::string_view kNgspiceMissingOpening = "ngspice was not found (\"";
inline constexpr std::string_view kNgspiceMissingClosing =
    "\"). Install the ngspice package, or give the path of the ngspice program.";
inline constexpr std::string_view kNgspiceStartOpening = "ngspice could not be started: ";
inline constexpr std::string_view kTimeoutOpening = "ngspice did not finish the ";
inline constexpr std::string_view kTimeoutMiddle = " within ";
inline constexpr std::string_view kTimeoutClosing = " s and was stopped.";
inline constexpr std::string_view kSignalOpening = "ngspice ended abnormally in the ";
inline constexpr std::string_view kSignalMiddle = " (signal ";
inline constexpr std::string_view kOutputTooLargeOpening =
    "ngspice wrote far more output than expected for the ";
inline constexpr std::string_view kOutputTooLargeClosing = " and was stopped.";
inline constexpr std::string_view kExitErrorOpening = "ngspice stopped with an error in the ";
inline constexpr std::string_view kExitErrorMiddle = " (exit code ";
inline constexpr std::string_view kReportedErrorOpening = "ngspice reported an error in the ";
inline constexpr std::string_view kReportedErrorMiddle = ", although it ended normally: ";
inline constexpr std::string_view kNoConvergenceOpening = "ngspice found no solution for the ";
inline constexpr std::string_view kNoConvergenceMiddle = " (no convergence)";
inline constexpr std::string_view kUnreadableOpening = "The output of ngspice for the ";
inline constexpr std::string_view kUnreadableMiddle = " could not be read: ";
inline constexpr std::string_view kUnreadableClosing = " is missing.";

// A check of the fitted card beside the refined one: followed by why it failed.
inline constexpr std::string_view kFittedCheckFailedOpening = "The fitted card could not be checked: ";

// Saving the netlists.
inline constexpr std::string_view kNetlistExtension = ".cir";
inline constexpr std::string_view kNetlistFilter = "ngspice netlists (*.cir)|*.cir|All files (*.*)|*.*";
inline constexpr std::string_view kNetlistsNotWrittenText =
    "These ngspice test circuits could not be written:";
// The ngspice subcircuit written with the netlists: the model name and this suffix.
inline constexpr std::string_view kNgspiceSubCktSuffix = "_subckt.lib";
inline constexpr std::string_view kNgspiceSubCktFilter = "SPICE libraries (*.lib)|*.lib|All files (*.*)|*.*";
/// Followed by CR LF and why there is no ngspice subcircuit.
inline constexpr std::string_view kNgspiceSubCktNotWrittenText = "The ngspice subcircuit was not written:";

// The four benches, as the messages name them.
// What the check simulated where the card has gate charge elements; the card alone otherwise.
inline constexpr std::string_view kSimulatedWithElementsText =
    "Simulated: the ngspice subcircuit's card with its gate charge elements (the bare card alone meets "
    "the charges with \"Gate charges first\").";

inline constexpr std::string_view kTransferBenchName = "transfer characteristic";
inline constexpr std::string_view kOutputBenchName = "output characteristics";
inline constexpr std::string_view kGateChargeBenchName = "gate charge test";
inline constexpr std::string_view kCapacitanceBenchName = "capacitance test";

// The table.
inline constexpr std::string_view kRdsOnQuantity = "Rds(on)";
inline constexpr std::string_view kIdQuantity = "Id";
inline constexpr std::string_view kCissQuantity = "Ciss";
inline constexpr std::string_view kCossQuantity = "Coss";
inline constexpr std::string_view kCrssQuantity = "Crss";
inline constexpr std::string_view kVsdQuantity = "Vsd";
inline constexpr std::string_view kQgsQuantity = "Qgs";
inline constexpr std::string_view kQgdQuantity = "Qgd";
inline constexpr std::string_view kQgQuantity = "Qg";
inline constexpr std::string_view kZeroTcQuantity = "Vgs(ZTC)";
inline constexpr std::string_view kBreakdownQuantity = "V(BR)DSS";
inline constexpr std::string_view kIdssQuantity = "IDSS";
/// Where a hot point's value was not found in the run.
inline constexpr std::string_view kHotNotReachedNote = "not reached in the hot run";
inline constexpr std::string_view kVgsQuantity = "Vgs";
inline constexpr std::string_view kIsdQuantity = "Isd";
/// The condition of a row that stands for a digitized curve (the figure's condition and its
/// number of points), and its note: where along it the worst point lies.
inline constexpr std::string_view kCurveOpening = "curve of ";
inline constexpr std::string_view kCurvePointsClosing = " points";
inline constexpr std::string_view kCurveWorstAt = "worst at ";
inline constexpr std::string_view kCurveNotReachedNote = "the simulated curve reaches none of its points";
inline constexpr std::string_view kVthQuantity = "Vgs(th)";
inline constexpr std::string_view kVthDrainNote = ", Vds = Vgs";
inline constexpr std::string_view kThresholdNotReachedNote =
    "the test current is not reached in the gate sweep";
inline constexpr std::string_view kThresholdCurrentNote =
    "the Vgs(th) test current (VthCurrent) is not a positive number; the threshold is not measured";
inline constexpr std::string_view kPlateauPointNote = " (plateau point)";
inline constexpr std::string_view kMaxCurrentPointNote = " (maximum-current point)";
inline constexpr std::string_view kCheckPointNote = " (check point ";
inline constexpr std::string_view kDiodeNotReachedNote = "not reached in the forward sweep";
inline constexpr std::string_view kNoDrainCurrentNote = "no drain current at this gate voltage";
inline constexpr std::string_view kChargeNotPositiveNote =
    "a datasheet gate charge is not above 0 nC; no error is taken against it";
inline constexpr std::string_view kChargeSumNote =
    "the datasheet's Qgs + Qgd is larger than Qg, which holds them both; no error is taken against them";

// The plots: titles and axes with their units.
// A title names its test conditions only while they are typed: "at Id = A" would say nothing.
inline constexpr std::string_view kTransferPlotName = "Transfer characteristic";
inline constexpr std::string_view kTransferPlotTitle = "Transfer characteristic at Vds = ";
inline constexpr std::string_view kTransferPlotTitleUnit = " V";
inline constexpr std::string_view kOutputPlotTitle = "Output characteristics";
inline constexpr std::string_view kCapacitancePlotTitle = "Capacitances";
inline constexpr std::string_view kBodyDiodePlotTitle = "Body diode forward characteristic";
inline constexpr std::string_view kGateChargePlotName = "Gate charge";
inline constexpr std::string_view kGateChargePlotTitle = "Gate charge at Id = ";
inline constexpr std::string_view kGateChargePlotTitleDrain = " A, Vd = ";
inline constexpr std::string_view kGateChargePlotTitleUnit = " V";
inline constexpr std::string_view kChargeAxis = "Qg (nC)";
inline constexpr std::string_view kVgsAxis = "Vgs (V)";
inline constexpr std::string_view kVdsAxis = "Vds (V)";
inline constexpr std::string_view kVsdAxis = "Vsd (V)";
inline constexpr std::string_view kIdAxis = "Id (A)";
inline constexpr std::string_view kIsdAxis = "Isd (A)";
inline constexpr std::string_view kCapacitanceAxis = "C (pF)";
inline constexpr std::string_view kRdsOnTemperaturePlotTitle = "Rds(on) against junction temperature";
inline constexpr std::string_view kJunctionTemperatureAxis = "Tj (C)";
inline constexpr std::string_view kRdsOnRatioAxis = "Rds(on) ratio to 25 C";

// What the plots leave out: the opening, then "plot title: curve, curve" for each plot
// ("; " between plots), then the closing.
inline constexpr std::string_view kUndrawnOpening =
    "Not drawn, or not wholly, as their values are not numbers, are too large or lie below 0 on a "
    "logarithmic axis: ";
inline constexpr std::string_view kUndrawnClosing = ". Check the datasheet fields, then update the model.";
inline constexpr std::string_view kDatasheetPointsLabel = "datasheet points";

// Curve labels.
inline constexpr std::string_view kGateVoltageLabel = "Vgs = ";
inline constexpr std::string_view kDrainCurrentLabel = "Id";
inline constexpr std::string_view kDiodeCurrentLabel = "Isd";
inline constexpr std::string_view kGateChargeLabel = "Vgs";
/// The hot transfer curve: the opening, the hot junction temperature, the closing.
inline constexpr std::string_view kHotDrainCurrentOpening = "Id at Tj = ";
inline constexpr std::string_view kHotDrainCurrentClosing = " C";
inline constexpr std::string_view kRdsOnRatioLabel = "Rds(on) ratio";

// The check table's exports.
inline constexpr std::string_view kNoCheckTableText =
    "No check table yet: \"Simulate in ngspice\" on the Model check page makes one.";
inline constexpr std::string_view kCheckTableCopiedText = "Check table copied to the clipboard";
// The saver preselects the second pair.
inline constexpr std::string_view kCheckTableFilter = "All Files (*.*)|*.*|CSV files (*.csv)|*.csv";
inline constexpr std::string_view kCheckTableFileSuffix = "_check.csv";

}  // namespace vdmos
