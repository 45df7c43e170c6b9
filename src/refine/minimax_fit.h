#pragma once
// Minimising the worst of several relative errors over bounded parameters, ending on values the
// card can print: every parameter in turn is fixed at a value of its digit mask and the others
// are fitted again around it, so the rounding of one is made up for by the rest.

#include <cstddef>
#include <functional>
#include <optional>
#include <vector>

namespace vdmos {

/// One parameter of a fit.
struct FitVariable {
  double value = 0;  ///< the start, and after the fit the result
  double lower = 0, upper = 0;
  bool logScale = false;  ///< searched in ln(value), for values that span decades
  /// The nearest value the card can print, and the step between printable values (0 where
  /// the card's text has no fixed step).
  std::function<double(double)> round;
  double roundingStep = 0;
  bool free = true;  ///< false: held at its value throughout
};

/// The relative errors at every point for the values of all variables, in their order.
using ErrorFunction = std::function<std::vector<double>(const std::vector<double>& values)>;

/// The largest error magnitude; +infinity when an error is not a number.
double WorstOf(const std::vector<double>& errors);

/// Fits the free variables (the others are held), rounding them in the order given by
/// roundingOrder (indices into variables; variables not named are not rounded), and leaves
/// the result in the variables. Returns the worst error at the result, or nullopt when the
/// optimiser failed before reaching any result.
std::optional<double> FitWithCardRounding(std::vector<FitVariable>& variables, const ErrorFunction& errors,
                                          const std::vector<std::size_t>& roundingOrder);

}  // namespace vdmos
