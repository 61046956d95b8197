// Text helpers as the program syntax knows them: upper-casing, trimming,
// preparing a program line and splitting a text into lines.
#pragma once

#include <string>
#include <type_traits>
#include <vector>

namespace automaten {

std::string UpperCase(std::string s);    // only a ... z change
std::string Trim(const std::string& s);  // drops codes 0 ... 32 at both ends
// The comment cut off, trimmed, and one blank appended.
std::string PrepareLine(const std::string& line);
// Lines end at CR LF, a lone CR or a lone LF; a break at the very end starts
// no further line.
std::vector<std::string> SplitLines(const std::string& text);

// The number in decimal digits. Unlike std::to_string it needs no printf,
// which would bring the C library's floating-point formatting into the web
// page's module.
template <typename Integer>
std::string Decimal(Integer n) {
  static_assert(std::is_integral_v<Integer>);
  char digits[24];
  char* const end = digits + sizeof digits;
  char* p = end;
  bool negative = false;
  auto u = static_cast<unsigned long long>(n);
  if constexpr (std::is_signed_v<Integer>) {
    negative = n < 0;
    if (negative) u = 0 - u;
  }
  do {
    *--p = static_cast<char>('0' + u % 10);
    u /= 10;
  } while (u != 0);
  if (negative) *--p = '-';
  return std::string(p, end);
}

// The system's reason for an error number, in German where it is a common
// one (the system's own text otherwise).
std::string SystemReason(int error);

}  // namespace automaten
