#include "verify/check_plots.h"

#include <array>

#include "model/control_names.h"
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
                    return std::string(kTransferPlotTitle) + s.text(control::TextBoxVdsTest) +
                           std::string(kTransferPlotTitleUnit);
                  },
                  [](const Characteristics& c) { return Drawn({&c.transfer}); },
                  [](const DatasheetMarkers& m) { return m.transfer; }, false},
    CheckPlotKind{"ChartOutput", kVdsAxis, kIdAxis, false,
                  [](const WindowState&) { return std::string(kOutputPlotTitle); },
                  [](const Characteristics& c) { return c.output; },
                  [](const DatasheetMarkers& m) { return m.output; }, true},
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
                    return std::string(kGateChargePlotTitle) + s.text(control::IdCharge) +
                           std::string(kGateChargePlotTitleDrain) + s.text(control::VdCharge) +
                           std::string(kGateChargePlotTitleUnit);
                  },
                  [](const Characteristics& c) { return Drawn({&c.gateCharge}); },
                  [](const DatasheetMarkers& m) { return m.gateCharge; }, false},
};

}  // namespace

std::span<const CheckPlotKind> CheckPlotKinds() { return kPlots; }

ModelPlots ComputeModelPlots(const WindowState& state) {
  const ModelCurves model = ComputeModelCurves(state);
  const bool fitted = state.params != ModelParameterSet{};
  ModelPlots plots{{}, model.error};
  for (const CheckPlotKind& kind : kPlots) {
    ModelPlot plot{kind.title(state), {}, {}};
    if (fitted) plot.curves = kind.curves(model.curves);
    if (fitted || !kind.markersFromModel) plot.markers = kind.markers(model.markers);
    plots.plots.push_back(std::move(plot));
  }
  return plots;
}

std::vector<std::vector<Curve>> SimulatedPlots(const Characteristics& simulated) {
  std::vector<std::vector<Curve>> plots;
  for (const CheckPlotKind& kind : kPlots) plots.push_back(kind.curves(simulated));
  return plots;
}

}  // namespace vdmos
