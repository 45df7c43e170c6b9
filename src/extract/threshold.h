#pragma once
// The gate threshold as a datasheet gives it: the gate voltage at which the channel carries a
// test current while the drain is tied to the gate. The simulator's VDMOS law puts a smooth
// subthreshold tail into its square law, so current flows below VTO; with its default slope a
// card whose VTO is the datasheet's threshold reaches the test current well below it.

#include <optional>

namespace vdmos {

/// The simulator's subthreshold slope when the card gives none.
inline constexpr double kSimulatorKsubthres = 0.1;  // V

/// The DC law of the channel in the N-channel sense (VTO the threshold's magnitude). It takes
/// every parameter as an argument, so that a caller may pass values at another temperature.
struct ChannelLaw {
  double KP = 0, VTO = 0, RS = 0, RD = 0, LAMBDA = 0;
  double KSUBTHRES = kSimulatorKsubthres;
};

/// The overdrive the law puts into its square law, KSUBTHRES * ln(1 + exp((vgs - VTO) /
/// KSUBTHRES)): vgs - VTO well above the threshold, an exponential tail below it. A slope that
/// is not above 0 gives the bare square law's max(vgs - VTO, 0).
double SubthresholdOverdrive(double vgs, double VTO, double KSUBTHRES);

/// The channel current at the voltages across the channel itself (RS and RD left out).
double ChannelCurrent(const ChannelLaw& law, double vgs, double vds);

/// The terminal gate voltage at which the channel carries `current` with the drain tied to the
/// gate, RS and RD included; nullopt when the current is not above 0 or no gate voltage below
/// about 1e6 V reaches it.
std::optional<double> ThresholdVoltage(const ChannelLaw& law, double current);

}  // namespace vdmos
