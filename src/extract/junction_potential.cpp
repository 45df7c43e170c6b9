#include "extract/junction_potential.h"

#include <algorithm>
#include <cmath>

#include "extract/constants.h"
#include "model/control_names.h"
#include "model/fields.h"
#include "model/hot_device.h"
#include "model/numbers.h"

namespace vdmos {
namespace {

double SiliconGap(double kelvin) { return 1.16 - 7.02e-4 * kelvin * kelvin / (kelvin + 1108); }

/// What the temperature takes off the junction potential beyond its proportional rise.
double GapShift(double kelvin, double nominal) {
  return ThermalVoltageAtKelvin(kelvin) *
         (3 * std::log(kelvin / nominal) + SiliconGap(nominal) / ThermalVoltageAtKelvin(nominal) -
          SiliconGap(kelvin) / ThermalVoltageAtKelvin(kelvin));
}

}  // namespace

double JunctionPotentialAt(double Vj, double celsius) {
  const double kelvin = celsius + kKelvinAtZeroCelsius, nominal = kRoomCelsius + kKelvinAtZeroCelsius;
  return Vj * kelvin / nominal - GapShift(kelvin, nominal);
}

double JunctionPotentialFloor(double hottestCelsius) {
  // The potential falls as the junction warms, so the hottest temperature bounds it.
  const double kelvin = std::max(hottestCelsius, kHottestPlottedCelsius) + kKelvinAtZeroCelsius;
  const double nominal = kRoomCelsius + kKelvinAtZeroCelsius;
  const double least = (kJunctionPotentialMargin + GapShift(kelvin, nominal)) * nominal / kelvin;
  return std::ceil(least * 100) / 100;
}

double HottestWithJunctionPotential(double Vj) {
  double celsius = kRoomCelsius;
  while (celsius + 1 <= kHottestPlottedCelsius && JunctionPotentialAt(Vj, celsius + 1) > 0) ++celsius;
  return celsius;
}

std::string JunctionPotentialRaisedMessage(double fittedVj, double floorVj) {
  return "\"" + std::string(FindField(control::TjHot)->quantity) +
         "\" needs a junction potential Vj of at least " + FormatMask(floorVj, "0.0#") +
         " V for ngspice to simulate the card hot, not the fitted " + FormatMask(fittedVj, "0.0#") +
         " V: the card is made with Vj=" + FormatMask(floorVj, "0.0#") +
         " and Cjo and m fitted again to Coss.";
}

}  // namespace vdmos
