#pragma once
// The user-visible texts of the DC extraction: input-check messages, fit status messages and
// the openings of the matching report.

#include <string_view>

namespace vdmos::dc_text {

inline constexpr std::string_view kVgsThNegative =
    "For an enhancement mode mosfet. All values must be positive: Vgs_th.";
inline constexpr std::string_view kIdMaxCorrected = "All values must be positive: ID_max.\r\nCorrected it!";
inline constexpr std::string_view kVgsMaxCorrected = "All values must be positive: Vgs_max.\r\nCorrected it!";
inline constexpr std::string_view kVgsRdsonNegative =
    "For an enhancement mode mosfet. All values must be positive: Vgs_Rdson.";

inline constexpr std::string_view kTransferMatched = "Transfer function matched Iter=";
inline constexpr std::string_view kIterationLimit = "Transfer function iteration limit reached!";
inline constexpr std::string_view kVtoMaxLimit = "Transfer function Vto_max limit reached!";
inline constexpr std::string_view kTransferError = "DC transfer Error!";
inline constexpr std::string_view kPlateauMatched = "Gate Plateau voltage matched. Iter=";

inline constexpr std::string_view kRdsOnPrefix = "Rdson=";
inline constexpr std::string_view kVgsPrefix = "Vgs=";
inline constexpr std::string_view kIdPrefix = " Id=";
inline constexpr std::string_view kKpPrefix = "KP=";
inline constexpr std::string_view kRsPrefix = " RS=";
inline constexpr std::string_view kRdPrefix = " RD=";
inline constexpr std::string_view kVtoPrefix = " VTO=";

}  // namespace vdmos::dc_text
