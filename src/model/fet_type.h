#pragma once
// The FET type box's two texts, and the one rule for the channel they select.

#include <string_view>

namespace vdmos {

inline constexpr std::string_view kNmosText = "NMOS";
inline constexpr std::string_view kPmosText = "PMOS";

/// Only the exact text "PMOS" selects a P-channel device; any other text is N-channel, as the
/// window starts. A card says its channel itself (CardIsPChannel, card_reading.h).
constexpr bool IsPChannelType(std::string_view fetType) { return fetType == kPmosText; }

}  // namespace vdmos
