#include "refine/minimax_fit.h"

#include <nlopt.h>

#include <algorithm>
#include <cmath>
#include <exception>
#include <limits>
#include <memory>
#include <stdexcept>

namespace vdmos {
namespace {

constexpr int kEvaluationsPerVariable = 300;
constexpr double kRelativeTolerance = 1e-9;
// Errors below this are far finer than the card's digits can show: the search stops there.
constexpr double kNegligibleError = 1e-7;
// A pass whose measure has not fallen by this fraction within this many evaluations per
// variable is crawling along a shallow valley: the card's four digits would not show what is
// left to gain, and the budget would go to nothing.
constexpr double kWorthwhileGain = 1e-3;
constexpr int kStallEvaluationsPerVariable = 20;

/// The free variables in the optimiser's coordinates, and the evaluation of a point there.
/// Every evaluation is weighed, so the best point seen is kept even when an optimiser stops
/// early on a round-off limit or an exhausted budget.
class Search {
 public:
  Search(const std::vector<FitVariable>& variables, const ErrorFunction& errors) : errors_(errors) {
    for (std::size_t i = 0; i < variables.size(); ++i) {
      values_.push_back(variables[i].value);
      if (!variables[i].free) continue;
      const FitVariable& v = variables[i];
      free_.push_back(i);
      logScale_.push_back(v.logScale);
      lower_.push_back(Inner(v.logScale, v.lower));
      upper_.push_back(Inner(v.logScale, v.upper));
      start_.push_back(std::clamp(Inner(v.logScale, v.value), lower_.back(), upper_.back()));
    }
    best_ = values_;
    for (std::size_t k = 0; k < free_.size(); ++k) best_[free_[k]] = Outer(k, start_[k]);
    bestWorst_ = WorstOf(errors_(best_));
  }

  std::size_t Dimension() const { return free_.size(); }

  std::vector<double> Errors(const double* u) {
    for (std::size_t k = 0; k < free_.size(); ++k) values_[free_[k]] = Outer(k, u[k]);
    std::vector<double> errors = errors_(values_);
    const double worst = WorstOf(errors);
    if (worst < bestWorst_) {
      bestWorst_ = worst;
      best_ = values_;
    }
    return errors;
  }

  /// Stops the running pass once its measure has stalled.
  void Watch(double measure) {
    if (measure < stallReference_ * (1 - kWorthwhileGain)) {
      stallReference_ = measure;
      sinceGain_ = 0;
    } else if (++sinceGain_ > stallLimit_) {
      nlopt_force_stop(running_);
    }
  }

  /// A least-squares pass, which converges fast and meets every point where the model can,
  /// then a minimax pass that trades the remaining errors against each other.
  void Run() {
    if (free_.empty()) return;
    LeastSquares();
    if (bestWorst_ > kNegligibleError) Minimax();
  }

  const std::vector<double>& Best() const { return best_; }
  double BestWorst() const { return bestWorst_; }

 private:
  static double Inner(bool logScale, double x) { return logScale ? std::log(x) : x; }
  double Outer(std::size_t k, double u) const { return logScale_[k] ? std::exp(u) : u; }

  std::vector<double> BestStart() const {
    std::vector<double> u;
    for (std::size_t k = 0; k < free_.size(); ++k)
      u.push_back(std::clamp(Inner(logScale_[k], best_[free_[k]]), lower_[k], upper_[k]));
    return u;
  }

  using Optimiser = std::unique_ptr<nlopt_opt_s, decltype(&nlopt_destroy)>;

  /// An optimiser over the bounds; throws when NLopt cannot set one up.
  static Optimiser Create(nlopt_algorithm algorithm, const std::vector<double>& lower,
                          const std::vector<double>& upper) {
    Optimiser opt(nlopt_create(algorithm, static_cast<unsigned>(lower.size())), nlopt_destroy);
    if (!opt || nlopt_set_lower_bounds(opt.get(), lower.data()) < 0 ||
        nlopt_set_upper_bounds(opt.get(), upper.data()) < 0)
      throw std::runtime_error("the optimiser could not be set up");
    nlopt_set_xtol_rel(opt.get(), kRelativeTolerance);
    nlopt_set_maxeval(opt.get(), kEvaluationsPerVariable * static_cast<int>(lower.size() + 1));
    return opt;
  }

  void Optimise(const Optimiser& opt, std::vector<double> start) {
    running_ = opt.get();
    stallReference_ = std::numeric_limits<double>::infinity();
    sinceGain_ = 0;
    stallLimit_ = kStallEvaluationsPerVariable * static_cast<int>(start.size() + 1);
    double minimum = 0;
    // Whatever the result code, a stop on round-off, a stall or an exhausted budget still
    // leaves the best point seen.
    nlopt_optimize(opt.get(), start.data(), &minimum);
    running_ = nullptr;
  }

  static double SumOfSquares(unsigned, const double* u, double*, void* data) {
    Search& search = *static_cast<Search*>(data);
    double sum = 0;
    for (const double e : search.Errors(u)) sum += e * e;
    sum = std::isfinite(sum) ? sum : std::numeric_limits<double>::max();
    search.Watch(sum);
    return sum;
  }

  void LeastSquares() {
    const unsigned n = static_cast<unsigned>(free_.size());
    // BOBYQA models the sum as a quadratic, which needs two dimensions at least.
    const Optimiser opt = Create(n >= 2 ? NLOPT_LN_BOBYQA : NLOPT_LN_COBYLA, lower_, upper_);
    nlopt_set_min_objective(opt.get(), SumOfSquares, this);
    nlopt_set_stopval(opt.get(), kNegligibleError * kNegligibleError);
    Optimise(opt, BestStart());
  }

  // Minimax as a smooth problem: minimise a bound t on every |error|, the last coordinate.
  static double Bound(unsigned n, const double* x, double*, void*) { return x[n - 1]; }
  static void ErrorsWithinBound(unsigned m, double* result, unsigned n, const double* x, double*,
                                void* data) {
    Search& search = *static_cast<Search*>(data);
    const std::vector<double> errors = search.Errors(x);
    search.Watch(search.bestWorst_);
    const double t = x[n - 1];
    for (unsigned i = 0; i < m / 2; ++i) {
      // A bound far beyond any real error, yet whose square is finite, not the largest double:
      // with constraint values at DBL_MAX, COBYLA's own arithmetic overflowed and it looped
      // inside one step, without an evaluation that its budget could stop (a fuzzed refinement
      // ran for minutes; saved as fuzz/corpus/fuzz_refine/charges-first-qg-only-hang).
      constexpr double kUnboundedError = 1e150;
      const double e = std::isfinite(errors[i]) ? std::clamp(errors[i], -kUnboundedError, kUnboundedError)
                                                : kUnboundedError;
      result[2 * i] = e - t;
      result[2 * i + 1] = -e - t;
    }
  }

  void Minimax() {
    std::vector<double> start = BestStart();
    const std::size_t pointCount = errors_(best_).size();
    if (pointCount == 0 || !std::isfinite(bestWorst_)) return;
    start.push_back(bestWorst_);
    std::vector<double> lower = lower_, upper = upper_;
    lower.push_back(0);
    upper.push_back(std::max(1.0, 2 * bestWorst_));
    const Optimiser opt = Create(NLOPT_LN_COBYLA, lower, upper);
    nlopt_set_min_objective(opt.get(), Bound, nullptr);
    const std::vector<double> tolerances(2 * pointCount, 1e-14);
    nlopt_add_inequality_mconstraint(opt.get(), static_cast<unsigned>(tolerances.size()), ErrorsWithinBound,
                                     this, tolerances.data());
    Optimise(opt, start);
  }

  const ErrorFunction& errors_;
  std::vector<double> values_;
  std::vector<std::size_t> free_;
  std::vector<bool> logScale_;
  std::vector<double> lower_, upper_, start_;
  std::vector<double> best_;
  double bestWorst_ = std::numeric_limits<double>::infinity();
  nlopt_opt running_ = nullptr;
  double stallReference_ = std::numeric_limits<double>::infinity();
  int sinceGain_ = 0, stallLimit_ = 0;
};

/// Fits the free variables and leaves the best values in them; returns the worst error there.
double Fit(std::vector<FitVariable>& variables, const ErrorFunction& errors) {
  Search search(variables, errors);
  search.Run();
  for (std::size_t i = 0; i < variables.size(); ++i) variables[i].value = search.Best()[i];
  return search.BestWorst();
}

/// The printable values either side of x: the nearest, and its neighbour on x's other side.
std::vector<double> PrintableNeighbours(const FitVariable& v) {
  const double nearest = v.round(v.value);
  std::vector<double> candidates{nearest};
  if (v.roundingStep > 0 && nearest != v.value)
    candidates.push_back(v.round(nearest + (v.value > nearest ? v.roundingStep : -v.roundingStep)));
  return candidates;
}

}  // namespace

double WorstOf(const std::vector<double>& errors) {
  double worst = 0;
  for (const double e : errors) {
    if (std::isnan(e)) return std::numeric_limits<double>::infinity();
    worst = std::max(worst, std::abs(e));
  }
  return worst;
}

std::optional<double> FitWithCardRounding(std::vector<FitVariable>& variables, const ErrorFunction& errors,
                                          const std::vector<std::size_t>& roundingOrder) {
  try {
    for (const FitVariable& v : variables) {
      if (v.free && !(v.lower <= v.upper)) throw std::invalid_argument("bounds cross");
    }
    // Held values print rounded too; rounding them first lets the free ones make up for it.
    for (const std::size_t index : roundingOrder) {
      if (!variables[index].free) variables[index].value = variables[index].round(variables[index].value);
    }
    double worst = Fit(variables, errors);
    // Without a fixed step the printable values lie closer than any refit could make up for:
    // such a variable is rounded where it stands.
    bool rounded = false;
    for (const std::size_t index : roundingOrder) {
      FitVariable& v = variables[index];
      if (v.free && v.roundingStep == 0) {
        v.value = v.round(v.value);
        v.free = false;
        rounded = true;
      }
    }
    if (rounded) {
      std::vector<double> values;
      for (const FitVariable& v : variables) values.push_back(v.value);
      worst = WorstOf(errors(values));
    }
    for (const std::size_t index : roundingOrder) {
      if (!variables[index].free) continue;
      std::vector<FitVariable> chosen;
      double chosenWorst = std::numeric_limits<double>::infinity();
      for (const double candidate : PrintableNeighbours(variables[index])) {
        std::vector<FitVariable> trial = variables;
        trial[index].value = candidate;
        trial[index].free = false;
        const double trialWorst = Fit(trial, errors);
        if (chosen.empty() || trialWorst < chosenWorst) {
          chosen = std::move(trial);
          chosenWorst = trialWorst;
        }
      }
      variables = std::move(chosen);
      worst = chosenWorst;
    }
    return worst;
  } catch (const std::exception&) {
    // NLopt refuses a problem it cannot set up (bounds crossed, a NaN start): no result.
    return std::nullopt;
  }
}

}  // namespace vdmos
