#pragma once
// The gate charge elements the ngspice subcircuit adds beside the card where the card's one
// gate-drain law cannot meet the gate charges and the capacitances together: a charge between
// gate and drain that acts only once the gate is above the drain (the on-state Miller charge),
// and where needed one between gate and source that acts between the threshold and the plateau
// (the channel's own charge), or takes charge away below the threshold (the depletion dip of
// the body's MOS capacitance). Each is a capacitance C over a window of its voltage: it rises
// smoothly from 0 to C around the window's low end and falls back around its high end, each
// over the width w, C (s((v - low) / w) - s((v - high) / w)) with the logistic s; its charge
// from far below is C w (ln(1 + exp((v - low) / w)) - ln(1 + exp((v - high) / w))). Far below
// the window (every capacitance bench point has the gate at or below the drain, and on the
// source) it is nothing, so the capacitance points stay the card's.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vdmos {

/// One window: the capacitance (pF) and its ends (V), low < high. A gate-source window may take
/// a capacitance below 0, a dip in the card's CGS between the flat band and the threshold that
/// the datasheet's Qgs shows where it lies below CGS times the plateau voltage.
struct ChargeWindow {
  double c = 0, low = 0, high = 0;
  friend bool operator==(const ChargeWindow&, const ChargeWindow&) = default;
};

struct ChargeElement {
  ChargeWindow gd;   ///< of Vgd; none where its capacitance is 0
  ChargeWindow gs;   ///< of Vgs; none where its capacitance is 0
  double width = 0;  ///< the width of every window end (V), above 0
  /// Whether the gate-drain window reads the drain inside RD, as the card's own Cgd does,
  /// instead of the terminal (see DrainSense).
  bool innerDrain = false;
  friend bool operator==(const ChargeElement&, const ChargeElement&) = default;
};

/// The charge (pF * V) of a window of width w at the voltage v, counted from far below it;
/// exactly what the element lines make ngspice integrate.
double WindowCharge(const ChargeWindow& window, double w, double v);

/// The element with every value as the lines print it, read back: what ngspice simulates.
ChargeElement PrintedChargeElement(const ChargeElement& element);

/// What lets the gate-drain window read the drain inside RD (at the terminal, RD's drop keeps
/// the window from seeing the gate pass the drain on a high-voltage part, where RD is most of
/// the on-state resistance): a sense resistor in the transistor's drain lead, split off the
/// card's RD and following RD's temperature law, whose voltage times RD over its own value is
/// RD's drop at every temperature.
struct DrainSense {
  std::string resistor, node;  ///< the sense resistor's name, and the transistor's drain node
  double rd = 0, ohms = 0;     ///< the card's whole RD and the sense resistor's share of it
  std::string clampModel;      ///< the model name of the diode that holds the sensed drop
};

/// The sense resistor's value for a card's RD (ohm), nullopt where RD is too small for its drop
/// to move the window: a thousandth of it, a share small enough that the body diode, whose RB
/// has no temperature law and now takes the sense resistor in series, stays the card's when
/// hot too (FQPF8N60C at 150 C: 1 mohm more), and large enough that ngspice's voltage tolerance
/// on it, times the thousand, stays far below a window's width.
std::optional<double> DrainSenseResistance(double rd);

/// The element lines for a transistor on the nodes given, in the N-channel sense of the
/// voltages (a P-channel device's element takes the drain above the gate and the source above
/// the gate), without line ends. The elements are named Cgdq and Cgsq followed by `suffix`;
/// each is a charge driven by the node of the same name without its C, which the linear source
/// of that name (E for C) holds at the element's voltage over the width; with a sense, the
/// gate-drain one's H source of that name adds RD's drop beneath it.
std::vector<std::string> ChargeElementLines(const ChargeElement& element, bool nChannel,
                                            std::string_view drain, std::string_view gate,
                                            std::string_view source, std::string_view suffix = {},
                                            const std::optional<DrainSense>& sense = std::nullopt);

/// A transistor of a netlist, with its gate charge elements where it has any. They sit behind
/// the card's gate resistance, as the card's own capacitances do, so that the Miller charge
/// they carry is delayed by it too (at the gate terminal they would switch a hard-switched
/// bridge about a fifth faster with a 10 ohm drive): the card's RG leaves the card for a
/// resistor Rgi from the gate to an inner gate node gi (each followed by `suffix`), which the
/// transistor and the elements take instead of the gate. A card without a gate resistance
/// keeps it, and they take the gate. A gate-drain window that reads the inner drain, beside a
/// card whose RD has a sense resistance, takes the transistor's drain through the sense resistor Rdq to the
/// node dq (each followed by `suffix`); the card's RD is lowered by it, and its body diode's RB as far as it
/// goes, as the diode sits at the transistor's drain and now takes the sense resistor too. A
/// gate-source dip lowers the card's CGS by its depth (see WindowLines).
struct TransistorWithElements {
  std::vector<std::string> lines;  ///< the transistor, the gate resistor, the elements
  std::string card;                ///< the card text without its RG, CGS lowered by a dip
};
/// `transistor` is the instance name ("M1"), `card` the card text as ReadCard takes it; without
/// an element, the transistor's one line and the card as it is.
TransistorWithElements TransistorWithChargeElements(std::string_view transistor, std::string_view drain,
                                                    std::string_view gate, std::string_view source,
                                                    std::string_view modelName, std::string_view card,
                                                    const std::optional<ChargeElement>& element,
                                                    bool nChannel, std::string_view suffix = {});

}  // namespace vdmos
