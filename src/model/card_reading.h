#pragma once
// The model card read back: one reader of the card text for everything that hands the card to
// ngspice (the ngspice subcircuit, the netlists of the model check), its model name and
// channel, and the values of its body diode and junction texts.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "model/window_state.h"

namespace vdmos {

/// A card in the form ngspice reads: ".MODEL name VDMOS(KEY=VALUE ... [PCHAN])".
struct CardParts {
  std::string modelName;
  std::vector<std::string> parameters;  ///< KEY=VALUE, in the card's order
  bool pChannel = false;                ///< the card carries the P-channel flag
};

/// The card text in its one-line or three-line form (continuation lines start with "+", lines
/// end in CR LF) read for ngspice, or why it cannot go into ngspice as it is (a text of
/// card_texts.h). Refused: no card, a control character inside a line, not of the form
/// ".MODEL name VDMOS(...)", a model name ngspice cannot take (NgspiceModelNameProblem),
/// parentheses that do not balance (ngspice then does not end), and a parameter ngspice would
/// refuse, hang on or misread.
struct CardReading {
  std::optional<CardParts> card;
  std::string problem;  ///< when there is no card
};
CardReading ReadCard(std::string_view text);

/// Why ngspice cannot take a model of this name (it would not find it, read it apart, or not
/// finish reading the netlist), as the message to show; nullopt when it can.
std::optional<std::string_view> NgspiceModelNameProblem(std::string_view name);

/// A name for a model the tool adds to a netlist beside the card's: `base`, or `base` with "_"
/// added where the card's model has that name (ngspice's model names ignore case), which would
/// otherwise stop ngspice with two models of one name.
std::string DistinctModelName(std::string_view base, std::string_view cardModel);

/// The model name of the stored card: the text between ".MODEL " and " VDMOS(" of the first
/// segment.
std::optional<std::string> CardModelName(const CardTexts& card);

/// True when the stored card ends with the P-channel mark.
bool CardIsPChannel(const CardTexts& card);

/// Why the stored card cannot go into a netlist as it is, as the message to show; nullopt when
/// it can: ReadCard of its three-line form, after a line break inside a segment, which would
/// make lines of its own there.
std::optional<std::string> CardProblem(const CardTexts& card);

/// The value of "key=value" in a card text such as "IS=1.47E-08 N=1.576 RB=0.006897 " or
/// "m=0.797 Vj=1.03 Cjo=9600.0pF", or a whole card, where a key may follow its opening
/// parenthesis or a line's continuation mark and a value ends at the closing one, scale
/// suffixes included ("9600.0pF" is 9.6e-9). Keys
/// compare without regard to case, as the simulator's do. nullopt when the key is missing or
/// its value overflows; a value without a number reads as 0, as every field of the tool does.
std::optional<double> CardTextValue(std::string_view text, std::string_view key);

/// The parameters as the card prints them: each number the card writes, read back in the
/// set's own units (pF, ns), the rest as they are. The model's values are those of the printed
/// digits, which ngspice simulates: from the fit's own, a tiny part's model would show 1.5 pF
/// of Crss where its card prints CGDMIN=0p and ngspice, rightly, gives 1.05 pF.
ModelParameterSet ParametersAsPrinted(const ModelParameterSet& params, const CardTexts& card);

/// The card text in the form ReadCard takes without the parameter `key` (compared without
/// regard to case), the space that parted it from the next one dropped too; the text as it is
/// when the card has no such parameter.
std::string CardWithoutParameter(std::string_view text, std::string_view key);
/// The same text with the value of the parameter `key` replaced by `value`.
std::string CardWithParameterValue(std::string_view text, std::string_view key, std::string_view value);

}  // namespace vdmos
