#pragma once
// The model's characteristics from the fitted parameters alone, without a simulator, in the
// form the simulator's VDMOS model computes them, and the datasheet points to compare with.

#include <optional>
#include <string>

#include "extract/threshold.h"
#include "model/window_state.h"
#include "verify/bench_setup.h"
#include "verify/characteristics.h"

namespace vdmos {

/// Cgd in pF at a drain-gate voltage v >= 0, as the simulator's VDMOS model has it:
/// Cgd(v) = C0 - s * atan(a * v) with s = (CGDMAX - CGDMIN) / (1 + pi/2) and C0 = CGDMAX - s.
/// This is the curve the capacitance fit assumes: it starts at the 0 V value C0 and falls
/// towards CGDMIN.
double GateDrainCapacitance(double CGDMAX, double CGDMIN, double a, double v);

/// A junction capacitance Cjo / (1 + v/Vj)^m at a reverse voltage v >= 0 (Cjo's unit).
double JunctionCapacitance(double Cjo, double Vj, double m, double v);

/// The card's capacitance parameters: CGDMAX, CGDMIN, CGS and Cjo in pF, a in 1/V, Vj in V.
struct CapacitanceParameters {
  double CGDMAX = 0, CGDMIN = 0, a = 0, CGS = 0, Cjo = 0, Vj = 0, m = 0;
};

/// Vj and m of a card without a junction text, whose Cjo is then 0 as the simulator's default.
inline constexpr double kNoJunctionVj = 1.0;
inline constexpr double kNoJunctionM = 0.5;

/// The junction potential ngspice simulates for a card's Vj and body diode N: above 5 V it
/// takes 2.5 V / N instead.
double SimulatedJunctionPotential(double Vj, double N);

/// The capacitance parameters of a parameter set, the junction's from its text, its Vj as
/// ngspice simulates it.
CapacitanceParameters CapacitanceParametersOf(const ModelParameterSet& params);

/// The three capacitances (pF) with the gate on the source.
struct Capacitances {
  double ciss = 0, coss = 0, crss = 0;
};
/// Crss = Cgd, Ciss = CGS + Crss, Coss = Cds + Crss at a drain voltage v >= 0; without a
/// junction (Cjo 0) Cds is 0.
Capacitances CapacitancesAt(const CapacitanceParameters& params, double v);

/// The body diode law V = N * Vt * ln(1 + I/IS) + RB * I, with Vt the tool's thermal voltage.
struct DiodeLaw {
  double IS = 0, N = 0, RB = 0;
  /// The forward voltage (V) at the current isd (A).
  double Voltage(double isd) const;
  /// The forward current (A) at the voltage vsd, solved by bisection; 0 for vsd <= 0;
  /// nullopt when the current is beyond a double.
  std::optional<double> Current(double vsd) const;
};

/// The law of the body diode text; nullopt without one, or when its IS or N is not positive.
std::optional<DiodeLaw> BodyDiodeLaw(const ModelParameterSet& params);

/// The drain current magnitude of the DC model at gate and drain voltage magnitudes; for a
/// P-channel card, whose VTO the model update has negated, the threshold is turned back.
double ModelDrainCurrentAt(const ModelParameterSet& params, bool pmos, double vgs, double vds);

/// The channel law of a parameter set: a P-channel card's threshold turned back, and the
/// simulator's own subthreshold slope where the card gives none.
ChannelLaw ChannelLawOf(const ModelParameterSet& params, bool pmos);

struct DatasheetPoint;
/// The model's value at a point of the hot check, by the card's temperature laws as ngspice
/// applies them (its subthreshold law included); nullopt where the laws give none (IDSS, a
/// body diode point without a diode).
std::optional<double> HotModelValue(const ModelParameterSet& params, const BenchSetup& setup,
                                    const DatasheetPoint& point);

/// The name of the transfer curve at the hot junction temperature, the model's and ngspice's.
std::string HotTransferLabel(double celsius);

/// The curves of the model on the grids of the setup.
Characteristics ModelCharacteristics(const ModelParameterSet& params, const BenchSetup& setup);

/// The datasheet points of the setup; the check points get the model's current.
DatasheetMarkers DatasheetMarkersOf(const ModelParameterSet& params, const BenchSetup& setup);

struct ModelCurves {
  Characteristics curves;
  DatasheetMarkers markers;
  std::string error;  ///< why nothing could be computed (a field that overflows); empty otherwise
};

/// The model curves and datasheet points of the window's current parameters and fields.
ModelCurves ComputeModelCurves(const WindowState& state);

}  // namespace vdmos
