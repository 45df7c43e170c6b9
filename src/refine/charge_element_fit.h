#pragma once
// The ngspice subcircuit's gate charge elements fitted to the datasheet's gate charges on top
// of a card whose capacitances are fitted to the capacitance points alone: the card's one
// gate-drain law caps the on-state Cgd near its largest value, while a datasheet's Qgd and Qg
// tail often imply an on-state Cgd several times Crss(0 V). The elements add that charge only
// where the gate rises above the drain (and near the threshold), so the capacitance points
// stay the card's.

#include <optional>

#include "model/charge_element.h"
#include "refine/point_errors.h"

namespace vdmos {

/// The elements that bring the card's gate charges closest to the datasheet's: the gate-drain
/// element alone, and the gate-source one besides where the gate-drain one leaves Qgs off and
/// both do better. Where the card alone puts Qgs above the datasheet's, the gate-source window
/// is a dip below the threshold, at most half of CGS deep. The gate-drain window reads the
/// drain terminal, or the drain inside RD where that gains the charges a point or more (RD's
/// drop on a high-voltage part hides the gate passing the drain from the terminal). nullopt
/// when the optimiser finds nothing.
std::optional<ChargeElement> FitChargeElement(const GateChargeDevice& card, const GateChargePoints& points);

}  // namespace vdmos
