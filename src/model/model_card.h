#pragma once
// The SPICE model card as text. The card is kept as three segments because the test circuits
// embed them one by one; the one-line and three-line forms are both built from them.

#include <string>
#include <string_view>

#include "model/window_state.h"

namespace vdmos {

/// The suffix that marks a P-channel device at the end of the card.
inline constexpr std::string_view kPChannelSuffix = " PCHAN";

/// The three segments and the one-line card for a model name (as typed), the parameter set,
/// the LAMBDA field text (copied as typed) and the channel suffix (kPChannelSuffix or empty).
CardTexts BuildCardTexts(std::string_view modelName, const ModelParameterSet& params,
                         std::string_view lambdaText, std::string_view channelSuffix);

/// The three-line form of the card segments: the second and third lines begin with SPICE's
/// "+" continuation mark; CR LF between the lines, none after the last.
std::string ThreeLineCard(const CardTexts& card);

}  // namespace vdmos
