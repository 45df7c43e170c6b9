// Field readings over arbitrary text: never a crash, only an ArithmeticFault on overflow, and
// every value read is finite.
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "model/checked_math.h"
#include "model/numbers.h"

namespace {

void ExpectFiniteOrFault(double (*reading)(std::string_view), std::string_view text) {
  try {
    if (!std::isfinite(reading(text))) std::abort();
  } catch (const vdmos::ArithmeticFault&) {
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  // The suffix replacement only ever cuts the text and appends a short exponent.
  if (vdmos::SuffixToExponent(text).size() > text.size() + 4) std::abort();
  ExpectFiniteOrFault(vdmos::EngineeringReading, text);
  ExpectFiniteOrFault(vdmos::PlainReading, text);
  ExpectFiniteOrFault(vdmos::PlainDecimalReading, text);
  return 0;
}
