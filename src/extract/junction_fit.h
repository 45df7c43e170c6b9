#pragma once
#include <string>

namespace vdmos {

/// Base-10 logarithm as ln(x)/ln(10); 0 on any fault (x <= 0).
double Log10(double x);
/// Fits Cds(V) = Cjo / (1 + V/Vj)^m through three points; "m=... Vj=... Cjo=...pF" or the
/// empty text when the points are refused or the fit faults.
std::string JunctionCapFit(double V0, double C0, double V1, double C1, double V2, double C2);

}  // namespace vdmos
