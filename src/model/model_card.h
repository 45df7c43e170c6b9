#pragma once
// The SPICE model card as text. The card is kept as three segments because the test circuits
// embed them one by one; the one-line and three-line forms are both built from them.

#include <string>
#include <string_view>

#include "model/window_state.h"

namespace vdmos {

/// The suffix that marks a P-channel device at the end of the card.
inline constexpr std::string_view kPChannelSuffix = " PCHAN";

/// The digit masks of the card's numbers. A value that goes into the card is only as exact as
/// its mask, so whatever evaluates the card as the simulator sees it rounds with these.
namespace card_mask {
inline constexpr std::string_view kKP = "0.000#";
inline constexpr std::string_view kRS = "0.0###";
inline constexpr std::string_view kRD = "0.0###";
inline constexpr std::string_view kRG = "0.0#";
inline constexpr std::string_view kVTO = "0.0#";
inline constexpr std::string_view kCapacitance = "0";  ///< CGDMAX, CGDMIN, CGS in pF
inline constexpr std::string_view kTT = "0#";
inline constexpr std::string_view ka = "0.0#";
}  // namespace card_mask

/// How the card writes a parameter: with its digit mask, or with four significant digits,
/// which a refined parameter needs (a mask of whole picofarads or hundredths would undo a
/// refinement on a small device).
enum class CardDigits { Masks, FourSignificant };

/// The digits of the two parameter groups a refinement sets: KP, RS, RD, VTO (LAMBDA comes as
/// text), and CGDMAX, CGDMIN, CGS, a (the junction comes as text).
struct CardPrecision {
  CardDigits dc = CardDigits::Masks;
  CardDigits capacitance = CardDigits::Masks;
};

/// A parameter's number as the card writes it.
std::string CardParameterText(double value, std::string_view mask, CardDigits digits);

/// The three segments and the one-line card for a model name (as typed), the parameter set,
/// the LAMBDA field text (copied as typed) and the channel suffix (kPChannelSuffix or empty).
CardTexts BuildCardTexts(std::string_view modelName, const ModelParameterSet& params,
                         std::string_view lambdaText, std::string_view channelSuffix,
                         CardPrecision precision = {});

/// The temperature segment as a line of its own after `lineBreak` (the continuation mark
/// included), or the empty text when the card has none.
std::string TemperatureLine(const CardTexts& card, std::string_view lineBreak);

/// The three-line form of the card segments: the second and third lines begin with SPICE's
/// "+" continuation mark; CR LF between the lines, none after the last.
std::string ThreeLineCard(const CardTexts& card);

}  // namespace vdmos
