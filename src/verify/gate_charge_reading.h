#pragma once
// Reading Qgs, Qgd and Qg off a gate charge curve Vgs(Q) by the construction the datasheets
// use: the plateau level is where the curve is flattest; Qgs ends where the straight line of
// the first rise, from the origin, meets that level; Qgd ends where the straight line of the
// last rise, just below the gate voltage of Qg, meets it; Qg is the charge at that voltage.
// The model's curve and the simulated one are read the same way, so they compare like for like.

#include <optional>
#include <string>
#include <vector>

#include "verify/characteristics.h"

namespace vdmos {

/// The charges in nC and the plateau level in V.
struct GateCharges {
  double plateau = 0, qgs = 0, qgd = 0, qg = 0;
};

enum class GateChargeProblem {
  NotReached,    ///< the curve ends before the gate voltage of Qg
  BelowPlateau,  ///< that voltage is not above the plateau: no plateau shows below it
};

struct GateChargeReading {
  std::optional<GateCharges> charges;
  std::optional<GateChargeProblem> problem;  ///< set when charges is not
};

/// Reads the curve (points in rising charge, starting at the origin) up to the gate voltage vg.
GateChargeReading ReadGateCharges(const std::vector<Point>& curve, double vg);

/// The message for a problem, naming the gate voltage and the bench ("model", "ngspice").
std::string GateChargeProblemText(GateChargeProblem problem, double vg);

}  // namespace vdmos
