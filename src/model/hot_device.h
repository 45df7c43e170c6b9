#pragma once
// What the card and the ngspice subcircuit take from the hot device's fields without a fit:
// the temperatures and the breakdown diode's coefficient.

#include <optional>
#include <string>

#include "model/window_state.h"

namespace vdmos {

/// The card's nominal temperature and the temperature of the datasheet's tables, C.
inline constexpr double kRoomCelsius = 25.0;
/// The highest hot temperature taken: no power device's tables go beyond it.
inline constexpr double kHottestCelsius = 200.0;
/// The hottest temperature the normalised on-resistance is drawn for, C: datasheets plot it up
/// to there.
inline constexpr double kHottestPlottedCelsius = 175.0;

/// The coolest hot temperature taken, C: closer to 25 C, the few kelvin between the two make the
/// laws' slopes out of the values' last digits (26 C gave EG=40.7, TEXP0=1401 and a card that
/// ngspice could not simulate at 100 C). Datasheets give hot values at 100 C and above.
inline constexpr double kCoolestHotCelsius = 50.0;

/// A junction temperature the temperature laws take: from 50 C to 200 C.
bool UsableHotCelsius(double celsius);

/// The hot temperature of the fields (TjHot) when typed and usable; nullopt otherwise. Never
/// throws.
std::optional<double> HotCelsius(const WindowState& state);

/// The breakdown voltage at the hot temperature.
struct HotBreakdown {
  double celsius = 0;
  double voltage = 0;
};
/// TjHot and BvHot when both are typed and usable; nullopt otherwise. Never throws.
std::optional<HotBreakdown> HotBreakdownOf(const WindowState& state);

/// The breakdown diode's temperature parameters, " TCV=... TNOM=25", which move its voltage
/// from `voltage` at 25 C to the hot one (ngspice's default TLEV: BV(T) = BV - TCV * dT, so a
/// rising voltage takes a negative TCV).
std::string BreakdownTemperatureText(double voltage, const HotBreakdown& hot);

}  // namespace vdmos
