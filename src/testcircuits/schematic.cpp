#include "testcircuits/schematic.h"

namespace vdmos {
namespace {

std::string Field(int value) { return std::to_string(value); }
std::string Field(std::string_view text) { return std::string(text); }

/// The fields of one record, separated by one space.
template <typename First, typename... Rest>
std::string Record(const First& first, const Rest&... rest) {
  std::string line = Field(first);
  ((line += ' ', line += Field(rest)), ...);
  return line;
}

std::string TextRecord(int x, int y, char kind, std::string_view text) {
  return Record("TEXT", x, y, "Left", "0", kind + std::string(text));
}

}  // namespace

Schematic::Schematic(int width, int height) : lines_{"Version 4", Record("SHEET", 1, width, height)} {}

void Schematic::Wires(std::span<const Wire> wires) {
  for (const Wire& w : wires) lines_.push_back(Record("WIRE", w.x1, w.y1, w.x2, w.y2));
}

void Schematic::Flags(std::span<const Flag> flags) {
  for (const Flag& f : flags) lines_.push_back(Record("FLAG", f.x, f.y, f.net));
}

void Schematic::Lines(std::span<const DrawnLine> lines) {
  for (const DrawnLine& l : lines) {
    std::string line = Record("LINE", "Normal", l.x1, l.y1, l.x2, l.y2);
    if (l.guide) line += " 2";
    lines_.push_back(std::move(line));
  }
}

void Schematic::Symbol(std::string_view type, Placement at, std::span<const Window> windows,
                       std::initializer_list<Attribute> attributes) {
  lines_.push_back(Record("SYMBOL", type, at.x, at.y, at.orientation));
  for (const Window& w : windows) lines_.push_back(Record("WINDOW", w.attribute, w.x, w.y, w.alignment, "0"));
  for (const Attribute& a : attributes) lines_.push_back(Record("SYMATTR", a.name, a.value));
}

void Schematic::Directive(int x, int y, std::string_view directive) {
  lines_.push_back(TextRecord(x, y, '!', directive));
}

void Schematic::Comment(int x, int y, std::string_view comment) {
  lines_.push_back(TextRecord(x, y, ';', comment));
}

std::string Schematic::Text(Ending ending) const { return JoinLines(lines_, ending); }

}  // namespace vdmos
