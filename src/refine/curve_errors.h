#pragma once
// A digitized curve as one target of the refinement: the largest relative error of the model
// along its points, so that the many points of a figure weigh as much as one table value.

#include <vector>

#include "refine/point_errors.h"

namespace vdmos {

/// Along a transfer curve (above the floor), an output curve, or Rds(on) against Id.
double CurveError(const DcParameters& p, const DatasheetPoint& curve);
/// Along a Ciss, Coss or Crss curve.
double CurveError(const CapacitanceParameters& p, const DatasheetPoint& curve);
/// Along a body diode's forward curve (its current against its voltage).
double CurveError(const DiodeLaw& p, const DatasheetPoint& curve);
/// The relative errors of the diode's current at each point of its forward curve: the diode's
/// fit takes them one by one, as its worst is not smooth enough to be led by.
std::vector<double> ErrorsAlong(const DiodeLaw& p, const DatasheetPoint& curve);
/// Along the gate charge curve, with the model's curve (Vgs against the charge) given; beyond
/// the model's curve its last voltage stands.
double CurveError(const std::vector<Point>& modelGateCharge, const DatasheetPoint& curve);

}  // namespace vdmos
