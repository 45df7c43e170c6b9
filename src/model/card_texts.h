#pragma once
// Why a model card cannot go into ngspice as it is: the one set of texts of the card check,
// which the ngspice subcircuit, the ngspice netlists and the model check all show.

#include <string_view>

namespace vdmos {

inline constexpr std::string_view kNoCardText = "There is no model card yet: update the model first.";
inline constexpr std::string_view kCardParameterErrorText =
    "The model card could not be calculated (the card box shows the parameter error): correct the "
    "values and update the model.";
inline constexpr std::string_view kNotACardText =
    "The card box does not hold a model card of the form \".MODEL name VDMOS(...)\": update the model.";
inline constexpr std::string_view kCardControlCharacterText =
    "The model card holds a line break or another control character inside a line; ngspice would read "
    "it as lines of its own.";
inline constexpr std::string_view kCardParenthesesText =
    "The parentheses of the model card do not balance; ngspice cannot read such a card.";
inline constexpr std::string_view kCardModelNameText =
    "The model name must be one word without blanks and without any of = ( ) , ; { } ' \" to be used in "
    "ngspice.";
inline constexpr std::string_view kCardNumberNameText =
    "The model name reads as a number in ngspice (such as \"100\" or \"1k\"), so ngspice cannot find the "
    "model: rename it.";
inline constexpr std::string_view kCardVdmosNameText =
    "The model name contains \"VDMOS\", which makes ngspice read the card without end: rename it.";
inline constexpr std::string_view kCardDiodeNameText =
    "The model name is the name of the subcircuit's breakdown diode model, dbody: rename it.";
inline constexpr std::string_view kCardNameChangedText =
    "The model name has been changed since the card was made: update the model first.";
inline constexpr std::string_view kCardFetTypeChangedText =
    "The FET type has been changed since the card was made: update the model first.";
/// Followed by the token and kCardUnreadableClosing.
inline constexpr std::string_view kCardUnreadableOpening = "The model card holds \"";
inline constexpr std::string_view kCardUnreadableClosing =
    "\", which ngspice cannot read as a parameter: correct the field it comes from (LAMBDA is "
    "copied as typed) and update the model.";

}  // namespace vdmos
