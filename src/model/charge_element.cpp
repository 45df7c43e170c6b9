#include "model/charge_element.h"

#include <cmath>

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

std::string ElementLine(std::string_view name, std::string_view plus, std::string_view minus,
                        const ChargeWindow& window, double w) {
  const std::string v = "V(" + std::string(plus) + "," + std::string(minus) + ")";
  const auto x = [&](double end) { return "((" + v + "-" + Printed(end) + ")/" + Printed(w) + ")"; };
  return std::string(name) + " " + std::string(plus) + " " + std::string(minus) + " Q='" + Printed(window.c) +
         "e-12*" + Printed(w) + "*(" + SoftplusText(x(window.low)) + "-" + SoftplusText(x(window.high)) +
         ")'";
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
  return {PrintedWindow(e.gd), e.gs.c != 0 ? PrintedWindow(e.gs) : ChargeWindow{},
          PlainReading(Printed(e.width))};
}

std::vector<std::string> ChargeElementLines(const ChargeElement& e, bool nChannel, std::string_view drain,
                                            std::string_view gate, std::string_view source,
                                            std::string_view suffix) {
  const std::string gd = "Cgdq" + std::string(suffix), gs = "Cgsq" + std::string(suffix);
  std::vector<std::string> lines;
  lines.push_back(nChannel ? ElementLine(gd, gate, drain, e.gd, e.width)
                           : ElementLine(gd, drain, gate, e.gd, e.width));
  if (e.gs.c != 0) {
    lines.push_back(nChannel ? ElementLine(gs, gate, source, e.gs, e.width)
                             : ElementLine(gs, source, gate, e.gs, e.width));
  }
  return lines;
}

}  // namespace vdmos
