#include "verify/gate_charge_model.h"

#include <algorithm>
#include <cmath>

#include "extract/constants.h"

namespace vdmos {
namespace {

constexpr double kPicocoulombToNanocoulomb = 1e-3;
constexpr int kBelowThresholdPoints = 16;
constexpr int kTurnOnPoints = 24;
constexpr int kPlateauPoints = 48;
constexpr int kTriodePoints = 48;
constexpr int kSolverPasses = 100;
constexpr double kTopReach = 1e-6;
// The simulated test: the gate current flows for this long, sampled this many times, after
// the gate was held on the source for a hundredth of it.
constexpr double kRunTime = 1e-3;  // s
constexpr int kRunSamples = 4000;
constexpr double kChargeMargin = 1.3;  // the run delivers this many times the charge needed

/// The charge of Cgd from 0 to v (pF * V), the integral of the simulator's Cgd(v).
double GateDrainCharge(const GateChargeDevice& d, double v) {
  const double s = (d.CGDMAX - d.CGDMIN) / (1 + kHalfPi);
  const double c0 = d.CGDMAX - s;
  if (!(d.a > 0)) return c0 * v;
  const double x = d.a * v;
  if (v < 0) return c0 * v + s * (v * std::atan(x) - std::log1p(x * x) / (2 * d.a));
  // ln(cosh x) without overflow for large x.
  return c0 * v + s * (x + std::log1p(std::exp(-2 * x)) - std::log(2.0)) / d.a;
}

/// The charge (nC) that the gate takes from gate-source and gate-drain voltage 0 and -vd0 to
/// vgs and vgd (V, across the channel) with the drain current id (A): the capacitances
/// integrated as the simulator integrates them. The charges at the start are the same for
/// every point of a curve and are counted once.
class ChargeFromStart {
 public:
  ChargeFromStart(const GateChargeDevice& d, double vd0) : d_(d), gateDrain_(GateDrainCharge(d, -vd0)) {
    if (const auto& e = d.element) {
      elementGd_ = WindowCharge(e->gd, e->width, -vd0);
      elementGs_ = WindowCharge(e->gs, e->width, 0);
    }
  }

  double operator()(double vgs, double vgd, double id) const {
    double q = d_.CGS * vgs + GateDrainCharge(d_, vgd) - gateDrain_;
    if (const auto& e = d_.element) {
      // Both sit behind RG, as the card's own capacitances do. The gate-drain window reads the
      // drain inside RD, as the card's Cgd does, or at the terminal; the gate-source one sits
      // outside RS.
      const double terminalVgs = vgs + id * d_.RS;
      const double windowVgd = e->innerDrain ? vgd : vgd - id * d_.RD;
      q += WindowCharge(e->gd, e->width, windowVgd) - elementGd_;
      q += WindowCharge(e->gs, e->width, terminalVgs) - elementGs_;
      // A dip's complement carries the depth of the card's CGS outside RS too.
      if (e->gs.c < 0) q -= e->gs.c * (terminalVgs - vgs);
    }
    return q * kPicocoulombToNanocoulomb;
  }

 private:
  const GateChargeDevice& d_;
  double gateDrain_ = 0, elementGd_ = 0, elementGs_ = 0;
};

/// The channel current at the voltages across the channel itself.
double ChannelCurrent(const GateChargeDevice& d, double overdrive, double vds) {
  if (overdrive <= 0 || vds <= 0) return 0;
  const double modulation = 1 + d.LAMBDA * vds;
  if (overdrive < vds) return d.KP / 2 * overdrive * overdrive * modulation;
  return d.KP * (overdrive - vds / 2) * vds * modulation;
}

/// The overdrive at which the channel carries id at the channel voltage vds: both laws solve
/// directly for it.
double OverdriveFor(const GateChargeDevice& d, double id, double vds) {
  const double modulation = 1 + d.LAMBDA * vds;
  const double saturated = std::sqrt(2 * id / (d.KP * modulation));
  if (saturated <= vds) return saturated;
  return id / (d.KP * vds * modulation) + vds / 2;
}

/// The channel voltage at which an overdrive carries id in the triode region, below bound:
/// the current rises with the voltage there, so Newton's steps, kept inside the bracket that
/// they narrow, find it in a few passes.
double TriodeVoltageFor(const GateChargeDevice& d, double id, double overdrive, double bound) {
  // Without channel-length modulation the law is a quadratic.
  const double root = overdrive * overdrive - 2 * id / d.KP;
  double v = root > 0 ? std::min(bound, overdrive - std::sqrt(root)) : bound;
  double low = 0, high = bound;
  for (int pass = 0; pass < kSolverPasses; ++pass) {
    const double excess = ChannelCurrent(d, overdrive, v) - id;
    (excess > 0 ? high : low) = v;
    const double slope = d.KP * ((overdrive - v) * (1 + d.LAMBDA * v) + d.LAMBDA * (overdrive - v / 2) * v);
    double next = slope > 0 ? v - excess / slope : (low + high) / 2;
    if (!(next > low && next < high)) next = (low + high) / 2;
    if (std::abs(next - v) <= 1e-12 * bound) return next;
    v = next;
  }
  return v;
}

/// The channel voltage at which the saturation law meets the triode law for id.
double SaturationEdge(const GateChargeDevice& d, double id) {
  double low = 0, high = std::sqrt(2 * id / d.KP);
  for (int pass = 0; pass < kSolverPasses && high - low > 1e-13 * high; ++pass) {
    const double middle = low + (high - low) / 2;
    (middle >= std::sqrt(2 * id / (d.KP * (1 + d.LAMBDA * middle))) ? high : low) = middle;
  }
  return high;
}

/// The gate voltage across the channel that gives the square law this overdrive: the
/// simulator's subthreshold tail means the channel needs a little less than VTO + overdrive
/// near the threshold, and the same well above it.
double ChannelGateVoltage(const GateChargeDevice& d, double overdrive) {
  if (!(d.KSUBTHRES > 0) || !(overdrive > 0)) return d.VTO + overdrive;
  return d.VTO + overdrive + d.KSUBTHRES * std::log1p(-std::exp(-overdrive / d.KSUBTHRES));
}

/// The gate voltage at the terminals: the channel's, with the drops on RS and RG.
double TerminalVgs(const GateChargeDevice& d, const GateChargeTest& t, const ChannelState& s) {
  return s.vgs + s.id * d.RS + t.ig * d.RG;
}

/// Collects the channel's states until the gate passes the top voltage.
class Path {
 public:
  Path(const GateChargeDevice& d, const GateChargeTest& t, double top) : d_(d), t_(t), top_(top) {}
  /// Adds the channel state; false once the curve has passed the top.
  bool Add(double vgsChannel, double vdsChannel, double id) {
    if (Done()) return false;
    states_.push_back({vgsChannel, vdsChannel, id});
    lastVgs_ = TerminalVgs(d_, t_, states_.back());
    return !Done();
  }
  bool Done() const { return !states_.empty() && lastVgs_ >= top_; }
  std::vector<ChannelState> Take() { return std::move(states_); }

 private:
  const GateChargeDevice& d_;
  const GateChargeTest& t_;
  double top_;
  double lastVgs_ = 0;
  std::vector<ChannelState> states_;
};

}  // namespace

std::vector<ChannelState> GateChargePath(const GateChargeDevice& d, const GateChargeTest& t, double vgsTop) {
  const double rt = d.RS + d.RD;
  const double vdsOn = t.vd - t.id * rt;  // the channel voltage when it first takes the whole current
  if (!(d.KP > 0) || !(t.id > 0) || !(vdsOn > 0) || !std::isfinite(vdsOn)) return {};
  Path path(d, t, vgsTop);

  // Below the threshold the clamp carries the load current and the drain stays at the supply.
  const double vto = std::max(d.VTO, 0.0);
  for (int k = 0; k < kBelowThresholdPoints; ++k) path.Add(vto * k / kBelowThresholdPoints, t.vd, 0);
  // The channel takes the load current from the clamp, still at the supply voltage.
  for (int k = 0; k <= kTurnOnPoints; ++k) {
    const double id = t.id * k / kTurnOnPoints;
    const double vds = t.vd - id * rt;
    path.Add(id > 0 ? ChannelGateVoltage(d, OverdriveFor(d, id, vds)) : d.VTO, vds, id);
  }
  // The plateau: the drain falls while the channel, saturated, holds the load current.
  const double edge = SaturationEdge(d, t.id);
  if (vdsOn > edge) {
    for (int k = 1; k <= kPlateauPoints; ++k) {
      const double vds = vdsOn * std::pow(edge / vdsOn, static_cast<double>(k) / kPlateauPoints);
      if (!path.Add(ChannelGateVoltage(d, OverdriveFor(d, t.id, vds)), vds, t.id)) break;
    }
  }
  // The triode rise: more overdrive, less drain voltage for the same current. The steps are
  // finest where the drain voltage, and with it Cgd, changes fastest.
  const double startVds = std::min(vdsOn, edge);
  const double startOverdrive = OverdriveFor(d, t.id, startVds);
  // A little beyond the top, so that rounding cannot leave the last point just below it.
  const double topOverdrive = vgsTop * (1 + kTopReach) - d.VTO - t.id * d.RS - t.ig * d.RG;
  for (int k = 1; k <= kTriodePoints && topOverdrive > startOverdrive; ++k) {
    const double f = static_cast<double>(k) / kTriodePoints;
    const double overdrive = startOverdrive + (topOverdrive - startOverdrive) * f * f;
    if (!path.Add(ChannelGateVoltage(d, overdrive), TriodeVoltageFor(d, t.id, overdrive, startVds), t.id))
      break;
  }
  return path.Take();
}

std::vector<Point> GateChargeCurveAlong(const GateChargeDevice& d, const GateChargeTest& t,
                                        const std::vector<ChannelState>& path) {
  const ChargeFromStart charge(d, t.vd);
  std::vector<Point> curve;
  curve.reserve(path.size());
  for (const ChannelState& s : path)
    curve.push_back({charge(s.vgs, s.vgs - s.vds, s.id), TerminalVgs(d, t, s)});
  return curve;
}

std::vector<Point> ModelGateChargeCurve(const GateChargeDevice& d, const GateChargeTest& t, double vgsTop) {
  return GateChargeCurveAlong(d, t, GateChargePath(d, t, vgsTop));
}

GateChargeDevice GateChargeDeviceOf(const ModelParameterSet& p, bool pmos) {
  return {p.KP,
          pmos ? -p.VTO : p.VTO,
          p.RS,
          p.RD,
          p.LAMBDA,
          p.RG,
          p.CGS,
          p.CGDMAX,
          p.CGDMIN,
          p.a,
          p.KSUBTHRES.value_or(kSimulatorKsubthres),
          p.chargeElement ? std::optional(PrintedChargeElement(*p.chargeElement)) : std::nullopt};
}

GateChargeTiming GateChargeRunTiming() {
  GateChargeTiming t;
  t.release = kRunTime / 100;
  t.start = 1.2 * t.release;
  t.ramp = kRunTime * 1e-6;
  t.stop = t.start + kRunTime;
  t.step = kRunTime / kRunSamples;
  return t;
}

double GateChargeBenchCurrent(const GateChargeDevice& d, double id, double vd, double vgsTop) {
  const std::vector<Point> curve = ModelGateChargeCurve(d, {id, vd, 0}, vgsTop);
  double charge = 0;  // nC
  if (!curve.empty() && curve.back().y >= vgsTop) {
    charge = curve.back().x;
  } else {
    // The gate-drain capacitance never exceeds CGDMAX (and the elements' own), so this charge
    // passes any gate voltage.
    const double elements = d.element ? std::abs(d.element->gd.c) + std::abs(d.element->gs.c) : 0;
    charge = (std::abs(d.CGS) + std::abs(d.CGDMAX) + elements) * (std::abs(vgsTop) + std::abs(vd)) * 1e-3;
  }
  if (!(charge > 0) || !std::isfinite(charge)) charge = 1;
  return kChargeMargin * charge * 1e-9 / kRunTime;
}

}  // namespace vdmos
