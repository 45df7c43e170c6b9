#pragma once
#include <string>

namespace vdmos {

/// T * k / q, about 0.025852 V.
double ThermalVoltage();
/// Fits IS, N and RB to three forward points (V1, I1, V2, I2, V3, I3); returns
/// "IS=... N=... RB=... " or the empty text. Never throws.
std::string BodyDiodeFit(double V1, double I1, double V2, double I2, double V3, double I3);

}  // namespace vdmos
