#pragma once
// Checked arithmetic. A computation of the tool stops on a run-time fault: a division by
// zero, an overflow, an invalid operation (0/0, the square root or logarithm of a negative
// number, a negative base to a fractional power) or the overflow of a 16-bit counter. The
// fault is an ArithmeticFault thrown at the failing operation; the routines that absorb
// faults catch it exactly where their fallback applies.

#include <cmath>
#include <cstdint>
#include <limits>
#include <stdexcept>

namespace vdmos {

struct ArithmeticFault : std::runtime_error {
  using std::runtime_error::runtime_error;
};

/// Passes a finite value through; infinities and NaN are faults.
inline double Checked(double value) {
  if (!std::isfinite(value)) throw ArithmeticFault("overflow or invalid operation");
  return value;
}

inline double Add(double a, double b) { return Checked(a + b); }
inline double Sub(double a, double b) { return Checked(a - b); }
inline double Mul(double a, double b) { return Checked(a * b); }

/// Division by exactly zero is a fault even where IEEE arithmetic would give an infinity.
inline double Div(double a, double b) {
  if (b == 0.0) throw ArithmeticFault("division by zero");
  return Checked(a / b);
}

inline double Sqrt(double x) {
  if (x < 0.0) throw ArithmeticFault("square root of a negative number");
  return Checked(std::sqrt(x));
}

/// Natural logarithm; zero and negative arguments are faults.
inline double Ln(double x) {
  if (!(x > 0.0)) throw ArithmeticFault("logarithm of a non-positive number");
  return Checked(std::log(x));
}

/// base ^ exponent with the faults of a checked power: a negative base to a fractional
/// power, and zero to a negative power (a division by zero).
inline double Pow(double base, double exponent) {
  Checked(base);
  Checked(exponent);
  if (base < 0.0 && exponent != std::floor(exponent))
    throw ArithmeticFault("negative base to a fractional power");
  if (base == 0.0 && exponent < 0.0) throw ArithmeticFault("division by zero");
  return Checked(std::pow(base, exponent));
}

inline double Tan(double x) { return Checked(std::tan(Checked(x))); }
inline double Atan(double x) { return Checked(std::atan(Checked(x))); }

/// A 16-bit signed counter whose overflow is a fault, as the iteration counters and the
/// relaxation divisors of the fits are.
class Counter16 {
 public:
  constexpr explicit Counter16(int start = 0) : value_(Narrow(start)) {}
  constexpr int value() const { return value_; }
  Counter16& operator++() {
    value_ = Narrow(value_ + 1);
    return *this;
  }
  Counter16& operator=(int v) {
    value_ = Narrow(v);
    return *this;
  }
  void Double() { value_ = Narrow(2 * value_); }

 private:
  static constexpr std::int16_t Narrow(int v) {
    if (v > std::numeric_limits<std::int16_t>::max() || v < std::numeric_limits<std::int16_t>::min())
      throw ArithmeticFault("16-bit counter overflow");
    return static_cast<std::int16_t>(v);
  }
  std::int16_t value_;
};

}  // namespace vdmos
