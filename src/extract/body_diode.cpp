#include "extract/body_diode.h"

#include <cmath>

#include "extract/constants.h"
#include "model/checked_math.h"
#include "model/numbers.h"

namespace vdmos {

double ThermalVoltage() { return Div(Mul(kTemperature, kBoltzmann), kElementaryCharge); }

namespace {

constexpr double kSettled = 0.001;  // relative change at which IS, then RB, count as settled
constexpr int kMaxPasses = 1000;
constexpr double kRbFloor = 1e-6;  // Ohm, replaces a negative series resistance

// IS of the exponential through two (junction voltage, current) points.
double SaturationCurrent(double D1, double I1, double D2, double I2) {
  return Mul(I2, Pow(Div(I2, I1), Div(D2, Sub(D1, D2))));
}

// Emission coefficient that puts the junction voltage D across the diode at current I.
double EmissionCoefficient(double D, double I, double IS, double Vt) {
  return Div(D, Mul(Vt, Ln(Add(1.0, Div(I, IS)))));
}

// Series resistance that takes what the diode leaves of V at current I.
double SeriesResistance(double V, double I, double N, double IS, double Vt) {
  return Div(Sub(V, Mul(Mul(N, Vt), Ln(Add(1.0, Div(I, IS))))), I);
}

double RelativeChange(double from, double to) { return std::fabs(Div(Sub(from, to), from)); }

}  // namespace

std::optional<BodyDiodeParameters> FitBodyDiodeParameters(double V1, double I1, double V2, double I2,
                                                          double V3, double I3) {
  // Negated so that a NaN point is refused as well.
  for (double value : {V1, I1, V2, I2, V3, I3}) {
    if (!(value >= kEps)) return std::nullopt;
  }
  const double Vt = ThermalVoltage();

  // Start values ignore the series resistance for IS and N.
  double IS = SaturationCurrent(V1, I1, V2, I2);
  double N = EmissionCoefficient(V1, I1, IS, Vt);
  double RB = SeriesResistance(V3, I3, N, IS, Vt);

  double change = 1.0;
  Counter16 passes(0);
  while (change > kSettled && passes.value() < kMaxPasses) {
    const double D1 = Sub(V1, Mul(RB, I1));
    const double D2 = Sub(V2, Mul(RB, I2));
    const double ISnew = SaturationCurrent(D1, I1, D2, I2);
    // N and RB use the IS of the previous pass, not ISnew: this lag is what the settled
    // numbers depend on.
    N = EmissionCoefficient(D1, I1, IS, Vt);
    const double RBnew = SeriesResistance(V3, I3, N, IS, Vt);
    change = RelativeChange(IS, ISnew);
    if (change > kSettled) {
      IS = ISnew;
    } else {
      // IS has settled and stays; the loop now waits for RB.
      change = RelativeChange(RB, RBnew);
    }
    RB = RBnew < 0.0 ? kRbFloor : RBnew;
    if (ISnew < kEps) {
      IS = kEps;
      N = EmissionCoefficient(Sub(V1, Mul(RB, I1)), I1, IS, Vt);
      change = 0.0;
    }
    ++passes;
  }
  return BodyDiodeParameters{IS, N, RB, passes.value()};
}

std::string BodyDiodeText(const BodyDiodeParameters& p) {
  return "IS=" + CardNumberText(p.IS, "SCIENTIFIC") + " N=" + CardNumberText(p.N, "0.00#") +
         " RB=" + CardNumberText(p.RB, "0.0#####") + " ";
}

std::string BodyDiodeFit(double V1, double I1, double V2, double I2, double V3, double I3) {
  try {
    const auto fit = FitBodyDiodeParameters(V1, I1, V2, I2, V3, I3);
    if (!fit) return {};
    return BodyDiodeText(*fit);
  } catch (const ArithmeticFault&) {
    return {};
  }
}

}  // namespace vdmos
