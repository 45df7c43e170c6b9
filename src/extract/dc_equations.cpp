#include "extract/dc_equations.h"

#include <cmath>

#include "extract/constants.h"
#include "model/checked_math.h"

namespace vdmos {

double SqrAbs(double x) { return Sqrt(std::fabs(x)); }

double SolveRs(double KP, double VTO, double Vgs, double Id, double LAMBDA, double Vds) {
  try {
    const double overdrive = Sub(Vgs, VTO);
    const double gain = Add(Mul(Add(1.0, Mul(LAMBDA, Vds)), KP), kEps);
    return Div(Sub(overdrive, SqrAbs(Div(Mul(2.0, Id), gain))), Id);
  } catch (const ArithmeticFault&) {
    return 0.0;
  }
}

double SolveRd(double RS, double Ron, double KP, double Vgs, double VTO) {
  // The overdrive subtracts RS/Ron from a voltage; the fit was tuned with this term as it is.
  const double overdrive = Sub(Sub(Vgs, Div(RS, Add(Ron, kEps))), VTO);
  return Sub(Sub(Ron, RS), Div(1.0, Mul(overdrive, Add(KP, kEps))));
}

double SolveKp(double Id, double Vgs, double VTO, double RS, double LAMBDA, double Vds) {
  const double overdrive = Sub(Sub(Vgs, VTO), Mul(Id, RS));
  return Div(Mul(2.0, Id), Mul(Mul(overdrive, overdrive), Add(1.0, Mul(LAMBDA, Vds))));
}

double ModelRdsOn(double RS, double RD, double KP, double VTO, double Vgs, double LAMBDA) {
  if (RD <= 0) RS = 0.0001;
  const double Rt = Add(RS, RD);
  try {
    double Id = Div(0.1, Rt);
    Counter16 n(2);
    Counter16 i(1);
    double e = 0;
    do {
      if (i.value() >= 1000) break;
      double Vc = Sub(0.1, Mul(Rt, Id));
      if (Vc < 0) {
        Vc = 0;
        n.Double();
        Id = Div(0.1, Rt);
      }
      const double Vg = Sub(Vgs, Mul(Id, RS));
      // The linear-region equation whatever the region: 0.1 V keeps a sound device linear.
      const double Inew = Mul(Mul(Mul(Sub(Sub(Vg, VTO), Vc / 2), Add(1.0, Mul(Vc, LAMBDA))), KP), Vc);
      e = std::fabs(Div(Sub(Inew, Id), Id));
      Id = Div(Add(Mul(n.value() - 1, Id), Inew), n.value());
      ++i;
    } while (e > 0.01);
    return Id > 0 ? Div(0.1, Id) : Rt;
  } catch (const ArithmeticFault&) {
    return Rt;
  }
}

double ModelDrainCurrent(double RS, double RD, double KP, double VTO, double Vgs, double Vds, double LAMBDA) {
  Counter16 n(2);
  double e = 1;
  Counter16 i(1);
  if (!(Vgs > VTO && Vds > 0)) return 0.0;
  // Without KP every new estimate is 0, so the loop below never converges and ends in 0 after
  // its thousand passes: the model check plots thousands of points of a card not fitted yet.
  if (KP == 0) return 0.0;
  try {
    const double Rt = Add(RS, RD);
    double Id = kEps;
    while (e > 0.001 && i.value() < 1000 && n.value() < 1024) {
      double Vc = Sub(Vds, Mul(Rt, Id));
      // Restarts with a heavier damping when the drop overshoots, and twice on a schedule
      // to break out of a slow oscillation.
      if (Vc < 0 || i.value() == 50 || i.value() == 100) {
        Vc = kEps;
        n.Double();
        Id = Id / 2;
      }
      const double Vg = Sub(Vgs, Mul(Id, RS));
      double Inew = 0;
      if (Vg > VTO) {
        const double overdrive = Sub(Vg, VTO);
        const double modulation = Add(1.0, Mul(Vc, LAMBDA));
        if (overdrive < Vc) {
          Inew = Mul(Mul(Mul(Mul(overdrive, overdrive), modulation), 0.5), KP);
        } else {
          Inew = Mul(Mul(Mul(Sub(overdrive, Vc / 2), modulation), KP), Vc);
        }
      }
      if (Id > 0) e = std::fabs(Div(Sub(Inew, Id), Id));
      Id = Div(Add(Mul(n.value() - 1, Id), Inew), n.value());
      ++i;
    }
    return (Id > 0 && i.value() < 1000 && n.value() < 1024) ? Id : 0.0;
  } catch (const ArithmeticFault&) {
    return 0.0;
  }
}

}  // namespace vdmos
