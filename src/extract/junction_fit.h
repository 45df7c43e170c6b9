#pragma once
#include <string>
#include <string_view>

#include "model/model_card.h"

namespace vdmos {

/// Base-10 logarithm as ln(x)/ln(10); 0 on any fault (x <= 0, or x not finite).
double Log10(double x);

/// The digit masks of the junction capacitance text.
namespace junction_mask {
inline constexpr std::string_view km = "0.0##";
inline constexpr std::string_view kVj = "0.0#";
inline constexpr std::string_view kCjo = "0.0#";  ///< pF
}  // namespace junction_mask

/// The junction capacitance text "m=... Vj=... Cjo=...pF" (no trailing blank), Cjo in pF.
std::string JunctionCapText(double m, double Vj, double Cjo, CardDigits digits = CardDigits::Masks);

/// Fits Cds(V) = Cjo / (1 + V/Vj)^m through three points (voltages in V, capacitances in pF)
/// and returns "m=... Vj=... Cjo=...pF" (no trailing blank). Points with V0 < 0 or any other
/// argument below 1e-15 are refused; a refusal or an arithmetic fault gives the empty text.
std::string JunctionCapFit(double V0, double C0, double V1, double C1, double V2, double C2);

}  // namespace vdmos
