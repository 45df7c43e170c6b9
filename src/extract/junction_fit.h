#pragma once
#include <optional>
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

/// The junction capacitance law Cds(V) = Cjo / (1 + V/Vj)^m, Cjo in pF.
struct JunctionCap {
  double m = 0, Vj = 0, Cjo = 0;
  /// Where Vj is the floor asked for, the lower Vj the points give.
  std::optional<double> raisedFrom = std::nullopt;
  std::string Text() const { return JunctionCapText(m, Vj, Cjo); }
};

/// Fits Cds(V) = Cjo / (1 + V/Vj)^m through three points (voltages in V, capacitances in pF).
/// Where the points give a Vj below vjFloor, Vj is held at the floor and Cjo and m miss the
/// points by the least worst ratio.
/// Points with V0 < 0 or any other argument below 1e-15 are refused; a refusal or an
/// arithmetic fault gives nullopt.
std::optional<JunctionCap> FitJunctionCap(double V0, double C0, double V1, double C1, double V2, double C2,
                                          double vjFloor = 0);

/// The fit's text "m=... Vj=... Cjo=...pF" (no trailing blank) without a floor; the empty text
/// where the fit gives none.
std::string JunctionCapFit(double V0, double C0, double V1, double C1, double V2, double C2);

}  // namespace vdmos
