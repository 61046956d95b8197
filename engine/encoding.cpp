#include "encoding.h"

#include <vector>

#include "engine/types.h"

namespace automaten {

namespace {

// 0x80 ... 0x9F; the rest of the code page equals Latin-1.
const char32_t kHigh[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

// Decodes strict UTF-8: no overlong forms, no surrogates, nothing above U+10FFFF.
bool DecodeUtf8(const std::string& s, std::vector<char32_t>& out) {
  out.clear();
  for (std::size_t i = 0; i < s.size();) {
    const unsigned char b = static_cast<unsigned char>(s[i]);
    int extra;
    char32_t c, min;
    if (b < 0x80) {
      out.push_back(b);
      ++i;
      continue;
    } else if ((b & 0xE0) == 0xC0) {
      extra = 1, c = b & 0x1F, min = 0x80;
    } else if ((b & 0xF0) == 0xE0) {
      extra = 2, c = b & 0x0F, min = 0x800;
    } else if ((b & 0xF8) == 0xF0) {
      extra = 3, c = b & 0x07, min = 0x10000;
    } else {
      return false;
    }
    if (i + static_cast<std::size_t>(extra) >= s.size()) return false;
    for (int k = 1; k <= extra; ++k) {
      const unsigned char t = static_cast<unsigned char>(s[i + static_cast<std::size_t>(k)]);
      if ((t & 0xC0) != 0x80) return false;
      c = (c << 6) | (t & 0x3F);
    }
    if (c < min || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) return false;
    out.push_back(c);
    i += static_cast<std::size_t>(extra) + 1;
  }
  return true;
}

}  // namespace

void AppendUtf8(std::string& out, char32_t c) {
  if (c < 0x80) {
    out += static_cast<char>(c);
  } else if (c < 0x800) {
    out += static_cast<char>(0xC0 | (c >> 6));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else if (c < 0x10000) {
    out += static_cast<char>(0xE0 | (c >> 12));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (c >> 18));
    out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  }
}

char32_t Cp1252ToUnicode(unsigned char byte) { return byte >= 0x80 && byte < 0xA0 ? kHigh[byte - 0x80] : byte; }

bool UnicodeToCp1252(char32_t code, char& byte) {
  if (code < 0x80 || (code >= 0xA0 && code <= 0xFF)) {
    byte = static_cast<char>(code);
    return true;
  }
  for (int i = 0; i < 32; ++i)
    if (kHigh[i] == code) {
      byte = static_cast<char>(0x80 + i);
      return true;
    }
  return false;
}

std::string Cp1252ToUtf8(const std::string& text) {
  std::string out;
  out.reserve(text.size());
  for (char c : text) AppendUtf8(out, Cp1252ToUnicode(static_cast<unsigned char>(c)));
  return out;
}

bool Utf8ToCp1252(const std::string& utf8, std::string& out, char replacement) {
  std::vector<char32_t> codes;
  if (!DecodeUtf8(utf8, codes)) return false;
  out.clear();
  for (char32_t c : codes) {
    char b;
    if (UnicodeToCp1252(c, b)) {
      out += b;
    } else if (replacement != 0) {
      out += replacement;
    } else {
      return false;
    }
  }
  return true;
}

bool IsValidUtf8(const std::string& bytes) {
  std::vector<char32_t> codes;
  return DecodeUtf8(bytes, codes);
}

bool IsAscii(const std::string& bytes) {
  for (char c : bytes)
    if (static_cast<unsigned char>(c) >= 0x80) return false;
  return true;
}

bool ReadsAsUtf8(const std::string& bytes) { return !IsAscii(bytes) && IsValidUtf8(bytes); }

std::string ProgramLineToMachine(const std::string& utf8) {
  std::vector<char32_t> codes;
  if (IsAscii(utf8) || !DecodeUtf8(utf8, codes)) return utf8;
  std::string text;
  text.reserve(codes.size());
  for (char32_t c : codes) {
    char b;
    if (UnicodeToCp1252(c, b))
      text += b;
    else
      text += c == U'\u03B5' ? kEpsilonSign : kForeignSymbol;
  }
  return text;
}

std::string ToMachineText(const std::string& utf8) {
  std::string text;
  return Utf8ToCp1252(utf8, text, '?') ? text : utf8;
}

}  // namespace automaten
