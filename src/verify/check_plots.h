#pragma once
// The plots of the model check, as one table: each plot's name, title and axes, and which of
// the model's curves, ngspice's curves and the datasheet's points it draws. The window makes
// one plot widget per entry and the command line has none, so a new plot is one entry here.

#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "model/window_state.h"
#include "verify/characteristics.h"

namespace vdmos {

struct CheckPlotKind {
  std::string_view name;          ///< the control name of its widget ("ChartTransfer")
  std::string_view xAxis, yAxis;  ///< axis titles with their units
  bool logY = false;              ///< for quantities that span decades
  /// Its title for the state shown (the transfer plot names its drain voltage).
  std::string (*title)(const WindowState& state);
  /// Its curves among the characteristics, model or simulated alike.
  std::vector<Curve> (*curves)(const Characteristics& curves);
  /// The datasheet's points it marks.
  std::vector<Point> (*markers)(const DatasheetMarkers& markers);
  /// Its markers carry the model's values (the datasheet gives only the voltages), so they
  /// mean nothing before a model is fitted.
  bool markersFromModel = false;
  /// Drawn for the hot device alone (a hot junction temperature typed); left out otherwise.
  bool hotOnly = false;
  /// Where the markers carry the model's values: the datasheet's own points beside them (the
  /// digitized curves), drawn as datasheet points from the start.
  std::vector<Point> (*datasheetPoints)(const DatasheetMarkers& markers) = nullptr;
};

/// The plots in the order the window lays them out, row by row, two to a row.
std::span<const CheckPlotKind> CheckPlotKinds();

/// The largest magnitude a plot draws. No datasheet quantity comes near it in V, A, pF or nC:
/// beyond it a value only says that the model or a field is far off, and drawing it would
/// leave the axes no room and no scale for anything else.
inline constexpr double kLargestDrawnValue = 1e15;

/// A point a plot can draw: finite, within kLargestDrawnValue, and above 0 on a logarithmic y
/// axis (which has no place for 0 or below).
bool Drawable(const Point& point, bool logY);

/// What one plot draws of the model.
struct ModelPlot {
  bool shown = true;  ///< false for a plot of the hot device without one
  std::string title;
  std::vector<Curve> curves;
  std::vector<Point> markers;          ///< the datasheet's points, or the model's values there
  std::vector<Point> datasheetPoints;  ///< the datasheet's points beside the model's values
};

struct ModelPlots {
  std::vector<ModelPlot> plots;  ///< one per CheckPlotKinds() entry
  std::string error;             ///< why the curves could not be computed; empty otherwise
  /// Which curves or points are not drawn, or not all of them, because their values are not
  /// numbers, too large, or below 0 on a logarithmic axis; empty when nothing is left out
  /// but the zeros a logarithmic axis cannot place.
  std::string undrawn;
};

/// The model's curves and the datasheet's points of each plot for the state, without the
/// points that cannot be drawn (ModelPlots::undrawn names them). Before anything is fitted the
/// model's curves would all lie at 0: the datasheet's points are drawn alone.
ModelPlots ComputeModelPlots(const WindowState& state);

/// Each plot's share of ngspice's curves, one entry per CheckPlotKinds() entry, without the
/// points that cannot be drawn.
std::vector<std::vector<Curve>> SimulatedPlots(const Characteristics& simulated);

}  // namespace vdmos
