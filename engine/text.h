// Text helpers as the program syntax knows them: upper-casing, trimming,
// preparing a program line and splitting a text into lines.
#pragma once

#include <string>
#include <vector>

namespace automaten {

std::string UpperCase(std::string s);    // only a ... z change
std::string Trim(const std::string& s);  // drops codes 0 ... 32 at both ends
// The comment cut off, trimmed, and one blank appended.
std::string PrepareLine(const std::string& line);
// Lines end at CR LF, a lone CR or a lone LF; a break at the very end starts
// no further line.
std::vector<std::string> SplitLines(const std::string& text);

// The system's reason for an error number, in German where it is a common
// one (the system's own text otherwise).
std::string SystemReason(int error);

}  // namespace automaten
