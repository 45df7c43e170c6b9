#include "model/charge_element.h"

#include <algorithm>
#include <cmath>
#include <optional>

#include "model/card_reading.h"
#include "model/numbers.h"

namespace vdmos {
namespace {

/// ln(1 + exp(x)) without overflow for large x and without losing small values for very
/// negative x.
double Softplus(double x) { return x > 0 ? x + std::log1p(std::exp(-x)) : std::log1p(std::exp(x)); }

std::string Printed(double value) { return FourSignificantText(value); }

/// ln(1 + exp(x)) for the simulator, in the same two branches, so that no exponent it takes
/// overflows at the large voltages a Newton step may try.
std::string SoftplusText(const std::string& x) {
  return "(" + x + ">0 ? " + x + "+ln(1+exp(-" + x + ")) : ln(1+exp(" + x + ")))";
}

/// RD's drop as a window's lines add it: the sense resistor's nodes and the gate's over the
/// source, each pair in the sense that the window's voltage takes (the drain current flows into
/// an N-channel drain and out of a P one), and RD over the sense resistance.
struct SensedDrop {
  std::string dropPlus, dropMinus, gatePlus, gateMinus;
  double gain = 0;
  std::string clampModel;
};

/// The sensed drop's lines beneath the window's source, whose low node is `low`: the drop over
/// w, passed on through a 10 ns low-pass and held below ten times the gate's voltage over the
/// source (over w) by a diode. The sense carries the body diode's current too, which never
/// flows through RD: in a half bridge the off device's freewheeling and reverse recovery
/// currents read as RD's drop and switched the window in and out, and ngspice stopped there
/// ("timestep too small") on most of the drive resistances tried. With the gate off, the clamp
/// holds the drop near 0; on, the drop stays far below the clamp (RD's drop is a part of the
/// on-state drain voltage, a few volts, against ten times a gate voltage above the threshold),
/// so the gate charge test reads it in full. Without the low-pass, or with one of 1 ns or
/// less, ngspice stopped in the half bridge or took twenty times the iterations on the gate
/// charge test (a time constant far below its steps); from 3 ns to 10 ns every run went
/// through, and the switching edges were the same to 1 %.
std::vector<std::string> SensedDropLines(const std::string& scaled, const std::string& low,
                                         const SensedDrop& drop, double w) {
  constexpr double kClampTimes = 10, kLowPassOhms = 1e3, kLowPassFarads = 10e-12;
  const std::string sensed = scaled + "f", clamp = scaled + "c", diode = drop.clampModel;
  return {"E" + sensed + " " + sensed + " 0 " + drop.dropPlus + " " + drop.dropMinus + " " +
              DefaultNumberText(drop.gain / w),
          "R" + sensed + " " + sensed + " " + low + " " + DefaultNumberText(kLowPassOhms),
          "C" + sensed + " " + low + " 0 " + DefaultNumberText(kLowPassFarads),
          "D" + clamp + " " + low + " " + clamp + " " + diode,
          "E" + clamp + " " + clamp + " 0 " + drop.gatePlus + " " + drop.gateMinus + " " +
              DefaultNumberText(kClampTimes / w),
          ".model " + diode + " D"};
}

/// The window's lines. A linear source first puts v / w on a node of its own, so that the
/// charge is a function of one node voltage: ngspice then differentiates the charge for one
/// variable instead of two at every iteration, which is most of what the element costs it.
/// Where the window reads the drain inside RD, the sensed drop (over w) lies beneath that
/// source, in the sense of v. The window's ends are written as multiples of w to fifteen
/// digits, so that (v / w) - low / w is the law of the printed values. A dip (C below 0) is
/// written as its positive complement, |C| everywhere but in the window, which the card's CGS,
/// lowered by |C|, makes whole: ngspice 39 stops on a negative charge element ("timestep too
/// small") where the complement runs.
std::vector<std::string> WindowLines(std::string_view name, std::string_view plus, std::string_view minus,
                                     const ChargeWindow& printed, double w,
                                     const std::optional<SensedDrop>& drop = std::nullopt) {
  const std::string scaled = std::string(name).substr(1);
  const std::string low = drop ? scaled + "r" : "0";
  const std::string v = "V(" + scaled + ")";
  const auto x = [&](double end) { return "(" + v + "-" + DefaultNumberText(end / w) + ")"; };
  const std::string law = printed.c < 0
                              ? v + "-" + SoftplusText(x(printed.low)) + "+" + SoftplusText(x(printed.high))
                              : SoftplusText(x(printed.low)) + "-" + SoftplusText(x(printed.high));
  std::vector<std::string> lines{"E" + scaled + " " + scaled + " " + low + " " + std::string(plus) + " " +
                                 std::string(minus) + " " + DefaultNumberText(1 / w)};
  if (drop) {
    const std::vector<std::string> sensed = SensedDropLines(scaled, low, *drop, w);
    lines.insert(lines.end(), sensed.begin(), sensed.end());
  }
  lines.push_back(std::string(name) + " " + std::string(plus) + " " + std::string(minus) + " Q='" +
                  Printed(std::abs(printed.c)) + "e-12*" + Printed(w) + "*(" + law + ")'");
  return lines;
}

/// The sense resistor's value as its line gives it: scaled by RD's temperature law as the card
/// carries it, in ngspice's form (the power law where the card gives TEXP0, which then takes
/// the place of TRD1 and TRD2; both about the card's TNOM, or ngspice's default of 27 C), so
/// that the sensed drop is RD's at every temperature. Read with RD's 25 C value, FQPF8N60C's
/// element saw the drain on the plateau at 125 C some 8 V above where the card's Cgd sees it,
/// and its gate charge came out a quarter low.
std::string SenseResistanceText(double ohms, std::string_view card) {
  constexpr double kNgspiceNominalCelsius = 27, kKelvinAtZeroCelsius = 273.15;
  const std::string value = DefaultNumberText(ohms);
  const double nominal = CardTextValue(card, "TNOM").value_or(kNgspiceNominalCelsius);
  const std::string rise =
      "(temper" + std::string(nominal < 0 ? "+" : "-") + DefaultNumberText(std::abs(nominal)) + ")";
  if (const std::optional<double> exponent = CardTextValue(card, "TEXP0")) {
    return "R='" + value + "*((temper+" + DefaultNumberText(kKelvinAtZeroCelsius) + ")/" +
           DefaultNumberText(nominal + kKelvinAtZeroCelsius) + ")^(" + DefaultNumberText(*exponent) + ")'";
  }
  const double linear = CardTextValue(card, "TRD1").value_or(0),
               square = CardTextValue(card, "TRD2").value_or(0);
  if (linear == 0 && square == 0) return value;
  std::string law = "1";
  for (const auto& [factor, of] : {std::pair{linear, rise}, std::pair{square, rise + "^2"}}) {
    if (factor != 0)
      law.append(factor < 0 ? "-" : "+").append(DefaultNumberText(std::abs(factor))).append("*" + of);
  }
  return "R='" + value + "*(" + law + ")'";
}

ChargeWindow PrintedWindow(const ChargeWindow& window) {
  const auto back = [](double value) { return PlainReading(Printed(value)); };
  return {back(window.c), back(window.low), back(window.high)};
}

}  // namespace

std::optional<double> DrainSenseResistance(double rd) {
  constexpr double kSenseShare = 1e-3;
  // Below this RD, its drop at a few hundred amperes is a small part of a window's width.
  constexpr double kLeastSensedRd = 1e-3;  // ohm
  if (!(rd >= kLeastSensedRd) || !std::isfinite(rd)) return std::nullopt;
  return rd * kSenseShare;
}

double WindowCharge(const ChargeWindow& window, double w, double v) {
  if (window.c == 0 || !(w > 0)) return 0;
  return window.c * w * (Softplus((v - window.low) / w) - Softplus((v - window.high) / w));
}

ChargeElement PrintedChargeElement(const ChargeElement& e) {
  return {e.gd.c != 0 ? PrintedWindow(e.gd) : ChargeWindow{},
          e.gs.c != 0 ? PrintedWindow(e.gs) : ChargeWindow{}, PlainReading(Printed(e.width)),
          e.innerDrain && e.gd.c != 0};
}

std::vector<std::string> ChargeElementLines(const ChargeElement& element, bool nChannel,
                                            std::string_view drain, std::string_view gate,
                                            std::string_view source, std::string_view suffix,
                                            const std::optional<DrainSense>& sense) {
  const ChargeElement e = PrintedChargeElement(element);
  const std::string gd = "Cgdq" + std::string(suffix), gs = "Cgsq" + std::string(suffix);
  std::vector<std::string> lines;
  if (e.gd.c != 0) {
    std::optional<SensedDrop> drop;
    if (sense) {
      const double gain = sense->rd / sense->ohms;
      const std::string d(drain), g(gate), s(source);
      drop = nChannel ? SensedDrop{d, sense->node, g, s, gain, sense->clampModel}
                      : SensedDrop{sense->node, d, s, g, gain, sense->clampModel};
    }
    lines = nChannel ? WindowLines(gd, gate, drain, e.gd, e.width, drop)
                     : WindowLines(gd, drain, gate, e.gd, e.width, drop);
  }
  if (e.gs.c != 0) {
    const std::vector<std::string> more = nChannel ? WindowLines(gs, gate, source, e.gs, e.width)
                                                   : WindowLines(gs, source, gate, e.gs, e.width);
    lines.insert(lines.end(), more.begin(), more.end());
  }
  return lines;
}

TransistorWithElements TransistorWithChargeElements(std::string_view transistor, std::string_view drain,
                                                    std::string_view gate, std::string_view source,
                                                    std::string_view modelName, std::string_view card,
                                                    const std::optional<ChargeElement>& element,
                                                    bool nChannel, std::string_view suffix) {
  constexpr std::string_view kGateResistance = "RG", kGateSourceCapacitance = "CGS", kDrainResistance = "RD",
                             kDiodeResistance = "RB";
  const auto line = [&](std::string_view transistorDrain, std::string_view transistorGate) {
    return std::string(transistor) + " " + std::string(transistorDrain) + " " + std::string(transistorGate) +
           " " + std::string(source) + " " + std::string(modelName);
  };
  if (!element) return {{line(drain, gate)}, std::string(card)};
  const std::optional<double> rg = CardTextValue(card, kGateResistance);
  const bool behind = rg && *rg > 0;
  const std::string inner = behind ? "gi" + std::string(suffix) : std::string(gate);
  const ChargeElement printed = PrintedChargeElement(*element);
  std::optional<DrainSense> sense;
  const std::optional<double> rd = CardTextValue(card, kDrainResistance);
  if (const std::optional<double> ohms = rd ? DrainSenseResistance(*rd) : std::nullopt;
      ohms && printed.innerDrain) {
    const double printedOhms = PlainReading(DefaultNumberText(*ohms));
    sense = DrainSense{"Rdq" + std::string(suffix), "dq" + std::string(suffix), *rd, printedOhms,
                       DistinctModelName("dgdq" + std::string(suffix), modelName)};
  }
  TransistorWithElements result;
  result.lines.push_back(line(sense ? sense->node : std::string(drain), inner));
  if (sense) {
    result.lines.push_back(sense->resistor + " " + std::string(drain) + " " + sense->node + " " +
                           SenseResistanceText(sense->ohms, card));
  }
  if (behind) {
    result.lines.push_back("Rgi" + std::string(suffix) + " " + std::string(gate) + " " + inner + " " +
                           DefaultNumberText(*rg));
  }
  const std::vector<std::string> elements =
      ChargeElementLines(*element, nChannel, drain, inner, source, suffix, sense);
  result.lines.insert(result.lines.end(), elements.begin(), elements.end());
  result.card = behind ? CardWithoutParameter(card, kGateResistance) : std::string(card);
  if (sense) {
    result.card =
        CardWithParameterValue(result.card, kDrainResistance, DefaultNumberText(sense->rd - sense->ohms));
    if (const std::optional<double> rb = CardTextValue(card, kDiodeResistance); rb && *rb > 0) {
      result.card = CardWithParameterValue(result.card, kDiodeResistance,
                                           DefaultNumberText(std::max(*rb - sense->ohms, 0.0)));
    }
  }
  if (printed.gs.c < 0) {
    const double cgs = CardTextValue(card, kGateSourceCapacitance).value_or(0) * 1e12;
    result.card = CardWithParameterValue(result.card, kGateSourceCapacitance,
                                         DefaultNumberText(cgs + printed.gs.c) + "p");
  }
  return result;
}

}  // namespace vdmos
