#pragma once
#include <optional>
#include <string>

namespace vdmos {

/// T * k / q, about 0.025852 V. Throws ArithmeticFault on a fault (none with the constants).
double ThermalVoltage();

/// The body diode law V = N * Vt * ln(1 + I/IS) + RB * I fitted to three forward points, and
/// how many refinement passes it took.
struct BodyDiodeParameters {
  double IS = 0;  ///< A
  double N = 0;
  double RB = 0;  ///< Ohm
  int passes = 0;
};

/// The fit behind BodyDiodeFit: points 1 and 2 give the exponential part, point 3 the series
/// resistance. nullopt when a voltage or current is below 1e-15; an arithmetic fault throws
/// ArithmeticFault.
std::optional<BodyDiodeParameters> FitBodyDiodeParameters(double V1, double I1, double V2, double I2,
                                                          double V3, double I3);

/// The card's text of a diode law: "IS=... N=... RB=... " (each field followed by one blank).
std::string BodyDiodeText(const BodyDiodeParameters& p);

/// Fits IS, N and RB to three forward points (V1, I1, V2, I2, V3, I3); returns
/// "IS=... N=... RB=... " (each field followed by one blank) or the empty text when a point
/// is refused or the fit faults. Never throws.
std::string BodyDiodeFit(double V1, double I1, double V2, double I2, double V3, double I3);

}  // namespace vdmos
