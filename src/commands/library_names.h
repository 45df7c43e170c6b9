#pragma once
// The models a library text defines, so that a second model of a name already there is not
// added unasked: the simulator takes the first of two and silently ignores the other.

#include <string>
#include <string_view>
#include <vector>

namespace vdmos {

/// The names of the models and subcircuits the text defines: the word after ".MODEL" or
/// ".SUBCKT" at the start of a line (blanks before it allowed), in lower case, since the
/// simulator reads names without regard to case. A model inside a subcircuit is the
/// subcircuit's own and is left out. In the text's order, each once.
std::vector<std::string> DefinedModelNames(std::string_view text);

/// The names that `added` defines and `library` defines already, as `added` spells them.
std::vector<std::string> NamesAlreadyDefined(std::string_view library, std::string_view added);

}  // namespace vdmos
