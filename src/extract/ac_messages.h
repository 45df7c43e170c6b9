#pragma once
// The texts the capacitance extraction shows to the user, word for word.

#include <string>
#include <string_view>

namespace vdmos {

/// Shown when Coss at 0 V is below Crss at 0 V; three lines joined by CR LF.
inline constexpr std::string_view kCossMaxMessage =
    "coss_max value not allowed.\r\n"
    " Must be equal or higher then crss_max.\r\n"
    "coss_max has been set to crss_max";

/// Shown when Crss at the maximum voltage is not below Crss at the middle voltage. The
/// voltages come already written as whole numbers.
inline std::string CrssOrderMessage(std::string_view vdsMaxText, std::string_view vdsMiddleText) {
  return "Crss value at Vds=" + std::string(vdsMaxText) +
         "V too large. Must be lower then Crss at Vds=" + std::string(vdsMiddleText) + "V";
}

}  // namespace vdmos
