#pragma once
// The gate charge curve Vgs(Q) that the card's own equations give on the datasheets' test: a
// small constant current charges the gate while the drain carries a constant load current and
// is clamped to a supply until the transistor takes that current. The current is small, so
// the transistor follows its static characteristic at every instant (a quasi-static path):
// first the gate rises at the supply voltage until the channel carries the load current, then
// the drain falls with the channel holding that current (the plateau, and the triode rise
// after it). The charge is the gate-source and gate-drain charge of the simulator's VDMOS
// model: a constant CGS, and Cgd(v) = C0 + s * atan(a v) for v = Vgd < 0 and C0 + s * tanh(a v)
// above, with s = (CGDMAX - CGDMIN) / (1 + pi/2) and C0 = CGDMAX - s; with the ngspice
// subcircuit's gate charge elements, their charges besides.

#include <optional>
#include <vector>

#include "extract/threshold.h"
#include "model/charge_element.h"
#include "model/window_state.h"
#include "verify/characteristics.h"

namespace vdmos {

/// What the gate charge depends on, in the N-channel sense (VTO is the threshold magnitude).
/// Resistances in Ohm, capacitances in pF, KP in A/V^2.
struct GateChargeDevice {
  double KP = 0, VTO = 0, RS = 0, RD = 0, LAMBDA = 0, RG = 0;
  double CGS = 0, CGDMAX = 0, CGDMIN = 0, a = 0;
  double KSUBTHRES = kSimulatorKsubthres;
  std::optional<ChargeElement> element = std::nullopt;  ///< the subcircuit's, as it prints them
};

/// The test condition: load current (A), supply voltage (V), gate current (A), all magnitudes.
struct GateChargeTest {
  double id = 0, vd = 0, ig = 0;
};

/// Where the channel stands at one point of the test: gate and drain voltage across the
/// channel (V) and drain current (A).
struct ChannelState {
  double vgs = 0, vds = 0, id = 0;
};

/// The channel's states along the test until the gate reaches vgsTop. Only the DC law and the
/// resistances decide them; the capacitances and elements only price each in charge, so a fit
/// of those walks one path and reprices it.
std::vector<ChannelState> GateChargePath(const GateChargeDevice& d, const GateChargeTest& test,
                                         double vgsTop);

/// Vgs (V, at the terminals) against the gate charge (nC) along a path of d's channel.
std::vector<Point> GateChargeCurveAlong(const GateChargeDevice& d, const GateChargeTest& test,
                                        const std::vector<ChannelState>& path);

/// Vgs (V, at the terminals) against the gate charge (nC) from 0 until the gate reaches vgsTop,
/// sampled densely enough for the graphical construction. Empty when the device cannot carry
/// the load current at the supply voltage (no KP, or a supply below the drop on RS and RD).
std::vector<Point> ModelGateChargeCurve(const GateChargeDevice& d, const GateChargeTest& test, double vgsTop);

/// The gate charge parameters of a card's parameter set (a P-channel VTO turned back), with
/// its gate charge elements.
GateChargeDevice GateChargeDeviceOf(const ModelParameterSet& params, bool pmos);

/// The simulated test's timing (s): the gate is held on the source until release, then the
/// gate current rises in ramp from start and flows until stop; samples every step.
struct GateChargeTiming {
  double release = 0, start = 0, ramp = 0, stop = 0, step = 0;
};
GateChargeTiming GateChargeRunTiming();

/// The gate current (A) with which the simulated test passes the gate voltage vgsTop with a
/// margin within its run: from the model's own curve, or where that has none, from a bound on
/// the charge.
double GateChargeBenchCurrent(const GateChargeDevice& d, double id, double vd, double vgsTop);

}  // namespace vdmos
