#pragma once
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "model/window_state.h"
#include "platform/platform.h"

namespace vdmos {

/// The name a curve's messages give the clipboard's text and the window's curve table, where
/// a file's would stand.
inline constexpr std::string_view kClipboardSourceName = "clipboard";
inline constexpr std::string_view kCurveTableSourceName = "curve table";

/// Takes a plot digitizer's file as the curve named `name` ("ciss", "output:10"), in place of
/// the one the window held for that figure line. nullopt when it was taken; otherwise why not,
/// naming the file (and the line at fault), and the window is unchanged.
std::optional<std::string> ImportCurveFile(WindowState& state, Platform& platform, std::string_view name,
                                           const std::string& path);

/// The same for text read as a file would be (a paste); `source` names it in the message.
std::optional<std::string> PutCurveText(WindowState& state, std::string_view name, std::string_view source,
                                        std::string_view text);

/// One row of the window's curve table: its two cells as typed.
struct CurveRow {
  std::string x;
  std::string y;
};

/// The same for the rows of the window's curve table, each a line: a row with both cells empty
/// is passed over, and a cell that is not a number is refused rather than taken for a header.
std::optional<std::string> PutCurveRows(WindowState& state, std::string_view name,
                                        const std::vector<CurveRow>& rows);

/// The curve named `name` the window holds; nullptr when it holds none.
const DatasheetCurve* FindCurve(const WindowState& state, std::string_view name);

/// Drops the curve named `name`; false when the window held none (or the name is no curve's).
bool ClearCurve(WindowState& state, std::string_view name);

}  // namespace vdmos
