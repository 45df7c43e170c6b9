#pragma once
// The records of a schematic file, one line each, fields separated by one space. Coordinates
// are on the simulator's grid, x to the right and y downward.

#include <initializer_list>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "testcircuits/text_lines.h"

namespace vdmos {

struct Wire {
  int x1, y1, x2, y2;
};

/// A net name at a point; the name "0" is ground.
struct Flag {
  int x, y;
  std::string_view net;
};

/// A drawn line without electrical meaning. Guide lines carry the extra field "2".
struct DrawnLine {
  int x1, y1, x2, y2;
  bool guide = false;
};

/// Where a symbol stands and how it is turned ("R0", "R90", "R270", "M180").
struct Placement {
  int x, y;
  std::string_view orientation;
};

/// Where one attribute of a symbol is displayed.
struct Window {
  int attribute, x, y;
  std::string_view alignment;
};

/// One SYMATTR line; the value runs to the end of the line.
struct Attribute {
  std::string_view name;
  std::string value;
};

/// Collects the records of one schematic in order, starting with the version and sheet lines.
class Schematic {
 public:
  Schematic(int width, int height);

  void Wires(std::span<const Wire> wires);
  void Flags(std::span<const Flag> flags);
  void Lines(std::span<const DrawnLine> lines);
  /// The SYMBOL line, then its WINDOW lines, then its SYMATTR lines.
  void Symbol(std::string_view type, Placement at, std::span<const Window> windows,
              std::initializer_list<Attribute> attributes);
  /// A TEXT record holding a simulator directive; a literal backslash-n inside it breaks
  /// the displayed text, so one record can carry several directives or a continued card.
  void Directive(int x, int y, std::string_view directive);
  /// A TEXT record shown as a comment on the sheet.
  void Comment(int x, int y, std::string_view comment);

  std::string Text(Ending ending) const;

 private:
  std::vector<std::string> lines_;
};

}  // namespace vdmos
