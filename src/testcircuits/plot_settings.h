#pragma once
// The plot-settings file: which curves the simulator shows and how its axes are set.

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "testcircuits/text_lines.h"

namespace vdmos {

/// One plotted curve: the simulator's trace code and the plotted expression.
struct Trace {
  int code;
  std::string expression;
};

/// The transfer characteristic's file is flat; the others indent the pane by three spaces
/// and its contents by six.
enum class PlotIndent { Flat, Nested };

struct PlotSettings {
  std::string_view section;  ///< "[...]", the analysis the plot belongs to
  std::vector<Trace> traces;
  std::optional<std::string> parametric;   ///< the x-axis expression of a transient plot
  std::array<std::string_view, 4> scales;  ///< the X, Y[0], Y[1] and unit lines
  bool plotMagnitude;                      ///< adds "PltMag: 1"
  PlotIndent indent;
  Ending ending;
};

std::string PlotSettingsText(const PlotSettings& plot);

}  // namespace vdmos
