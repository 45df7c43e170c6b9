#pragma once
#include <string>

namespace vdmos {

/// Fits KP, VTO, RS and RD to the plateau point (Vp, Ip), the maximum-current point (Vm, Im)
/// and Ron at Vr, in the plateau, threshold or averaging branch. VTO is read as the start
/// value (Vgs(th)); RS, RD, KP and VTO are written as the fit goes, LAMBDA is only read.
/// FixVTO acts when not 0, ForceRdsOn only when exactly 1. An arithmetic fault ends the fit
/// at once with the values stored so far and the empty message. Returns the status message.
std::string DcTransferFit(double Vp, double Ip, double Vm, double Im, double Ron, double Vr, double& RS,
                          double& RD, double& KP, double& VTO, const double& LAMBDA, double Vt, int FixVTO,
                          int ForceRdsOn);

}  // namespace vdmos
