#pragma once
// A curve as a plot digitizer exports it: two numeric columns (x, y) separated by a comma,
// a semicolon, tabs or spaces, with "." decimals, each cell in double quotes or not. Lines
// before the first pair of numbers are a header; empty lines and lines starting with "#" are
// passed over anywhere. Text in, points or the reason out: nothing here touches a file or the
// window.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "model/datasheet_curves.h"

namespace vdmos {

/// Far more than a digitized figure ever takes.
inline constexpr std::size_t kCurveReadLimit = 1024 * 1024;

struct CurveReadError {
  std::size_t line = 0;  ///< the line at fault, from 1; 0 when the file as a whole is
  std::string problem;
};

struct CurveReading {
  /// The points in the file's order; empty when error is set.
  std::vector<CurvePoint> points;
  std::optional<CurveReadError> error;
};

/// Reads the points of a curve of `kind`: at least two, x strictly rising or strictly falling,
/// and no negative capacitance.
CurveReading ReadCurveText(std::string_view text, CurveKind kind);

/// A field of a line as the reader takes it, the blanks around it aside: a table cell is read
/// as that. nullopt for anything but a number.
std::optional<double> ReadCurveField(std::string_view field);

/// "FILE, line N: problem" (or "FILE: problem" for the file as a whole).
std::string CurveReadMessage(std::string_view file, const CurveReadError& error);

}  // namespace vdmos
