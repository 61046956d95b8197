#include "speed.h"

#include <algorithm>
#include <cmath>

#include "engine/text.h"

namespace automaten {

int IntervalForPosition(int position) {
  const int p = std::clamp(position, 1, 100);
  return static_cast<int>(std::lround(std::exp(-0.08 * (p - 1)) * 5000.0));
}

std::string FrequencyText(int intervalMs, const NumberFormat& format) {
  const double f = 1000.0 / std::max(intervalMs, 1);
  const int decimals = f < 10 ? 1 : 0;
  const double scale = decimals == 1 ? 10.0 : 1.0;
  // A half at the last shown digit rounds up (6.25 Hz shows as "6,3 Hz"); the
  // epsilon only guards against a product a hair below a half.
  const long long units = static_cast<long long>(std::floor(f * scale + 0.5 + 1e-9));
  std::string whole = Decimal(units / static_cast<long long>(scale));
  for (int pos = static_cast<int>(whole.size()) - 3; pos > 0; pos -= 3)
    whole.insert(static_cast<std::size_t>(pos), 1, format.groupSeparator);
  std::string text = whole;
  if (decimals == 1) text += format.decimalSeparator + Decimal(units % 10);
  return text + " Hz";
}

}  // namespace automaten
