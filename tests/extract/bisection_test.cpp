// The fits' optimisers follow the bits of every solved current, so the faster bisection must end
// exactly where a plain one ends, wherever the root lies and whatever the function does.

#include "extract/bisection.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <string>
#include <vector>

namespace vdmos {
namespace {

constexpr int kPasses = 200;

bool Wide(double low, double high) { return high - low > 1e-13 * high; }

double PlainBisection(const std::function<double(double)>& f, double low, double high, int& evaluations) {
  for (int pass = 0; pass < kPasses && Wide(low, high); ++pass) {
    const double middle = low + (high - low) / 2;
    ++evaluations;
    (f(middle) > 0 ? high : low) = middle;
  }
  return low + (high - low) / 2;
}

struct Case {
  std::string name;
  std::function<double(double)> f;
  double low, high;
};

TEST(Bisection, EndsBitForBitWhereAPlainBisectionEnds) {
  const std::vector<Case> cases{
      {"a square law with drops", [](double x) { return x - 3 * std::pow(std::max(0.0, 5 - 0.2 * x), 2); }, 0,
       50},
      // A current many decades below the bracket's width, as below the threshold.
      {"a root at 1e-58", [](double x) { return x - 1.27e-58 * (1 + x); }, 0, 3000},
      {"an exponential", [](double x) { return std::expm1(x / 0.026) * 1e-12 - 5; }, 0, 2},
      {"flat at 0 on the left", [](double x) { return x < 1 ? 0.0 : x - 1.5; }, 0, 4},
      {"a step", [](double x) { return x < 0.7 ? -1.0 : 1.0; }, 0, 1},
      {"a root at the low end", [](double x) { return x; }, 0, 1},
      {"no root in the bracket", [](double x) { return x + 1; }, 0, 1},
      {"NaN above the root", [](double x) { return x > 0.9 ? NAN : x - 0.3; }, 0, 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    int plainEvaluations = 0, fastEvaluations = 0;
    const double plain = PlainBisection(c.f, c.low, c.high, plainEvaluations);
    const double fast = BisectIncreasing(
        [&](double x) {
          ++fastEvaluations;
          return c.f(x);
        },
        c.low, c.high, kPasses, Wide);
    EXPECT_EQ(fast, plain);
    if (c.name == "a square law with drops") {
      EXPECT_LT(fastEvaluations, plainEvaluations / 2);
    }
  }
}

TEST(Bisection, AKnownStartChangesNothingButTheEvaluations) {
  auto f = [](double x) { return x - 3 * std::pow(std::max(0.0, 5 - 0.2 * x), 2); };
  int plainEvaluations = 0;
  const double plain = PlainBisection(f, 0, 50, plainEvaluations);
  // A bracket around the root, one on its left only, and one whose values are wrong way round.
  const std::vector<KnownBracket> starts{{10, f(10), 20, f(20)}, {0, f(0), 5, f(5)}, {20, f(20), 10, f(10)}};
  for (const KnownBracket& start : starts) {
    SCOPED_TRACE(start.below);
    EXPECT_EQ(BisectIncreasing(f, 0, 50, kPasses, Wide, start), plain);
  }
}

// The bisections of the threshold and of the on-resistance keep the upper end where the
// current reaches its target exactly, or is not a number.
double PlainReach(const std::function<double(double)>& rising, double target, double low, double high) {
  for (int pass = 0; pass < kPasses && Wide(low, high); ++pass) {
    const double middle = low + (high - low) / 2;
    (rising(middle) < target ? low : high) = middle;
  }
  return low + (high - low) / 2;
}

TEST(Bisection, ReachingATargetEndsWhereThePlainBisectionEnds) {
  const std::vector<Case> cases{
      {"a square law", [](double x) { return 0.4 * x * x; }, 0, 16},
      {"flat at the target", [](double x) { return std::min(x, 2.0); }, 0, 16},
      {"a step onto the target", [](double x) { return x < 3 ? 0.0 : 2.0; }, 0, 16},
      {"NaN above the target", [](double x) { return x > 9 ? NAN : x; }, 0, 16},
      {"never reaching it", [](double x) { return x / 100; }, 0, 16},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(BisectToReach(c.f, 2.0, c.low, c.high, kPasses, Wide), PlainReach(c.f, 2.0, c.low, c.high));
  }
}

}  // namespace
}  // namespace vdmos
