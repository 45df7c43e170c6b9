#pragma once
// The square-law drain-current model with series resistances: closed-form inversions for
// single datasheet facts and two damped fixed-point solvers that evaluate the model.
// Vgs' = Vgs - Id*RS and Vds' = Vds - Id*(RS + RD) are the voltages across the channel;
// saturation Id = KP/2*(Vgs'-VTO)^2*(1+LAMBDA*Vds'), linear Id = KP*(Vgs'-VTO-Vds'/2)*Vds'*(1+LAMBDA*Vds').

namespace vdmos {

/// Square root of |x|.
double SqrAbs(double x);
/// RS for which the saturation equation (Vgs and Vds used directly) passes through (Vgs, Id);
/// 0 on an arithmetic fault (for example Id = 0).
double SolveRs(double KP, double VTO, double Vgs, double Id, double LAMBDA, double Vds);
/// RD that makes the on-resistance Ron at Vgs; may be negative. Faults throw ArithmeticFault.
double SolveRd(double RS, double Ron, double KP, double Vgs, double VTO);
/// KP for which the saturation equation passes through (Vgs, Id). Faults throw ArithmeticFault.
double SolveKp(double Id, double Vgs, double VTO, double RS, double LAMBDA, double Vds);
/// Rds(on) at Vgs with 0.1 V across the device, RS replaced by 0.0001 when RD <= 0; that
/// RS + RD on a fault (a sum of RS and RD that overflows is itself passed to the caller).
double ModelRdsOn(double RS, double RD, double KP, double VTO, double Vgs, double LAMBDA);
/// Id at (Vgs, Vds); 0 when cut off, unconverged, or on a fault.
double ModelDrainCurrent(double RS, double RD, double KP, double VTO, double Vgs, double Vds, double LAMBDA);

}  // namespace vdmos
