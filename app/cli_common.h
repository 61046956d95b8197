// What the command line's two forms, a run and the grading, both need.
#pragma once

#include <string>

namespace automaten {

// A decimal number up to `limit`, digits only.
inline bool ParseDecimal(const std::string& s, unsigned long long limit, unsigned long long& value) {
  if (s.empty() || s.size() > 20) return false;
  value = 0;
  for (char c : s) {
    if (c < '0' || c > '9') return false;
    const unsigned digit = static_cast<unsigned>(c - '0');
    if (value > (limit - digit) / 10) return false;
    value = value * 10 + digit;
  }
  return true;
}

}  // namespace automaten
