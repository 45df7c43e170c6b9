#include "extract/threshold.h"

#include <algorithm>
#include <cmath>

#include "extract/bisection.h"

namespace vdmos {
namespace {

constexpr int kBisectionPasses = 200;
constexpr int kWideningPasses = 20;  // doublings of 1 V: past 1e6 V
constexpr double kTailBelowLastDigit = 34;

}  // namespace

double SubthresholdOverdrive(double vgs, double VTO, double KSUBTHRES) {
  const double overdrive = vgs - VTO;
  if (!(KSUBTHRES > 0)) return std::max(overdrive, 0.0);
  // Written so that neither branch overflows: well above the threshold exp(x) would.
  const double x = overdrive / KSUBTHRES;
  // From 34 on, ln(1 + exp(-x)) is below half of x's last digit and the sum is x to the bit:
  // the fits solve the current above the threshold millions of times, and skip the two calls.
  if (x >= kTailBelowLastDigit) return KSUBTHRES * x;
  return KSUBTHRES * (x > 0 ? x + std::log1p(std::exp(-x)) : std::log1p(std::exp(x)));
}

double ChannelCurrent(const ChannelLaw& law, double vgs, double vds) {
  const double overdrive = SubthresholdOverdrive(vgs, law.VTO, law.KSUBTHRES);
  if (overdrive <= 0 || vds <= 0) return 0;
  const double modulation = 1 + law.LAMBDA * vds;
  if (overdrive < vds) return law.KP / 2 * overdrive * overdrive * modulation;
  return law.KP * (overdrive - vds / 2) * vds * modulation;
}

std::optional<double> ThresholdVoltage(const ChannelLaw& law, double current) {
  if (!(current > 0) || !std::isfinite(current)) return std::nullopt;
  // With the drain on the gate the channel sees vds = vgs - current * RD at its own gate
  // voltage vgs; the current rises with vgs, and is 0 where vds is.
  const double drop = current * law.RD;
  auto drivenCurrent = [&](double vgs) { return ChannelCurrent(law, vgs, vgs - drop); };
  double low = drop, high = drop + 1;
  for (int pass = 0; drivenCurrent(high) < current; ++pass) {
    if (pass == kWideningPasses || !std::isfinite(high)) return std::nullopt;
    low = high;
    high = drop + 2 * (high - drop);
  }
  const double vgs = BisectToReach(drivenCurrent, current, low, high, kBisectionPasses,
                                   [](double low, double high) { return high - low > 1e-15 * high; });
  return vgs + current * law.RS;
}

}  // namespace vdmos
