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
/// Along the gate charge curve, with the model's curve (Vgs against the charge) given; beyond
/// the model's curve its last voltage stands.
double CurveError(const std::vector<Point>& modelGateCharge, const DatasheetPoint& curve);

}  // namespace vdmos
