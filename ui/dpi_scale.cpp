#include "ui/dpi_scale.h"

#include <cstdint>
#include <limits>

namespace qxqy {

int MulDivRounded(int number, int numerator, int denominator) {
  if (denominator == 0) return -1;
  const int64_t product = static_cast<int64_t>(number) * numerator;
  int64_t quotient = product / denominator;  // truncated toward zero
  const int64_t remainder = product % denominator;
  const int64_t twice_remainder = remainder < 0 ? -2 * remainder : 2 * remainder;
  const int64_t magnitude = denominator < 0 ? -static_cast<int64_t>(denominator) : denominator;
  if (twice_remainder >= magnitude) quotient += (product < 0) != (denominator < 0) ? -1 : 1;
  if (quotient < std::numeric_limits<int>::min() || quotient > std::numeric_limits<int>::max()) {
    return -1;
  }
  return static_cast<int>(quotient);
}

}  // namespace qxqy
