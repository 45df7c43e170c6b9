#pragma once
// The hot device: the card's temperature parameters from datasheet values at a junction
// temperature above 25 C, in the temperature laws of ngspice's VDMOS model:
//   VTO(T) = VTO - TCVTH * dT (magnitudes: the threshold falls with a positive TCVTH),
//   KP(T) = KP * (T / TNOM)^MU,  RD(T) = RD * (1 + TRD1 * dT + TRD2 * dT^2),
//   or RD(T) = RD * (T / TNOM)^TEXP0 when the card gives TEXP0 (ngspice then ignores TRD1/2),
//   IS(T) = IS * exp((T / TNOM - 1) * EG / (N * Vt(T))) * (T / TNOM)^(XTI / N),
// with TNOM = 25 C, and the channel's subthreshold law with the card's KSUBTHRES. Each
// parameter comes in closed form or by a one-dimensional solve from its own datasheet value,
// so a bad value costs its own parameter only.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "extract/threshold.h"
#include "model/hot_device.h"

namespace vdmos {

/// The drain voltage at which the model's Rds(on) is taken: low enough for the linear region.
inline constexpr double kOnResistanceDrainVoltage = 0.1;
/// The body diode's XTI as the card leaves it (ngspice's default).
inline constexpr double kDiodeXTI = 3.0;

/// The span of junction temperatures a card's laws must hold over, C: a drain resistance law
/// that fails anywhere in it makes a cold or hot simulation of the card meaningless.
inline constexpr double kColdestLawCelsius = -55;
inline constexpr double kHottestLawCelsius = 175;

/// The channel's temperature parameters, the defaults where a value is not given.
struct ChannelTemperature {
  double TCVTH = 0;
  double MU = -1.5;
  double TRD1 = 0, TRD2 = 0;
  std::optional<double> TEXP0 = {};  ///< the power law, which takes the place of TRD1 and TRD2
};

/// The channel's temperature parameters as a card's temperature text gives them, ngspice's
/// defaults for the ones it leaves out.
ChannelTemperature ChannelTemperatureOf(std::string_view temperatureText);

/// The drain resistance at celsius for `rd` at 25 C, by the law the card carries.
double DrainResistanceAt(double rd, const ChannelTemperature& law, double celsius);

/// The 25 C card's channel (as magnitudes: a P-channel VTO turned positive) at celsius by the
/// temperature laws; KSUBTHRES stays as it is.
ChannelLaw ChannelAt(const ChannelLaw& room, const ChannelTemperature& law, double celsius);

/// The channel's drain current magnitude (A) in ngspice's VDMOS at gate and drain voltage
/// magnitudes at celsius, the series resistances' drops included.
double HotDrainCurrent(const ChannelLaw& room, const ChannelTemperature& law, double celsius, double vgs,
                       double vds);

/// The body diode's forward voltage at isd and celsius for IS, N, RB and EG (XTI kDiodeXTI).
double HotDiodeVoltage(double IS, double N, double RB, double EG, double celsius, double isd);

/// The body diode fit takes its thermal voltage at 300 K, ngspice's default 27 C; a card with
/// a nominal temperature of 25 C is read at 298.15 K, where the same curve takes a larger N.
double EmissionAtNominal(double N);
/// The body diode text ("IS=... N=... RB=... ") with N for the 25 C nominal temperature, the
/// rest as it stands; a text without N is returned as it is.
std::string DiodeTextAtNominal(std::string_view bodyDiodeText);

/// What the datasheet gives at the hot temperature, each nullopt when not typed.
struct TemperatureTargets {
  std::optional<double> tjHot = {};
  std::optional<double> rdsRatio = {};  ///< Rds(on) at tjHot over Rds(on) at 25 C
  std::optional<double> tj2 = {}, rdsRatio2 = {};
  std::optional<double> vthHot = {};
  std::optional<double> vsdHot = {}, isdHot = {};
  std::optional<double> ztcVgs = {};
};

/// The 25 C values the targets are judged and met against.
struct RoomValues {
  double rdsOn = 0;        ///< Ohm, the datasheet's
  double rdsOnVgs = 0;     ///< V
  double rdsOnVds = 0;     ///< V, the drain voltage the on-resistance is measured at
  double vgsTh = 0;        ///< V, the datasheet's threshold
  double vthCurrent = 0;   ///< A, the drain current it is given at, drain tied to gate
  double transferVds = 0;  ///< V, the drain voltage of the transfer curves
  /// The body diode fit (IS 0 without one) and the current span of its points.
  double IS = 0, N = 0, RB = 0, isdLow = 0, isdHigh = 0;
};

/// One target the fit refused, with the field it names and why.
struct TemperatureProblem {
  std::string_view control;
  std::string message;
};

struct TemperatureFit {
  bool hot = false;  ///< a usable hot temperature: the card carries TNOM and the laws
  ChannelTemperature channel;
  /// trd1Given: the on-resistance ratio is met, by TRD1 or, where the polynomial law would
  /// not stay above a sound share of RD over the law span, by channel.TEXP0.
  bool tcvthGiven = false, muGiven = false, trd1Given = false, trd2Given = false;
  std::optional<double> EG;
  std::vector<TemperatureProblem> problems;
  /// "TNOM=25 TCVTH=... MU=... TRD1=... TRD2=... EG=..." (TEXP0 for TRD1 and TRD2 where the
  /// power law is taken) with the parameters found; empty
  /// when not hot.
  std::string CardText() const;
};

/// The temperature parameters for a 25 C card. Never throws.
TemperatureFit FitTemperature(const ChannelLaw& room, const RoomValues& values,
                              const TemperatureTargets& targets);

}  // namespace vdmos
