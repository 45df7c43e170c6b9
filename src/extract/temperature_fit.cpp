#include "extract/temperature_fit.h"

#include <algorithm>
#include <cmath>

#include "extract/bisection.h"
#include "extract/constants.h"
#include "model/card_reading.h"
#include "model/control_names.h"
#include "model/fields.h"
#include "model/numbers.h"

namespace vdmos {
namespace {

constexpr int kBisectionPasses = 200;
// TCVTH and MU depend on each other through the hot threshold and the zero-TC point; a few
// rounds of the pair settle them far below the digits the card writes.
constexpr int kCouplingRounds = 30;
// N rescaled to 25 C keeps a hundred-thousandth: in four digits its rounding alone moved the
// 25 C body diode rows of a hot card by up to 0.06 % against the same card without hot values.
constexpr std::string_view kNominalEmissionMask = "0.0####";
// A round that moves every parameter by less than this share of it has settled them.
constexpr double kSettledChange = 1e-13;
// The span of MU searched: every silicon device lies well inside it.
constexpr double kLowestMU = -6.0;
constexpr double kHighestMU = 2.0;
// A polynomial drain resistance law that falls below this share of RD somewhere in the law span
// (or below zero, where ngspice quietly takes RD unscaled) stands for no drift region.
constexpr double kLowestDrainShare = 0.05;
// How close the power law, fitted to the hot ratio, must come to a second ratio to meet it.
constexpr double kSecondRatioTolerance = 0.02;

double ThermalVoltageAt(double celsius) { return ThermalVoltageAtKelvin(Kelvin(celsius)); }
double Ratio(double celsius) { return Kelvin(celsius) / Kelvin(kRoomCelsius); }

/// Bisection for an increasing f: the x in [low, high] where f(x) = 0.
double Bisect(auto f, double low, double high) {
  return BisectIncreasing(f, low, high, kBisectionPasses, [](double low, double high) {
    return high - low > 1e-15 * std::max(1.0, std::fabs(high));
  });
}

double TerminalCurrent(const ChannelLaw& c, double vgs, double vds) {
  // The current lowers both internal voltages, so the channel's current falls as the guess
  // rises: the one crossing lies between 0 and the current without the drops.
  const double most = ChannelCurrent(c, vgs, vds);
  return Bisect([&](double id) { return id - ChannelCurrent(c, vgs - id * c.RS, vds - id * (c.RS + c.RD)); },
                0.0, most);
}

std::string_view Quantity(std::string_view control) { return FindField(control)->quantity; }

void Refuse(TemperatureFit& fit, std::string_view control, std::string_view why,
            std::string_view outcome = "the card is made without it") {
  std::string message = "\"";
  message.append(Quantity(control)).append("\" ").append(why).append(": ").append(outcome).append(".");
  fit.problems.push_back({control, std::move(message)});
}

/// The drain resistance at celsius that puts the on-resistance at `target`; nullopt when the
/// channel and RS alone already exceed it.
std::optional<double> HotDrainResistance(const ChannelLaw& room, ChannelTemperature law, const RoomValues& v,
                                         double celsius, double target) {
  law.TRD1 = law.TRD2 = 0;
  ChannelLaw c = ChannelAt(room, law, celsius);
  c.RD = 0;
  if (!(v.rdsOnVds / TerminalCurrent(c, v.rdsOnVgs, v.rdsOnVds) < target)) return std::nullopt;
  // At the target the current is known, so the drain resistance that lets the channel carry it
  // is one search: the channel's current falls as RD takes more of the drain voltage, and is 0
  // where RD and RS take it all.
  const double id = v.rdsOnVds / target;
  return Bisect(
      [&](double rd) {
        return id - ChannelCurrent(c, v.rdsOnVgs - id * c.RS, v.rdsOnVds - id * (c.RS + rd));
      },
      0.0, target - c.RS);
}

void FitThreshold(const ChannelLaw& room, const TemperatureTargets& t, const RoomValues& v,
                  TemperatureFit& fit, double celsius) {
  // The threshold falls by TCVTH * dT but for the drain voltage, tied to the gate, that falls
  // with it: each round moves TCVTH by what is still missing.
  const double missing =
      ThresholdVoltage(ChannelAt(room, fit.channel, celsius), v.vthCurrent).value_or(NAN) - *t.vthHot;
  fit.channel.TCVTH += missing / (celsius - kRoomCelsius);
}

bool FitZeroTc(const ChannelLaw& room, const TemperatureTargets& t, const RoomValues& v, TemperatureFit& fit,
               double celsius) {
  const ChannelTemperature roomLaw;
  const double wanted = HotDrainCurrent(room, roomLaw, kRoomCelsius, *t.ztcVgs, v.transferVds);
  ChannelTemperature law = fit.channel;
  const auto excess = [&](double mu) {
    law.MU = mu;
    return HotDrainCurrent(room, law, celsius, *t.ztcVgs, v.transferVds) - wanted;
  };
  // The hot current rises with MU (the hot temperature's ratio is above 1).
  if (!(excess(kLowestMU) < 0 && excess(kHighestMU) > 0)) return false;
  fit.channel.MU = Bisect(excess, kLowestMU, kHighestMU);
  return true;
}

/// Whether a round of the coupled fits moved no parameter by more than the bisections resolve.
bool Settled(const ChannelTemperature& before, const ChannelTemperature& after) {
  const auto same = [](double a, double b) {
    return std::fabs(a - b) <= kSettledChange * std::max(1.0, std::fabs(a));
  };
  return same(before.TCVTH, after.TCVTH) && same(before.MU, after.MU) && same(before.TRD1, after.TRD1) &&
         same(before.TRD2, after.TRD2) && before.TEXP0.has_value() == after.TEXP0.has_value() &&
         same(before.TEXP0.value_or(0), after.TEXP0.value_or(0));
}

/// Whether the Rds(on) ratios can be used at all, refusing the ones that cannot.
void CheckRatios(const ChannelLaw& room, const TemperatureTargets& t, TemperatureFit& fit, double celsius) {
  if (!t.rdsRatio) {
    if (t.tj2 || t.rdsRatio2)
      Refuse(fit, control::RdsHotRatio, "is empty", "the second point of the curve is not used either");
    return;
  }
  if (!(*t.rdsRatio > 0)) return Refuse(fit, control::RdsHotRatio, "is not above 0");
  if (!(room.RD > 0)) return Refuse(fit, control::RdsHotRatio, "needs a card with RD above 0");
  fit.trd1Given = true;
  if (!t.tj2 && !t.rdsRatio2) return;
  if (!t.tj2 || !UsableHotCelsius(*t.tj2) || *t.tj2 == celsius)
    return Refuse(fit, control::Tj2, "is not a temperature from 50 C to 200 C apart from the hot Tj");
  if (!t.rdsRatio2) return Refuse(fit, control::RdsRatio2, "is empty");
  if (!(*t.rdsRatio2 > 0)) return Refuse(fit, control::RdsRatio2, "is not above 0");
  fit.trd2Given = true;
}

/// The lowest RD(T) / RD of the law from the coldest law temperature to `hottest`.
double LowestDrainShare(const ChannelTemperature& law, double hottest) {
  const auto share = [&](double celsius) { return DrainResistanceAt(1, law, celsius); };
  double lowest = std::min(share(kColdestLawCelsius), share(hottest));
  if (law.TRD2 != 0) {
    const double vertex = kRoomCelsius - law.TRD1 / (2 * law.TRD2);
    if (vertex > kColdestLawCelsius && vertex < hottest) lowest = std::min(lowest, share(vertex));
  }
  return lowest;
}

/// Whether the channel's law puts the on-resistance at tj2 within reach of the second ratio.
bool MeetsSecondRatio(const ChannelLaw& room, const TemperatureTargets& t, const RoomValues& v,
                      const ChannelTemperature& law) {
  const double reached = v.rdsOnVds / HotDrainCurrent(room, law, *t.tj2, v.rdsOnVgs, v.rdsOnVds);
  return std::fabs(reached / (*t.rdsRatio2 * v.rdsOn) - 1) <= kSecondRatioTolerance;
}

/// TRD1 (and TRD2) for the channel's present TCVTH and MU, or TEXP0 where that polynomial
/// would take RD to nothing within the law span; the field of a ratio that cannot be met,
/// nullopt when both are.
std::optional<std::string_view> FitDrainResistance(const ChannelLaw& room, const TemperatureTargets& t,
                                                   const RoomValues& v, TemperatureFit& fit, double celsius) {
  const auto hot = HotDrainResistance(room, fit.channel, v, celsius, *t.rdsRatio * v.rdsOn);
  if (!hot) return control::RdsHotRatio;
  const double x1 = *hot / room.RD - 1;
  const double d1 = celsius - kRoomCelsius;
  fit.channel.TRD1 = x1 / d1;
  fit.channel.TRD2 = 0;
  fit.channel.TEXP0.reset();
  if (fit.trd2Given) {
    const auto second = HotDrainResistance(room, fit.channel, v, *t.tj2, *t.rdsRatio2 * v.rdsOn);
    if (!second) return control::RdsRatio2;
    // RD(T) / RD - 1 = TRD1 dT + TRD2 dT^2 through both points.
    const double x2 = *second / room.RD - 1;
    const double d2 = *t.tj2 - kRoomCelsius;
    fit.channel.TRD2 = (x2 / d2 - x1 / d1) / (d2 - d1);
    fit.channel.TRD1 = x1 / d1 - fit.channel.TRD2 * d1;
  }
  const double hottest = std::max({kHottestLawCelsius, celsius, t.tj2.value_or(kRoomCelsius)});
  if (LowestDrainShare(fit.channel, hottest) >= kLowestDrainShare) return std::nullopt;
  // A drift region's resistance follows a power of the absolute temperature: positive at any
  // temperature, and through the hot point with its one exponent.
  fit.channel.TRD1 = fit.channel.TRD2 = 0;
  fit.channel.TEXP0 = std::log(*hot / room.RD) / std::log(Ratio(celsius));
  if (fit.trd2Given && !MeetsSecondRatio(room, t, v, fit.channel)) {
    fit.trd2Given = false;
    Refuse(fit, control::RdsRatio2,
           "cannot be met with the hot ratio by a drain resistance that stays above 0 from " +
               DefaultNumberText(kColdestLawCelsius) + " C to " + DefaultNumberText(hottest) + " C");
  }
  return std::nullopt;
}

/// Whether the hot threshold lies below the card's own at 25 C, refusing it otherwise: the card's
/// threshold may lie below the datasheet's (a fit that keeps VTO, the subthreshold current), and
/// fitted to a hot value above it, the card's threshold would rise with temperature.
bool BelowCardThreshold(const ChannelLaw& room, const TemperatureTargets& t, const RoomValues& v,
                        TemperatureFit& fit) {
  const std::optional<double> card = ThresholdVoltage(ChannelAt(room, {}, kRoomCelsius), v.vthCurrent);
  if (card && *t.vthHot < *card) return true;
  Refuse(fit, control::VthHot,
         "is not below the card's own Vgs(th) at 25 C" +
             (card ? ", " + FourSignificantText(*card) + " V" : "") +
             ", so the card's threshold would rise with temperature (refining the model brings the card's "
             "Vgs(th) to the datasheet's)");
  return false;
}

void FitChannel(const ChannelLaw& room, const TemperatureTargets& t, const RoomValues& v, TemperatureFit& fit,
                double celsius) {
  if (t.vthHot) {
    if (!(*t.vthHot > 0))
      Refuse(fit, control::VthHot, "is not above 0 V");
    else if (*t.vthHot > v.vgsTh)
      Refuse(fit, control::VthHot, "is above Vgs(th) at 25 C, where a hot threshold is lower");
    else if (!(v.vthCurrent > 0))
      Refuse(fit, control::VthHot, "needs a Vgs(th) test current above 0");
    else
      fit.tcvthGiven = BelowCardThreshold(room, t, v, fit);
  }
  CheckRatios(room, t, fit, celsius);
  if (t.ztcVgs) {
    if (!(*t.ztcVgs > (t.vthHot ? *t.vthHot : 0)) || !(*t.ztcVgs > room.VTO))
      Refuse(fit, control::ZtcVgs, "is not above the threshold");
    else if (!fit.tcvthGiven && !fit.trd1Given)
      // Without the threshold's fall or RD's rise, the mobility alone moves the hot transfer
      // curve evenly above or below the 25 C one: they cross nowhere, or everywhere at MU = 0.
      Refuse(fit, control::ZtcVgs, "needs a usable hot Vgs(th) or Rds(on) ratio");
    else
      fit.muGiven = true;
  }
  // The threshold, the zero-TC point and the on-resistance each depend a little on the
  // others' parameters (through KP, VTO and RD at the hot temperature): rounds of the three
  // settle them together.
  for (int round = 0; round < kCouplingRounds; ++round) {
    const ChannelTemperature before = fit.channel;
    if (fit.tcvthGiven) FitThreshold(room, t, v, fit, celsius);
    if (fit.muGiven && !FitZeroTc(room, t, v, fit, celsius)) {
      fit.muGiven = false;
      fit.channel.MU = ChannelTemperature{}.MU;
      Refuse(fit, control::ZtcVgs, "cannot be met by the mobility's temperature exponent");
    }
    if (fit.trd1Given) {
      if (const auto unmet = FitDrainResistance(room, t, v, fit, celsius)) {
        fit.trd1Given = fit.trd2Given = false;
        fit.channel.TRD1 = fit.channel.TRD2 = 0;
        fit.channel.TEXP0.reset();
        Refuse(fit, *unmet, "is below what the hot channel alone gives");
      }
    }
    if (Settled(before, fit.channel)) break;
  }
}

void FitDiode(const TemperatureTargets& t, const RoomValues& v, TemperatureFit& fit, double celsius) {
  if (!t.vsdHot && !t.isdHot) return;
  if (!t.vsdHot || !t.isdHot) return Refuse(fit, t.vsdHot ? control::IsdHot : control::VsdHot, "is empty");
  if (!(v.IS > 0 && v.N > 0)) return Refuse(fit, control::VsdHot, "needs the 25 C body diode points");
  if (!(*t.isdHot >= v.isdLow && *t.isdHot <= v.isdHigh))
    return Refuse(fit, control::IsdHot, "lies outside the currents of the 25 C diode points");
  const double roomVsd = HotDiodeVoltage(v.IS, v.N, v.RB, 0, kRoomCelsius, *t.isdHot);
  if (!(*t.vsdHot < roomVsd))
    return Refuse(fit, control::VsdHot, "is not below the 25 C Vsd at that current");
  const double junction = *t.vsdHot - *t.isdHot * v.RB;
  if (!(junction > 0)) return Refuse(fit, control::VsdHot, "is below the drop of the diode's RB");
  // IS at the hot temperature that puts the junction voltage at the hot point, then EG from IS(T).
  const double nVt = v.N * ThermalVoltageAt(celsius);
  const double hotIS = *t.isdHot / std::expm1(junction / nVt);
  const double ratio = Ratio(celsius);
  fit.EG = (std::log(hotIS / v.IS) - kDiodeXTI / v.N * std::log(ratio)) * nVt / (ratio - 1);
}

}  // namespace

ChannelTemperature ChannelTemperatureOf(std::string_view text) {
  const ChannelTemperature absent;
  const auto value = [&](std::string_view key, double otherwise) {
    return CardTextValue(text, key).value_or(otherwise);
  };
  return {value("TCVTH", absent.TCVTH), value("MU", absent.MU), value("TRD1", absent.TRD1),
          value("TRD2", absent.TRD2), CardTextValue(text, "TEXP0")};
}

double DrainResistanceAt(double rd, const ChannelTemperature& law, double celsius) {
  if (law.TEXP0) return rd * std::pow(Ratio(celsius), *law.TEXP0);
  const double dT = celsius - kRoomCelsius;
  return rd * (1 + law.TRD1 * dT + law.TRD2 * dT * dT);
}

ChannelLaw ChannelAt(const ChannelLaw& room, const ChannelTemperature& law, double celsius) {
  const double dT = celsius - kRoomCelsius;
  return {room.KP * std::pow(Ratio(celsius), law.MU),
          room.VTO - law.TCVTH * dT,
          room.RS,
          DrainResistanceAt(room.RD, law, celsius),
          room.LAMBDA,
          room.KSUBTHRES};
}

double HotDrainCurrent(const ChannelLaw& room, const ChannelTemperature& law, double celsius, double vgs,
                       double vds) {
  return TerminalCurrent(ChannelAt(room, law, celsius), vgs, vds);
}

double HotDiodeVoltage(double IS, double N, double RB, double EG, double celsius, double isd) {
  const double ratio = Ratio(celsius);
  const double nVt = N * ThermalVoltageAt(celsius);
  const double hotIS = IS * std::exp((ratio - 1) * EG / nVt) * std::pow(ratio, kDiodeXTI / N);
  return nVt * std::log1p(isd / hotIS) + RB * isd;
}

double EmissionAtNominal(double N) { return N * kTemperature / Kelvin(kRoomCelsius); }

std::string DiodeTextAtNominal(std::string_view text) {
  const std::optional<double> N = CardTextValue(text, "N");
  const std::size_t at = text.find(" N=");
  if (!N || at == std::string_view::npos) return std::string(text);
  const std::size_t end = std::min(text.find(' ', at + 1), text.size());
  return std::string(text.substr(0, at)) + " N=" + FormatMask(EmissionAtNominal(*N), kNominalEmissionMask) +
         std::string(text.substr(end));
}

std::string TemperatureFit::CardText() const {
  if (!hot) return {};
  std::string text = "TNOM=" + DefaultNumberText(kRoomCelsius);
  const auto add = [&](bool given, std::string_view key, double value) {
    if (given) text.append(" ").append(key).append("=").append(FourSignificantText(value));
  };
  add(tcvthGiven, "TCVTH", channel.TCVTH);
  add(muGiven, "MU", channel.MU);
  add(trd1Given && !channel.TEXP0, "TRD1", channel.TRD1);
  add(trd2Given && !channel.TEXP0, "TRD2", channel.TRD2);
  add(trd1Given && channel.TEXP0, "TEXP0", channel.TEXP0.value_or(0));
  add(EG.has_value(), "EG", EG.value_or(0));
  return text;
}

TemperatureFit FitTemperature(const ChannelLaw& room, const RoomValues& values,
                              const TemperatureTargets& targets) {
  TemperatureFit fit;
  if (!targets.tjHot) {
    const bool anyHotValue = targets.rdsRatio || targets.tj2 || targets.rdsRatio2 || targets.vthHot ||
                             targets.vsdHot || targets.isdHot || targets.ztcVgs;
    if (anyHotValue) Refuse(fit, control::TjHot, "is empty", "the hot values typed beside it are not used");
    return fit;
  }
  if (!UsableHotCelsius(*targets.tjHot)) {
    Refuse(fit, control::TjHot, "is not from 50 C to 200 C",
           "the card is made without temperature parameters");
    return fit;
  }
  fit.hot = true;
  const double celsius = *targets.tjHot;
  if (room.KP > 0) {
    FitChannel(room, targets, values, fit, celsius);
  }
  FitDiode(targets, values, fit, celsius);
  const auto finite = [](double x) { return std::isfinite(x); };
  if (!finite(fit.channel.TCVTH) || !finite(fit.channel.MU) || !finite(fit.channel.TRD1) ||
      !finite(fit.channel.TRD2) || !finite(fit.channel.TEXP0.value_or(0)) || (fit.EG && !finite(*fit.EG))) {
    // A value beyond a double's reach (a card at its limits) goes into no card.
    fit = TemperatureFit{};
    fit.hot = true;
    Refuse(fit, control::TjHot, "gives temperature parameters beyond reach",
           "the card is made with TNOM alone");
  }
  return fit;
}

}  // namespace vdmos
