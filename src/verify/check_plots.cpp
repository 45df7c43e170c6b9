#include "verify/check_plots.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "model/control_names.h"
#include "model/hot_device.h"
#include "verify/model_curves.h"
#include "verify/verify_texts.h"

namespace vdmos {
namespace {

/// The curves that hold points: an empty curve is one the model has no equation for.
std::vector<Curve> Drawn(std::initializer_list<const Curve*> curves) {
  std::vector<Curve> drawn;
  for (const Curve* curve : curves)
    if (!curve->points.empty()) drawn.push_back(*curve);
  return drawn;
}

std::vector<Point> Joined(std::initializer_list<const std::vector<Point>*> parts) {
  std::vector<Point> all;
  for (const std::vector<Point>* part : parts) all.insert(all.end(), part->begin(), part->end());
  return all;
}

const std::array kPlots{
    CheckPlotKind{"ChartTransfer", kVgsAxis, kIdAxis, false,
                  [](const WindowState& s) {
                    if (s.text(control::TextBoxVdsTest).empty()) return std::string(kTransferPlotName);
                    return std::string(kTransferPlotTitle) + s.text(control::TextBoxVdsTest) +
                           std::string(kTransferPlotTitleUnit);
                  },
                  [](const Characteristics& c) {
                    return Drawn({&c.transfer, &c.hotTransfer});
                  },
                  [](const DatasheetMarkers& m) { return m.transfer; }, false},
    CheckPlotKind{"ChartOutput", kVdsAxis, kIdAxis, false,
                  [](const WindowState&) { return std::string(kOutputPlotTitle); },
                  [](const Characteristics& c) { return c.output; },
                  [](const DatasheetMarkers& m) { return m.output; }, true, false,
                  [](const DatasheetMarkers& m) { return m.outputCurves; }},
    CheckPlotKind{"ChartCapacitance", kVdsAxis, kCapacitanceAxis, true,
                  [](const WindowState&) { return std::string(kCapacitancePlotTitle); },
                  [](const Characteristics& c) {
                    return Drawn({&c.ciss, &c.coss, &c.crss});
                  },
                  [](const DatasheetMarkers& m) {
                    return Joined({&m.ciss, &m.coss, &m.crss});
                  },
                  false},
    CheckPlotKind{"ChartBodyDiode", kVsdAxis, kIsdAxis, true,
                  [](const WindowState&) { return std::string(kBodyDiodePlotTitle); },
                  [](const Characteristics& c) { return Drawn({&c.bodyDiode}); },
                  [](const DatasheetMarkers& m) { return m.bodyDiode; }, false},
    CheckPlotKind{"ChartGateCharge", kChargeAxis, kVgsAxis, false,
                  [](const WindowState& s) {
                    if (s.text(control::IdCharge).empty() || s.text(control::VdCharge).empty())
                      return std::string(kGateChargePlotName);
                    return std::string(kGateChargePlotTitle) + s.text(control::IdCharge) +
                           std::string(kGateChargePlotTitleDrain) + s.text(control::VdCharge) +
                           std::string(kGateChargePlotTitleUnit);
                  },
                  [](const Characteristics& c) { return Drawn({&c.gateCharge}); },
                  [](const DatasheetMarkers& m) { return m.gateCharge; }, false},
    CheckPlotKind{"ChartRdsOnTemperature", kJunctionTemperatureAxis, kRdsOnRatioAxis, false,
                  [](const WindowState&) { return std::string(kRdsOnTemperaturePlotTitle); },
                  [](const Characteristics& c) { return Drawn({&c.rdsOnRatio}); },
                  [](const DatasheetMarkers& m) { return m.rdsOnRatio; }, false, true},
};

/// Leaves out the points the plot cannot draw; true when one of them says something is wrong.
/// A logarithmic axis has no place for 0, where a curve starts or what a part not fitted yet
/// gives, so those go without a word.
bool KeepDrawable(std::vector<Point>& points, bool logY) {
  bool wrong = false;
  std::erase_if(points, [&](const Point& p) {
    if (Drawable(p, logY)) return false;
    wrong = wrong || !(logY && p.y == 0);
    return true;
  });
  return wrong;
}

/// "title: name, name" of what a plot leaves out; empty when it leaves out nothing wrong.
std::string KeepDrawable(ModelPlot& plot, bool logY) {
  std::string names;
  auto note = [&](std::string_view name) { names += (names.empty() ? "" : ", ") + std::string(name); };
  for (Curve& curve : plot.curves)
    if (KeepDrawable(curve.points, logY)) note(curve.label);
  if (KeepDrawable(plot.markers, logY) || KeepDrawable(plot.datasheetPoints, logY))
    note(kDatasheetPointsLabel);
  return names.empty() ? names : plot.title + ": " + names;
}

}  // namespace

std::span<const CheckPlotKind> CheckPlotKinds() { return kPlots; }

bool Drawable(const Point& p, bool logY) {
  auto sized = [](double v) { return std::isfinite(v) && std::fabs(v) <= kLargestDrawnValue; };
  return sized(p.x) && sized(p.y) && (!logY || p.y > 0);
}

ModelPlots ComputeModelPlots(const WindowState& state) {
  const ModelCurves model = ComputeModelCurves(state);
  const bool fitted = state.params != ModelParameterSet{};
  ModelPlots plots{{}, model.error, {}};
  std::string undrawn;
  const bool hot = HotCelsius(state).has_value();
  for (const CheckPlotKind& kind : kPlots) {
    ModelPlot plot{!kind.hotOnly || hot, kind.title(state), {}, {}, {}};
    if (fitted) plot.curves = kind.curves(model.curves);
    if (fitted || !kind.markersFromModel) plot.markers = kind.markers(model.markers);
    if (kind.datasheetPoints) plot.datasheetPoints = kind.datasheetPoints(model.markers);
    const std::string left = KeepDrawable(plot, kind.logY);
    if (!left.empty()) undrawn += (undrawn.empty() ? "" : "; ") + left;
    plots.plots.push_back(std::move(plot));
  }
  if (!undrawn.empty()) plots.undrawn = std::string(kUndrawnOpening) + undrawn + std::string(kUndrawnClosing);
  return plots;
}

std::vector<std::vector<Curve>> SimulatedPlots(const Characteristics& simulated) {
  std::vector<std::vector<Curve>> plots;
  for (const CheckPlotKind& kind : kPlots) {
    plots.push_back(kind.curves(simulated));
    for (Curve& curve : plots.back()) KeepDrawable(curve.points, kind.logY);
  }
  return plots;
}

}  // namespace vdmos
