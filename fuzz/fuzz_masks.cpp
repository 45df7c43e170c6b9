// Every digit mask over arbitrary doubles: the text reads back to the value within the mask's
// rounding.
#include <array>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>

#include "model/checked_math.h"
#include "model/numbers.h"

namespace {

struct Mask {
  std::string_view picture;
  int decimals;  // the last digit the mask shows, as a power of ten below the point
};

constexpr std::array kMasks{Mask{"0", 0},      Mask{"0#", 0},      Mask{"0.0#", 2},
                            Mask{"0.00#", 3},  Mask{"0.0##", 3},   Mask{"0.000#", 4},
                            Mask{"0.0###", 4}, Mask{"0.0####", 5}, Mask{"0.0#####", 6}};

void CheckReadsBack(double value, const std::string& text, double tolerance) {
  double back;
  try {
    back = vdmos::PlainReading(text);
  } catch (const vdmos::ArithmeticFault&) {
    // Only a value within rounding of the largest double may print as a text beyond it
    // ("1.80E+308").
    if (std::fabs(value) < 1.7e308) std::abort();
    return;
  }
  if (std::fabs(back - value) > tolerance) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < sizeof(double) + 1) return 0;
  double value;
  std::memcpy(&value, data, sizeof value);
  const std::size_t choice = data[sizeof(double)] % (kMasks.size() + 1);
  if (!std::isfinite(value)) {
    (void)vdmos::FormatMask(value, choice < kMasks.size() ? kMasks[choice].picture : "SCIENTIFIC");
    return 0;
  }

  if (choice == kMasks.size()) {
    const std::string text = vdmos::FormatMask(value, "SCIENTIFIC");
    if (text.find('E') == std::string::npos) std::abort();
    // Two decimals of the mantissa: half a unit of the last one, relative, plus the
    // 15-digit decimal form the rounding is judged on.
    CheckReadsBack(value, text, std::fabs(value) * 0.0051 + 1e-300);
    return 0;
  }

  // Beyond 15 significant digits the decimal form itself is rounded; stay where the mask's
  // last digit is meaningful.
  if (std::fabs(value) >= 1e14) return 0;
  const Mask& mask = kMasks[choice];
  const std::string text = vdmos::FormatMask(value, mask.picture);
  if (text.find(',') != std::string::npos) std::abort();
  const double unit = std::pow(10.0, -mask.decimals);
  CheckReadsBack(value, text, 0.5 * unit + std::fabs(value) * 1e-14);
  return 0;
}
