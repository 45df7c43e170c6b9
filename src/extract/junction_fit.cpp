#include "extract/junction_fit.h"

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

// Written as negated ">=" tests so that a NaN argument is refused too.
bool AcceptsPoints(double V0, double C0, double V1, double C1, double V2, double C2) {
  if (!(V0 >= 0.0)) return false;
  for (double value : {C0, V1, C1, V2, C2}) {
    if (!(value >= kEps)) return false;
  }
  return true;
}

}  // namespace

std::string JunctionCapFit(double V0, double C0, double V1, double C1, double V2, double C2) {
  if (!AcceptsPoints(V0, C0, V1, C1, V2, C2)) return {};
  try {
    // Log10 absorbs its own faults and gives 0, so V1 = V2 faults here, on the division.
    double m = Div(Log10(Div(C1, C2)), Log10(Div(V2, V1)));
    if (m < 0.1) m = 0.1;
    const double r = Pow(Div(C0, C1), Div(1.0, m));
    double Vj = Div(Sub(Mul(r, V0), V1), Sub(1.0, r));
    if (Vj < 0.1) {
      Vj = 0.1;
      // The grading from the outer points alone; deliberately not held at 0.1 like the first m.
      m = Div(-Log10(Div(C2, C0)), Log10(Add(1.0, Div(V2, 0.1))));
    }
    const double Cjo = Div(C0, Pow(Add(1.0, Div(V0, Vj)), -m));
    return JunctionCapText(m, Vj, Cjo);
  } catch (const ArithmeticFault&) {
    return {};
  }
}

}  // namespace vdmos
