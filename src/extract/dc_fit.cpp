#include "extract/dc_fit.h"

#include <cmath>
#include <string>

#include "extract/dc_equations.h"
#include "extract/dc_messages.h"
#include "model/checked_math.h"

namespace vdmos {
namespace {

constexpr int kIterationLimit = 1000;
constexpr double kVtoStep = 0.01;
constexpr double kTolerance = 0.001;
// KP so large that the channel drops nothing: the series resistance alone explains a point.
constexpr double kStiffChannelKp = 100000;

/// The inputs of one fit and the parameters it writes. Every branch writes RS, RD, KP and
/// VTO in place, so that a fault leaves the values stored up to that point.
struct Fit {
  double Vp, Ip, Vm, Im, Ron, Vr, Vt;
  const double& LAMBDA;
  int FixVTO, ForceRdsOn;
  double& RS;
  double& RD;
  double& KP;
  double& VTO;
  double R0;      // RS floor and start value
  double VtoMax;  // ceiling of every raise of VTO
};

std::string WithCount(std::string_view text, Counter16 i) {
  return std::string(text) + std::to_string(i.value());
}

/// The datasheet Rds(on) is lower than the maximum-current point allows: match the plateau.
std::string PlateauBranch(Fit& f) {
  Counter16 i(0);
  if (f.ForceRdsOn == 1) {
    i = 1;
    while (!(f.RD >= 0 || i.value() >= kIterationLimit || f.VtoMax <= f.VTO)) {
      f.VTO = Add(f.VTO, kVtoStep);
      // Vt is used as it is here, without the resistive drop.
      f.KP = SolveKp(f.Ip, f.Vp, f.VTO, f.R0, f.LAMBDA, f.Vt);
      f.RD = SolveRd(f.R0, f.Ron, f.KP, f.Vr, f.VTO);
      ++i;
    }
  } else {
    f.KP = SolveKp(f.Ip, f.Vp, f.VTO, f.R0, f.LAMBDA, f.Vt);
    f.RD = 0;
  }
  f.RS = f.R0;
  if (f.RD < 0.0001) f.RD = 0.0001;
  return WithCount(dc_text::kPlateauMatched, i);
}

/// The plateau point needs a higher threshold than the maximum-current point: raise VTO
/// (unless fixed), then refine RD and KP with RS at its floor.
std::string ThresholdBranch(Fit& f, double KPb) {
  Counter16 i(1);
  if (f.FixVTO == 0) {
    while (!(f.VtoMax <= f.VTO || i.value() >= kIterationLimit || KPb >= f.KP)) {
      f.VTO = Add(f.VTO, kVtoStep);
      f.KP = SolveKp(f.Im, f.Vm, f.VTO, f.R0, 0, 0);
      KPb = SolveKp(f.Ip, f.Vp, f.VTO, f.R0, 0, 0);
      ++i;
    }
  } else {
    f.KP = SolveKp(f.Ip, f.Vp, f.VTO, f.R0, 0, 0);
  }
  f.RD = SolveRd(f.R0, f.Ron, f.KP, f.Vr, f.VTO);
  f.RS = f.R0;

  i = 1;
  double e = 1;
  while (i.value() < kIterationLimit && e > kTolerance) {
    const double Vd = Sub(f.Vt, Mul(Add(f.RD, f.RS), f.Ip));
    f.KP = SolveKp(f.Ip, f.Vp, f.VTO, f.RS, f.LAMBDA, Vd);
    ++i;
    const double RDnew = SolveRd(f.RS, f.Ron, f.KP, f.Vr, f.VTO);
    e = std::fabs(Div(Sub(f.RD, RDnew), f.RD));
    f.RD = RDnew;
  }

  std::string message = WithCount(dc_text::kTransferMatched, i);
  if (i.value() == kIterationLimit) message = dc_text::kIterationLimit;
  if (f.VtoMax <= f.VTO) message = dc_text::kVtoMaxLimit;
  if (f.RD < 0) {
    message = dc_text::kTransferError;
    f.RD = 0.0001;
  }
  return message;
}

/// Forces RS down so that the model's Rds(on) at Vr matches the datasheet: RS becomes what
/// Ron leaves after the channel, KP and RD follow. Continues the count i and the change e.
void ForceRdsOnMatch(Fit& f, Counter16& i, double& e) {
  f.RS = 0.9 * f.Ron;
  while (i.value() < kIterationLimit && e > kTolerance) {
    double RSnew = Sub(f.Ron, ModelRdsOn(0, 0, f.KP, f.VTO, f.Vr, f.LAMBDA));
    if (RSnew < f.R0) RSnew = f.R0;
    const double Vd = Sub(f.Vt, Mul(Add(RSnew, f.RD), f.Ip));
    f.KP = SolveKp(f.Ip, f.Vp, f.VTO, RSnew, f.LAMBDA, Vd);
    f.RD = SolveRd(RSnew, f.Ron, f.KP, f.Vr, f.VTO);
    if (f.RD < 0) f.RD = 0.001;
    e = std::fabs(Div(Sub(f.RS, RSnew), f.RS));
    f.RS = RSnew;
    ++i;
  }
}

/// Both points are consistent with the threshold: start from the means of the two points'
/// estimates and alternate RS (maximum-current point) with KP and RD (plateau point).
std::string AveragingBranch(Fit& f, double KPa, double KPb, double RSa, double RSb) {
  double e = 1;
  Counter16 i(1);
  f.KP = Add(Mul(0.5, KPa), Mul(0.5, KPb));
  f.RS = Add(Mul(0.5, RSb), Mul(0.5, RSa));
  if (f.RS <= 0 || f.RD <= 0) return {};

  while (f.RS > 0 && e > kTolerance && i.value() < kIterationLimit) {
    double Vd = Sub(f.Vt, Mul(Add(f.RD, f.RS), f.Im));
    const double RSnew = SolveRs(f.KP, f.VTO, f.Vm, f.Im, f.LAMBDA, Vd);
    e = std::fabs(Div(Sub(f.RS, RSnew), f.RS));
    f.RS = RSnew;
    ++i;
    Vd = Sub(f.Vt, Mul(Add(f.RS, f.RD), f.Ip));
    f.KP = SolveKp(f.Ip, f.Vp, f.VTO, f.RS, f.LAMBDA, Vd);
    f.RD = SolveRd(f.RS, f.Ron, f.KP, f.Vr, f.VTO);
    if (f.RD < 0) f.RD = 0;
    // The forced match runs until the count or the change is spent, which ends this loop too.
    if (f.RS > f.Ron && f.ForceRdsOn == 1) ForceRdsOnMatch(f, i, e);
  }

  if (f.RS < f.R0) f.RS = f.R0;
  if (f.RD < 0.0001) f.RD = 0.0001;
  if (i.value() == kIterationLimit) return std::string(dc_text::kIterationLimit);
  return WithCount(dc_text::kTransferMatched, i);
}

}  // namespace

std::string DcTransferFit(double Vp, double Ip, double Vm, double Im, double Ron, double Vr, double& RS,
                          double& RD, double& KP, double& VTO, const double& LAMBDA, double Vt, int FixVTO,
                          int ForceRdsOn) {
  try {
    Fit f{Vp, Ip, Vm, Im, Ron, Vr, Vt, LAMBDA, FixVTO, ForceRdsOn, RS, RD, KP, VTO, Mul(0.01, Ron), 0};
    // The straight line through the two transfer points reaches Id = 0 at Vx; VTO stays below.
    const double s = Div(Sub(Im, Ip), Sub(Vm, Vp));
    const double Vx = Div(Sub(Mul(s, Vp), Ip), s);
    f.VtoMax = Sub(Vx, 0.1);
    if (VTO > Vx) VTO = Sub(Vx, Mul(0.2, std::fabs(Vx)));

    // First estimates without channel-length modulation.
    const double RSa = SolveRs(kStiffChannelKp, VTO, Vm, Im, 0, 0);
    RS = RSa;
    const double KPa = SolveKp(Im, Vm, VTO, f.R0, 0, 0);
    KP = KPa;
    RD = SolveRd(f.R0, Ron, KPa, Vr, VTO);
    const double RSb = SolveRs(kStiffChannelKp, VTO, Vp, Ip, 0, 0);
    const double KPb = SolveKp(Ip, Vp, VTO, f.R0, 0, 0);

    if (RD < 0) return PlateauBranch(f);
    if (KPb < KPa) return ThresholdBranch(f, KPb);
    return AveragingBranch(f, KPa, KPb, RSa, RSb);
  } catch (const ArithmeticFault&) {
    return {};
  }
}

}  // namespace vdmos
