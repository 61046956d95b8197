// The speed slider: the timer interval of each of its positions, from 0.2 Hz
// to 500 Hz, and the frequency label's text for it.
#pragma once

#include <string>

#include "control/view.h"

namespace automaten {

// Timer interval in ms for a slider position (1 ... 100).
int IntervalForPosition(int position);
// "6,3 Hz", "500 Hz", "1.000 Hz": one decimal below 10 Hz.
std::string FrequencyText(int intervalMs, const NumberFormat& format);

}  // namespace automaten
