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
};

/// The plots in the order the window lays them out, row by row, two to a row.
std::span<const CheckPlotKind> CheckPlotKinds();

/// What one plot draws of the model.
struct ModelPlot {
  std::string title;
  std::vector<Curve> curves;
  std::vector<Point> markers;
};

struct ModelPlots {
  std::vector<ModelPlot> plots;  ///< one per CheckPlotKinds() entry
  std::string error;             ///< why the curves could not be computed; empty otherwise
};

/// The model's curves and the datasheet's points of each plot for the state. Before anything
/// is fitted the model's curves would all lie at 0: the datasheet's points are drawn alone.
ModelPlots ComputeModelPlots(const WindowState& state);

/// Each plot's share of ngspice's curves, one entry per CheckPlotKinds() entry.
std::vector<std::vector<Curve>> SimulatedPlots(const Characteristics& simulated);

}  // namespace vdmos
