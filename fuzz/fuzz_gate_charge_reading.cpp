// Reading Qgs, Qgd and Qg off any curve, as ngspice's output may hold one: never a crash, and
// charges, when read, are finite and positive with the plateau below the gate voltage.
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "verify/gate_charge_reading.h"

namespace {

double NextDouble(const std::uint8_t*& data, std::size_t& size) {
  double value = 0;
  std::memcpy(&value, data, sizeof value);
  data += sizeof value;
  size -= sizeof value;
  return value;
}

}  // namespace

// The first byte picks the form of the rest. Even: a gate voltage byte (tenths of a volt), then
// byte pairs of charge step and voltage step, which shape rises and plateaus from the origin
// as a simulator draws them. Odd: raw doubles, the gate voltage then x, y pairs, for curves no
// simulator should print (unordered, not numbers, huge).
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 2) return 0;
  const bool raw = (data[0] & 1u) != 0;
  ++data;
  --size;
  std::vector<vdmos::Point> curve;
  double vg = 0;
  if (raw) {
    if (size < sizeof(double)) return 0;
    vg = NextDouble(data, size);
    while (size >= 2 * sizeof(double)) {
      const double x = NextDouble(data, size);
      curve.push_back({x, NextDouble(data, size)});
    }
  } else {
    vg = data[0] / 10.0;
    curve.push_back({0, 0});
    for (std::size_t i = 1; i + 1 < size; i += 2) {
      const vdmos::Point& last = curve.back();
      curve.push_back({last.x + data[i] / 16.0, last.y + static_cast<std::int8_t>(data[i + 1]) / 32.0});
    }
  }
  const vdmos::GateChargeReading reading = vdmos::ReadGateCharges(curve, vg);
  if (reading.charges.has_value() == reading.problem.has_value()) std::abort();
  if (reading.charges) {
    const vdmos::GateCharges& q = *reading.charges;
    for (const double value : {q.plateau, q.qgs, q.qgd, q.qg}) {
      if (!std::isfinite(value)) std::abort();
    }
    if (!(q.qgs > 0 && q.qgd > 0 && q.plateau > 0 && q.plateau < vg)) std::abort();
  }
  return 0;
}
