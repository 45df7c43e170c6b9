#pragma once
// A few typed values leave a refined law free between them: an arc-tangent scale can move from
// thousands to units and still pass the same three capacitance points. Without a digitized
// curve nothing but the fitted card tells the curve's shape there, so the refined curve keeps
// to the fitted card's where the typed values ask no more of it.

#include <functional>
#include <vector>

namespace vdmos {

/// The band's weight where nothing ranks above it: so many times a point's relative error
/// that the band holds unless no card within it exists.
inline constexpr double kBandWeight = 100;

/// What a typed value asks of the fitted card's curve at x: datasheet / fitted.
struct Demand {
  double x = 0, ratio = 1;
};

/// The band refined / fitted must stay in along a grid: between 1 and the demands of the typed
/// values either side of x (beyond the outermost, its demand alone), and any demand that holds
/// along the whole curve, widened by a slack for the card's rounding.
class ShapeBand {
 public:
  ShapeBand() = default;
  ShapeBand(std::vector<Demand> demands, const std::vector<double>& grid,
            const std::function<double(double)>& fitted, const std::vector<double>& everywhere = {});

  /// How far the refined curve leaves the band at each point of the grid, as errors for the
  /// minimax beside the points': a fraction of the fitted value outside counts `weight` times
  /// a point's relative error.
  std::vector<double> Excess(const std::function<double(double)>& refined, double weight = kBandWeight) const;

 private:
  std::vector<double> x_, fitted_, low_, high_;
};

/// n points from low to high in equal ratios.
std::vector<double> GeometricGrid(double low, double high, int n);

}  // namespace vdmos
