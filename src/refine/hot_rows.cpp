#include "refine/hot_rows.h"

#include <algorithm>
#include <cmath>

#include "commands/temperature_update.h"
#include "model/hot_device.h"
#include "refine/refine_texts.h"
#include "verify/datasheet_points.h"
#include "verify/model_curves.h"

namespace vdmos {

HotRows HotRowsOf(const WindowState& state, ModelParameterSet params, std::string_view lambdaText,
                  CardPrecision precision, const BenchSetup& setup) {
  TemperatureFit fit = TemperatureFitOf(state, params, lambdaText, precision);
  params.temperatureText = fit.CardText();
  HotRows rows{std::nullopt, std::move(fit.problems)};
  if (!setup.hot) return rows;
  for (const DatasheetPoint& point : DatasheetPointList(setup)) {
    if (!(point.celsius > kRoomCelsius) || !point.value || !(*point.value != 0)) continue;
    const std::optional<double> model = HotModelValue(params, setup, point);
    if (!model || !std::isfinite(*model)) continue;
    rows.worstPercent = std::max(rows.worstPercent.value_or(0),
                                 std::abs(*model - *point.value) / std::abs(*point.value) * 100);
  }
  return rows;
}

std::string HotTradeOff(const HotRows& fitted, const HotRows& refined) {
  std::string given;
  for (const TemperatureProblem& problem : refined.problems) {
    if (std::ranges::any_of(fitted.problems,
                            [&](const TemperatureProblem& p) { return p.control == problem.control; }))
      continue;
    given += " " + problem.message;
  }
  return given.empty() ? given : std::string(kHotTradeOffOpening) + given;
}

}  // namespace vdmos
