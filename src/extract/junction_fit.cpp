#include "extract/junction_fit.h"

#include <algorithm>
#include <cmath>

#include "extract/constants.h"
#include "model/checked_math.h"
#include "model/model_card.h"
#include "model/numbers.h"

namespace vdmos {

double Log10(double x) {
  try {
    return Div(Ln(x), Ln(10.0));
  } catch (const ArithmeticFault&) {
    return 0.0;
  }
}

std::string JunctionCapText(double m, double Vj, double Cjo, CardDigits digits) {
  return "m=" + CardParameterText(m, junction_mask::km, digits) +
         " Vj=" + CardParameterText(Vj, junction_mask::kVj, digits) +
         " Cjo=" + CardParameterText(Cjo, junction_mask::kCjo, digits) + "pF";
}

namespace {

constexpr double kLeastGrading = 0.1;

// Written as negated ">=" tests so that a NaN argument is refused too.
bool AcceptsPoints(double V0, double C0, double V1, double C1, double V2, double C2) {
  if (!(V0 >= 0.0)) return false;
  for (double value : {C0, V1, C1, V2, C2}) {
    if (!(value >= kEps)) return false;
  }
  return true;
}

/// Cjo and m with Vj held: ln C = ln Cjo - m ln(1 + V/Vj) is a straight line in
/// ln(1 + V/Vj). The line of the least worst miss through three points runs parallel to the
/// chord of the outer two, halfway between it and the middle point.
JunctionCap HeldAt(double Vj, double fitted, const double (&V)[3], const double (&C)[3]) {
  double x[3], y[3];
  for (int i = 0; i < 3; ++i) {
    x[i] = Ln(Add(1.0, Div(V[i], Vj)));
    y[i] = Ln(C[i]);
  }
  // A grading below the first fit's least would leave Cds all but flat: it keeps that least.
  const double m = std::max(-Div(Sub(y[2], y[0]), Sub(x[2], x[0])), kLeastGrading);
  const auto [low, high] = std::minmax({y[0] + m * x[0], y[1] + m * x[1], y[2] + m * x[2]});
  return {m, Vj, Checked(std::exp(low + (high - low) / 2)), fitted};
}

}  // namespace

std::optional<JunctionCap> FitJunctionCap(double V0, double C0, double V1, double C1, double V2, double C2,
                                          double vjFloor) {
  if (!AcceptsPoints(V0, C0, V1, C1, V2, C2)) return std::nullopt;
  try {
    // Log10 absorbs its own faults and gives 0, so V1 = V2 faults here, on the division.
    double m = Div(Log10(Div(C1, C2)), Log10(Div(V2, V1)));
    if (m < kLeastGrading) m = kLeastGrading;
    const double r = Pow(Div(C0, C1), Div(1.0, m));
    double Vj = Div(Sub(Mul(r, V0), V1), Sub(1.0, r));
    if (Vj < 0.1) {
      Vj = 0.1;
      // The grading from the outer points alone; deliberately not held at 0.1 like the first m.
      m = Div(-Log10(Div(C2, C0)), Log10(Add(1.0, Div(V2, 0.1))));
    }
    if (Vj < vjFloor) return HeldAt(vjFloor, Vj, {V0, V1, V2}, {C0, C1, C2});
    const double Cjo = Div(C0, Pow(Add(1.0, Div(V0, Vj)), -m));
    return JunctionCap{m, Vj, Cjo};
  } catch (const ArithmeticFault&) {
    return std::nullopt;
  }
}

std::string JunctionCapFit(double V0, double C0, double V1, double C1, double V2, double C2) {
  const std::optional<JunctionCap> fit = FitJunctionCap(V0, C0, V1, C1, V2, C2);
  return fit ? fit->Text() : std::string();
}

}  // namespace vdmos
