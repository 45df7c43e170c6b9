#include "model/hot_device.h"

#include <cmath>

#include "model/checked_math.h"
#include "model/control_names.h"
#include "model/field_reading.h"
#include "model/numbers.h"

namespace vdmos {

bool UsableHotCelsius(double celsius) { return celsius >= kCoolestHotCelsius && celsius <= kHottestCelsius; }

std::optional<double> HotCelsius(const WindowState& state) {
  if (state.text(control::TjHot).empty()) return std::nullopt;
  try {
    const double celsius = FieldValue(state, control::TjHot);
    if (UsableHotCelsius(celsius)) return celsius;
  } catch (const ArithmeticFault&) {
  }
  return std::nullopt;
}

std::optional<HotBreakdown> HotBreakdownOf(const WindowState& state) {
  const std::optional<double> celsius = HotCelsius(state);
  if (!celsius || state.text(control::BvHot).empty()) return std::nullopt;
  try {
    // A magnitude, as the 25 C breakdown voltage is: P-channel datasheets print it negative.
    const double voltage = std::fabs(FieldValue(state, control::BvHot));
    if (voltage > 0) return HotBreakdown{*celsius, voltage};
  } catch (const ArithmeticFault&) {
  }
  return std::nullopt;
}

std::string BreakdownTemperatureText(double voltage, const HotBreakdown& hot) {
  const double tcv = (voltage - hot.voltage) / (hot.celsius - kRoomCelsius);
  return " TCV=" + FourSignificantText(tcv) + " TNOM=" + DefaultNumberText(kRoomCelsius);
}

}  // namespace vdmos
