#pragma once
// The square-law drain-current model with series resistances: closed-form inversions for
// single datasheet facts and two damped fixed-point solvers that evaluate the model.

namespace vdmos {

/// Square root of |x|.
double SqrAbs(double x);
/// RS for which the saturation equation passes through (Vgs, Id); 0 on an arithmetic fault.
double SolveRs(double KP, double VTO, double Vgs, double Id, double LAMBDA, double Vds);
/// RD that makes the on-resistance Ron at Vgs. Arithmetic faults throw ArithmeticFault.
double SolveRd(double RS, double Ron, double KP, double Vgs, double VTO);
/// KP for which the saturation equation passes through (Vgs, Id). Faults throw.
double SolveKp(double Id, double Vgs, double VTO, double RS, double LAMBDA, double Vds);
/// Rds(on) at Vgs with 0.1 V across the device; RS + RD on a fault.
double ModelRdsOn(double RS, double RD, double KP, double VTO, double Vgs, double LAMBDA);
/// Id at (Vgs, Vds); 0 when cut off, unconverged, or on a fault.
double ModelDrainCurrent(double RS, double RD, double KP, double VTO, double Vgs, double Vds, double LAMBDA);

}  // namespace vdmos
