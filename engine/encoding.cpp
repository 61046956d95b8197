#include "encoding.h"

#include <string_view>

#include "engine/types.h"

namespace automaten {

namespace {

// 0x80 ... 0x9F; the rest of the code page equals Latin-1.
const char32_t kHigh[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

// Decodes strict UTF-8 (no overlong forms, no surrogates, nothing above
// U+10FFFF), handing each code point to `take`; false at the first fault.
template <typename Take>
bool DecodeUtf8(std::string_view s, Take take) {
  const std::size_t n = s.size();
  for (std::size_t i = 0; i < n;) {
    const unsigned char b = static_cast<unsigned char>(s[i]);
    if (b < 0x80) {
      take(static_cast<char32_t>(b));
      ++i;
      continue;
    }
    int extra;
    char32_t c, min;
    if ((b & 0xE0) == 0xC0) {
      extra = 1, c = b & 0x1F, min = 0x80;
    } else if ((b & 0xF0) == 0xE0) {
      extra = 2, c = b & 0x0F, min = 0x800;
    } else if ((b & 0xF8) == 0xF0) {
      extra = 3, c = b & 0x07, min = 0x10000;
    } else {
      return false;
    }
    if (i + static_cast<std::size_t>(extra) >= n) return false;
    for (int k = 1; k <= extra; ++k) {
      const unsigned char t = static_cast<unsigned char>(s[i + static_cast<std::size_t>(k)]);
      if ((t & 0xC0) != 0x80) return false;
      c = (c << 6) | (t & 0x3F);
    }
    if (c < min || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) return false;
    take(c);
    i += static_cast<std::size_t>(extra) + 1;
  }
  return true;
}

// The Windows-1252 byte of each code point, written over the UTF-8 text
// itself: a character never takes fewer bytes in UTF-8, so the writing
// never overtakes the reading. Valid UTF-8 only.
template <typename Byte>
void Utf8ToCp1252InPlace(std::string& text, Byte byte) {
  std::size_t to = 0;
  DecodeUtf8(text, [&](char32_t c) { text[to++] = byte(c); });
  text.resize(to);
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

void AppendCp1252AsUtf8(std::string& out, std::string_view text) {
  for (std::size_t i = 0; i < text.size();) {
    std::size_t ascii = i;
    while (ascii < text.size() && static_cast<unsigned char>(text[ascii]) < 0x80) ++ascii;
    out.append(text, i, ascii - i);
    if (ascii == text.size()) break;
    AppendUtf8(out, Cp1252ToUnicode(static_cast<unsigned char>(text[ascii])));
    i = ascii + 1;
  }
}

std::string Cp1252ToUtf8(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  AppendCp1252AsUtf8(out, text);
  return out;
}

bool Utf8ToCp1252(const std::string& utf8, std::string& out, char replacement) {
  std::string text;
  text.reserve(utf8.size());
  bool lacking = false;
  const bool valid = DecodeUtf8(utf8, [&](char32_t c) {
    char b;
    if (UnicodeToCp1252(c, b))
      text += b;
    else if (replacement != 0)
      text += replacement;
    else
      lacking = true;
  });
  if (!valid || lacking) return false;
  out = std::move(text);
  return true;
}

bool IsValidUtf8(const std::string& bytes) {
  return DecodeUtf8(bytes, [](char32_t) {});
}

bool IsAscii(const std::string& bytes) {
  unsigned char all = 0;  // without a branch a byte: the loop runs on whole vectors
  for (char c : bytes) all = static_cast<unsigned char>(all | static_cast<unsigned char>(c));
  return all < 0x80;
}

bool ReadsAsUtf8(const std::string& bytes) { return !IsAscii(bytes) && IsValidUtf8(bytes); }

std::string ProgramLineToMachine(const std::string& utf8) {
  std::string text = utf8;
  if (IsAscii(text) || !IsValidUtf8(text)) return text;
  Utf8ToCp1252InPlace(text, [](char32_t c) {
    char b;
    return UnicodeToCp1252(c, b) ? b : c == U'\u03B5' ? kEpsilonSign : kForeignSymbol;
  });
  return text;
}

std::string ToMachineText(std::string utf8) {
  MakeMachineText(utf8);
  return utf8;
}

void MakeMachineText(std::string& text) {
  if (IsAscii(text) || !IsValidUtf8(text)) return;
  Utf8ToCp1252InPlace(text, [](char32_t c) {
    char b;
    return UnicodeToCp1252(c, b) ? b : '?';
  });
}

}  // namespace automaten
