#pragma once
// The hot check's rows beside a refinement. The temperature laws rest on the 25 C card (the
// hot threshold on VTO and the subthreshold slope, the hot on-resistance on RS and RD), so the
// temperature recipe runs again on every refined card; it moves the temperature parameters
// alone, which leaves the 25 C rows as the refinement made them. Where the refined card takes
// a hot value out of the recipe's reach, the 25 C values come first and the summary says so.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "extract/temperature_fit.h"
#include "model/model_card.h"
#include "model/window_state.h"
#include "verify/bench_setup.h"

namespace vdmos {

/// A card's hot rows with the temperature laws the recipe gives it.
struct HotRows {
  /// The worst relative error (percent) of the laws' values at the hot rows that give one;
  /// nullopt without such rows.
  std::optional<double> worstPercent;
  /// The hot values the recipe refuses for this card.
  std::vector<TemperatureProblem> problems;
};

/// The hot rows of a parameter set printed with the precision and LAMBDA text given, the
/// window's hot fields fitted to it. Never throws.
HotRows HotRowsOf(const WindowState& state, ModelParameterSet params, std::string_view lambdaText,
                  CardPrecision precision, const BenchSetup& setup);

/// The hot values the refined card gives up that the fitted card met, as a sentence; empty
/// when it gives up none.
std::string HotTradeOff(const HotRows& fitted, const HotRows& refined);

}  // namespace vdmos
