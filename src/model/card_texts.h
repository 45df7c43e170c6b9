#pragma once
// Why a model card cannot go into ngspice as it is: the one set of texts of the card check,
// which the ngspice subcircuit, the ngspice netlists and the model check all show.

#include <string>
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
inline constexpr std::string_view kCardModelNameStartText =
    "The model name must not start with * $ @ or ^, which ngspice reads as a comment or an expression: "
    "rename it.";
inline constexpr std::string_view kCardModelNameLengthText =
    "The model name is longer than 200 characters (200 bytes of UTF-8: an accented letter takes two), "
    "too long for ngspice and for the file names of the test circuits: shorten it.";
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

/// A parameter given twice: ngspice would simulate the second value, the model check the first.
inline std::string CardDuplicateKeyText(std::string_view key) {
  std::string text = "The model card gives the parameter ";
  text.append(key).append(
      " twice, and ngspice would use another value than the model check: correct the "
      "field it comes from and update the model.");
  return text;
}

/// A field copied into the card or the test circuits as typed that does not hold a plain number.
inline std::string NotANumberFieldText(std::string_view control) {
  std::string text = "The field ";
  text.append(control).append(
      " must hold one number, with at most a scale suffix (f p n u m k meg) and a unit (V, or A after a "
      "scale suffix: a lone A reads as atto), such as "
      "480, 20.7, 1e-3 or 540m: it goes as typed into the model card or the test circuits, where "
      "anything else would read otherwise or as lines of its own. Correct it.");
  return text;
}

}  // namespace vdmos
