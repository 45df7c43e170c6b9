#pragma once
// The body diode's junction potential at a hot junction temperature, in ngspice's law for a
// card whose Vj is given at its nominal 25 C:
//   Vj(T) = Vj * T / TNOM - Vt(T) * (3 ln(T / TNOM) + Eg(TNOM) / Vt(TNOM) - Eg(T) / Vt(T)),
// with silicon's gap Eg(T) = 1.16 - 7.02e-4 T^2 / (T + 1108) eV whatever the card's EG. A low
// Vj falls below zero well before 175 C, and ngspice then finds no operating point at all.

#include <string>

namespace vdmos {

/// How far above zero the junction potential stays at the hottest temperature simulated, V.
inline constexpr double kJunctionPotentialMargin = 0.1;

/// ngspice's junction potential at celsius of a card whose Vj (V) is given at 25 C.
double JunctionPotentialAt(double Vj, double celsius);

/// The least Vj at 25 C, rounded up to the card's hundredths of a volt, that keeps the junction
/// potential kJunctionPotentialMargin above zero up to hottestCelsius, and at least up to the
/// hottest temperature the normalised on-resistance is plotted for.
double JunctionPotentialFloor(double hottestCelsius);

/// The hottest whole degree Celsius, from 25 C up to the hottest plotted temperature, at which
/// ngspice's junction potential of a card with Vj (V) at 25 C is still above zero.
double HottestWithJunctionPotential(double Vj);

/// Why the card's Vj is not the one fitted: a hot card needs the floor to be simulated hot.
std::string JunctionPotentialRaisedMessage(double fittedVj, double floorVj);

}  // namespace vdmos
