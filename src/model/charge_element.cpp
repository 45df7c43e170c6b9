#include "model/charge_element.h"

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

/// The window's two lines. A linear source first puts v / w on a node of its own, so that the
/// charge is a function of one node voltage: ngspice then differentiates the charge for one
/// variable instead of two at every iteration, which is most of what the element costs it.
/// The window's ends are written as multiples of w to fifteen digits, so that (v / w) - low / w
/// is the law of the printed values. A dip (C below 0) is written as its positive complement,
/// |C| everywhere but in the window, which the card's CGS, lowered by |C|, makes whole:
/// ngspice 39 stops on a negative charge element ("timestep too small") where the complement
/// runs.
std::vector<std::string> WindowLines(std::string_view name, std::string_view plus, std::string_view minus,
                                     const ChargeWindow& printed, double w) {
  const std::string scaled = std::string(name).substr(1);
  const std::string v = "V(" + scaled + ")";
  const auto x = [&](double end) { return "(" + v + "-" + DefaultNumberText(end / w) + ")"; };
  const std::string law = printed.c < 0
                              ? v + "-" + SoftplusText(x(printed.low)) + "+" + SoftplusText(x(printed.high))
                              : SoftplusText(x(printed.low)) + "-" + SoftplusText(x(printed.high));
  return {"E" + scaled + " " + scaled + " 0 " + std::string(plus) + " " + std::string(minus) + " " +
              DefaultNumberText(1 / w),
          std::string(name) + " " + std::string(plus) + " " + std::string(minus) + " Q='" +
              Printed(std::abs(printed.c)) + "e-12*" + Printed(w) + "*(" + law + ")'"};
}

ChargeWindow PrintedWindow(const ChargeWindow& window) {
  const auto back = [](double value) { return PlainReading(Printed(value)); };
  return {back(window.c), back(window.low), back(window.high)};
}

}  // namespace

double WindowCharge(const ChargeWindow& window, double w, double v) {
  if (window.c == 0 || !(w > 0)) return 0;
  return window.c * w * (Softplus((v - window.low) / w) - Softplus((v - window.high) / w));
}

ChargeElement PrintedChargeElement(const ChargeElement& e) {
  return {e.gd.c != 0 ? PrintedWindow(e.gd) : ChargeWindow{},
          e.gs.c != 0 ? PrintedWindow(e.gs) : ChargeWindow{}, PlainReading(Printed(e.width))};
}

std::vector<std::string> ChargeElementLines(const ChargeElement& element, bool nChannel,
                                            std::string_view drain, std::string_view gate,
                                            std::string_view source, std::string_view suffix) {
  const ChargeElement e = PrintedChargeElement(element);
  const std::string gd = "Cgdq" + std::string(suffix), gs = "Cgsq" + std::string(suffix);
  std::vector<std::string> lines;
  if (e.gd.c != 0) {
    lines =
        nChannel ? WindowLines(gd, gate, drain, e.gd, e.width) : WindowLines(gd, drain, gate, e.gd, e.width);
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
  constexpr std::string_view kGateResistance = "RG", kGateSourceCapacitance = "CGS";
  const auto line = [&](std::string_view transistorGate) {
    return std::string(transistor) + " " + std::string(drain) + " " + std::string(transistorGate) + " " +
           std::string(source) + " " + std::string(modelName);
  };
  if (!element) return {{line(gate)}, std::string(card)};
  const std::optional<double> rg = CardTextValue(card, kGateResistance);
  const bool behind = rg && *rg > 0;
  const std::string inner = behind ? "gi" + std::string(suffix) : std::string(gate);
  const ChargeElement printed = PrintedChargeElement(*element);
  TransistorWithElements result;
  result.lines.push_back(line(inner));
  if (behind) {
    result.lines.push_back("Rgi" + std::string(suffix) + " " + std::string(gate) + " " + inner + " " +
                           DefaultNumberText(*rg));
  }
  const std::vector<std::string> elements =
      ChargeElementLines(*element, nChannel, drain, inner, source, suffix);
  result.lines.insert(result.lines.end(), elements.begin(), elements.end());
  result.card = behind ? CardWithoutParameter(card, kGateResistance) : std::string(card);
  if (printed.gs.c < 0) {
    const double cgs = CardTextValue(card, kGateSourceCapacitance).value_or(0) * 1e12;
    result.card = CardWithParameterValue(result.card, kGateSourceCapacitance,
                                         DefaultNumberText(cgs + printed.gs.c) + "p");
  }
  return result;
}

}  // namespace vdmos
