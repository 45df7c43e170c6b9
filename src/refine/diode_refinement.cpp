#include "refine/diode_refinement.h"

#include <algorithm>

#include "extract/body_diode.h"
#include "model/numbers.h"
#include "refine/curve_errors.h"
#include "refine/minimax_fit.h"

namespace vdmos {
namespace {

// IS may move decades, as N trades against it along the curve; N stays within what silicon
// diodes show, and RB within what a forward point's whole voltage could drop on it.
constexpr double kIsReach = 1e3;
constexpr double kMinN = 0.5, kMaxN = 4;
constexpr double kMinRb = 0;

/// The value the diode text writes for a field, read back.
double Written(std::string_view mask, double value) { return PlainReading(CardNumberText(value, mask)); }

/// The relative errors at the forward points and at each point of the curves.
std::vector<double> DiodeErrors(const DiodeLaw& law, const DatasheetPoints& points) {
  std::vector<double> errors;
  for (const DatasheetPoint& point : points.diode)
    errors.push_back(RelativeError(ModelValueAt(law, point), point));
  for (const DatasheetPoint& curve : points.diodeCurves) {
    const std::vector<double> along = ErrorsAlong(law, curve);
    errors.insert(errors.end(), along.begin(), along.end());
  }
  return errors;
}

}  // namespace

std::optional<std::string> RefinedDiodeText(const ModelParameterSet& fitted, const DatasheetPoints& points) {
  const std::optional<DiodeLaw> start = BodyDiodeLaw(fitted);
  if (points.diodeCurves.empty() || !start) return std::nullopt;
  double rbHigh = start->RB;
  for (const DatasheetPoint& point : points.diode)
    if (point.isd > 0) rbHigh = std::max(rbHigh, *point.value / point.isd);
  for (const DatasheetPoint& curve : points.diodeCurves)
    for (const Point& p : curve.curve)
      if (p.y > 0) rbHigh = std::max(rbHigh, p.x / p.y);
  enum { kIS, kN, kRB };
  std::vector<FitVariable> v{
      {start->IS, start->IS / kIsReach, start->IS * kIsReach, true,
       [](double x) { return Written("SCIENTIFIC", x); }},
      {std::clamp(start->N, kMinN, kMaxN), kMinN, kMaxN, false, [](double x) { return Written("0.00#", x); },
       1e-3},
      {std::clamp(start->RB, kMinRb, rbHigh), kMinRb, rbHigh, false,
       [](double x) { return Written("0.0#####", x); }, 1e-6},
  };
  const auto worst = FitWithCardRounding(v,
                                         [&](const std::vector<double>& x) {
                                           return DiodeErrors({x[kIS], x[kN], x[kRB]}, points);
                                         },
                                         {kIS, kN, kRB});
  if (!worst) return std::nullopt;
  return BodyDiodeText({v[kIS].value, v[kN].value, v[kRB].value});
}

}  // namespace vdmos
