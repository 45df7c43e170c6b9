#pragma once
// The datasheet values file: forty lines whose meaning is their position, then one "Name=text"
// line for each field the forty do not hold, then one "Curve.NAME=x,y;…" line per digitized
// curve. Text in, text out: what reading a file does to the
// window (New first, typing the named lines) is the file commands' business.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "model/window_state.h"

namespace vdmos {

/// Far more than the lines of typed values ever take, and room for a curve of every kind as
/// large as a curve file may be; a larger file is refused whole rather than read in part,
/// which would cut the value on its last line short. A save that would go beyond it is
/// refused too, so that every values file the tool writes opens again.
inline constexpr std::size_t kDatasheetReadLimit = std::size_t{16} * 1024 * 1024;

/// The file's text for the window's fields, each line ending in CR LF.
std::string DatasheetFileText(const WindowState& state);
/// Why the fields cannot be saved (a text holding CR or LF, which would shift every line after
/// it), as the message to show; nullopt when they can. The file's text itself must also stay
/// within kDatasheetReadLimit, which the curves' points can pass.
std::optional<std::string> DatasheetFileProblem(const WindowState& state);

/// A "Name=text" line after the forty: a field typed, or a check box clicked to `value`.
struct NamedLine {
  std::string_view control;
  std::string text;
  bool checkBox = false;
  int value = 0;  ///< the check box's value, 0 to 2
};

/// What a file holds, in file order.
struct DatasheetFileContent {
  /// The field texts of the forty lines (the FET type apart).
  std::vector<std::pair<std::string_view, std::string>> fields;
  std::string fetType;  ///< line 24 as it stands
  /// The named lines whose name the file format knows and whose value is well formed; others
  /// are passed over.
  std::vector<NamedLine> named;
  /// The digitized curves of the "Curve.NAME=…" lines; a line that does not read is passed over.
  std::vector<DatasheetCurve> curves;
};

enum class DatasheetReadStatus {
  Empty,        ///< no line at all
  WrongHeader,  ///< the first line is not kDatasheetHeader
  Ok,
};

struct DatasheetReading {
  DatasheetReadStatus status = DatasheetReadStatus::Empty;
  DatasheetFileContent content;
};

/// Reads a file's text (CR LF or LF line ends).
DatasheetReading ReadDatasheetText(std::string_view text);

}  // namespace vdmos
