#include "refine/shape_band.h"

#include <algorithm>
#include <cmath>

namespace vdmos {
namespace {

// The card prints four significant digits; a refit around a rounded parameter needs some room.
constexpr double kSlack = 0.01;

}  // namespace

ShapeBand::ShapeBand(std::vector<Demand> demands, const std::vector<double>& grid,
                     const std::function<double(double)>& fitted, const std::vector<double>& everywhere) {
  if (demands.empty()) return;
  std::ranges::sort(demands, {}, &Demand::x);
  for (const double x : grid) {
    const double value = fitted(x);
    // Where the fitted card has nothing to compare with, there is no shape to keep.
    if (!(value > 0) || !std::isfinite(value)) continue;
    double low = 1, high = 1;
    auto take = [&](double ratio) {
      low = std::min(low, ratio);
      high = std::max(high, ratio);
    };
    for (const double ratio : everywhere) take(ratio);
    const auto above = std::ranges::lower_bound(demands, x, {}, &Demand::x);
    if (above != demands.end()) take(above->ratio);
    if (above != demands.begin()) take(std::prev(above)->ratio);
    x_.push_back(x);
    fitted_.push_back(value);
    low_.push_back(low - kSlack);
    high_.push_back(high + kSlack);
  }
}

std::vector<double> ShapeBand::Excess(const std::function<double(double)>& refined, double weight) const {
  std::vector<double> excess;
  for (std::size_t i = 0; i < x_.size(); ++i) {
    const double ratio = refined(x_[i]) / fitted_[i];
    // A NaN is as far outside as any value: it must never hide behind a comparison.
    excess.push_back(std::isnan(ratio) ? NAN : weight * std::max({0.0, ratio - high_[i], low_[i] - ratio}));
  }
  return excess;
}

std::vector<double> GeometricGrid(double low, double high, int n) {
  std::vector<double> grid;
  for (int i = 0; i < n; ++i) grid.push_back(low * std::pow(high / low, n > 1 ? double(i) / (n - 1) : 0));
  return grid;
}

}  // namespace vdmos
