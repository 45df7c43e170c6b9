#pragma once
// Physical constants of the model parameter routines.

namespace vdmos {

inline constexpr double kBoltzmann = 1.3806504e-23;           // J/K
inline constexpr double kTemperature = 300.0;                 // K
inline constexpr double kElementaryCharge = 1.602176487e-19;  // C
inline constexpr double kKelvinAtZeroCelsius = 273.15;

inline constexpr double Kelvin(double celsius) { return celsius + kKelvinAtZeroCelsius; }
/// kT/q at a temperature in kelvin.
inline constexpr double ThermalVoltageAtKelvin(double kelvin) {
  return kBoltzmann * kelvin / kElementaryCharge;
}
/// Keeps denominators of the DC equations away from zero, seeds the current solver, and is
/// the lower limit of the inputs of the capacitance and body diode fits.
inline constexpr double kEps = 1e-15;
inline constexpr double kPi = 3.14159265358979;
inline constexpr double kHalfPi = 1.570796326794895;

}  // namespace vdmos
