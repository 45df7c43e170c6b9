#pragma once
// The gate charge elements the ngspice subcircuit adds beside the card where the card's one
// gate-drain law cannot meet the gate charges and the capacitances together: a charge between
// gate and drain that acts only once the gate is above the drain (the on-state Miller charge),
// and where needed one between gate and source that acts between the threshold and the plateau
// (the channel's own charge). Each is a capacitance C over a window of its voltage: it rises
// smoothly from 0 to C around the window's low end and falls back around its high end, each
// over the width w, C (s((v - low) / w) - s((v - high) / w)) with the logistic s; its charge
// from far below is C w (ln(1 + exp((v - low) / w)) - ln(1 + exp((v - high) / w))). Far below
// the window (every capacitance bench point has the gate at or below the drain, and on the
// source) it is nothing, so the capacitance points stay the card's.

#include <string>
#include <string_view>
#include <vector>

namespace vdmos {

/// One window: the capacitance (pF, not negative: ngspice 39 stops with "timestep too small"
/// on a negative charge element even where the gate's whole capacitance stays positive) and
/// its ends (V), low < high.
struct ChargeWindow {
  double c = 0, low = 0, high = 0;
  friend bool operator==(const ChargeWindow&, const ChargeWindow&) = default;
};

struct ChargeElement {
  ChargeWindow gd;   ///< of Vgd
  ChargeWindow gs;   ///< of Vgs; none where its capacitance is 0
  double width = 0;  ///< the width of every window end (V), above 0
  friend bool operator==(const ChargeElement&, const ChargeElement&) = default;
};

/// The charge (pF * V) of a window of width w at the voltage v, counted from far below it;
/// exactly what the element lines make ngspice integrate.
double WindowCharge(const ChargeWindow& window, double w, double v);

/// The element with every value as the lines print it, read back: what ngspice simulates.
ChargeElement PrintedChargeElement(const ChargeElement& element);

/// The element lines for a transistor on the nodes given, in the N-channel sense of the
/// voltages (a P-channel device's element takes the drain above the gate and the source above
/// the gate), without line ends. The elements are named Cgdq and Cgsq followed by `suffix`;
/// each is a charge driven by the node of the same name without its C, which the linear source
/// of that name (E for C) holds at the element's voltage over the width.
std::vector<std::string> ChargeElementLines(const ChargeElement& element, bool nChannel,
                                            std::string_view drain, std::string_view gate,
                                            std::string_view source, std::string_view suffix = {});

}  // namespace vdmos
