#pragma once
// The four test benches as ngspice netlists: transfer characteristic, output characteristics
// (with the on-resistance and the body diode's forward curve), gate charge, and capacitances
// by the AC method. Each runs on its own with "ngspice -b": its control block prints the
// curves and the measured values, and ends ngspice.
//
// What a netlist prints, and what the output reader looks for: a line "@name tag" opens a
// section; the values printed after it ("name = value") and the first table after it belong
// to that section. ngspice writes everything in lower case.

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "extract/temperature_fit.h"
#include "model/window_state.h"
#include "verify/bench_setup.h"

namespace vdmos {

enum class Bench { Transfer, Output, GateCharge, Capacitance };
inline constexpr std::array kBenches{Bench::Transfer, Bench::Output, Bench::GateCharge, Bench::Capacitance};

/// The sections and values the netlists print.
namespace netlist_output {
inline constexpr std::string_view kTransferTable = "transfer";      // columns vgs, id
inline constexpr std::string_view kOutputTable = "output";          // tag: gate voltage; columns vds, id
inline constexpr std::string_view kDiodeTable = "diode";            // columns vsd, isd
inline constexpr std::string_view kGateChargeTable = "gatecharge";  // columns qg (nC), vgs
inline constexpr std::string_view kCapacitancePoint = "cap";        // tag: drain voltage; values in pF
inline constexpr std::string_view kPoints = "points";               // the single measured values
/// Printed last: the output ran to its end. An ngspice cut short (killed, or a broken build)
/// can end with status 0, and a value missing from its output would read as not reached.
inline constexpr std::string_view kEnd = "end";
/// The hot device's transfer curve at its temperature: columns vgs, id.
inline constexpr std::string_view kHotTransferTable = "hottransfer";
inline constexpr std::string_view kIdPlateau = "id_plat";
inline constexpr std::string_view kIdMax = "id_max";
inline constexpr std::string_view kIdRdsOn = "id_rdson";  // the drain current the on-resistance comes from
inline constexpr std::string_view kRdsOn = "rdson";
inline constexpr std::array<std::string_view, 2> kIdCheck{"id_check1", "id_check2"};
inline constexpr std::array<std::string_view, 3> kVsd{"vsd_1", "vsd_2", "vsd_3"};
inline constexpr std::string_view kVth = "vth";  // the gate threshold at the test current
inline constexpr std::string_view kCiss = "ciss_pf";
inline constexpr std::string_view kCoss = "coss_pf";
inline constexpr std::string_view kCrss = "crss_pf";
// The hot check's values, measured at the hot temperature.
inline constexpr std::string_view kIdRdsOnHot = "id_rdson_hot";
inline constexpr std::string_view kVthHot = "vth_hot";
inline constexpr std::string_view kVsdHot = "vsd_hot";
inline constexpr std::string_view kZtcVgs = "ztc_vgs";
inline constexpr std::string_view kBvHot = "bv_hot";
inline constexpr std::string_view kIdssHot = "idss_hot";
}  // namespace netlist_output

/// The drain voltage at which the on-resistance is taken, as the DC fit takes it.
inline constexpr double kRdsOnDrainVoltage = kOnResistanceDrainVoltage;

/// The gate threshold's measurement, for any bench that holds the card: a second device with
/// gate and drain tied, swept by a source of its own, and the control lines that find the gate
/// voltage at which its channel current (the body diode's leakage apart, unlike the terminal
/// current) reaches `current`, and print it under `printed`. The elements are named Vtied and
/// Mtied, on the node "tied". A run that never reaches the current prints nothing under the name.
struct ThresholdMeasurement {
  std::vector<std::string> elements;  ///< after the bench's own elements
  std::vector<std::string> control;   ///< anywhere in the control block, after other analyses
};
ThresholdMeasurement ThresholdMeasurementLines(std::string_view model, bool pmos, double current,
                                               const LinearSweep& sweep, std::string_view printed);

/// The file-name stem of a bench, the same as the test circuit export's.
std::string_view BenchStem(Bench bench);
/// The bench's name in messages.
std::string_view BenchName(Bench bench);

/// The netlist of one bench for the stored card (three lines) and the setup: lines joined by
/// CR LF, without a line end after the last. The card must have passed CardProblem.
std::string NgspiceNetlist(Bench bench, const CardTexts& card, const BenchSetup& setup);

}  // namespace vdmos
