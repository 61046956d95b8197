#include "ini.h"

#include <cstdint>

#include "engine/text.h"

namespace automaten {

namespace {

std::string TrimBlanks(const std::string& s) {
  std::size_t b = 0, e = s.size();
  while (b < e && (s[b] == ' ' || s[b] == '\t')) ++b;
  while (e > b && (s[e - 1] == ' ' || s[e - 1] == '\t')) --e;
  return s.substr(b, e - b);
}

bool SameName(const std::string& a, const std::string& b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    char x = a[i], y = b[i];
    if (x >= 'A' && x <= 'Z') x = static_cast<char>(x - 'A' + 'a');
    if (y >= 'A' && y <= 'Z') y = static_cast<char>(y - 'A' + 'a');
    if (x != y) return false;
  }
  return true;
}

// The section name of a header line "[name]", or false.
bool HeaderName(const std::string& line, std::string& name) {
  const std::string t = TrimBlanks(line);
  if (t.size() < 2 || t.front() != '[' || t.back() != ']') return false;
  name = TrimBlanks(t.substr(1, t.size() - 2));
  return true;
}

// Splits "key=value"; false for lines without '=' and comments.
bool KeyLine(const std::string& line, std::string& key, std::string& value) {
  const std::string t = TrimBlanks(line);
  if (t.empty() || t[0] == ';' || t[0] == '[') return false;
  const std::size_t eq = line.find('=');
  if (eq == std::string::npos) return false;
  key = TrimBlanks(line.substr(0, eq));
  value = line.substr(eq + 1);
  return true;
}

// Line breaks inside a value would end its line.
std::string OneLine(const std::string& s) {
  std::string out;
  for (char c : s)
    if (c != '\r' && c != '\n') out += c;
  return out;
}

}  // namespace

void IniFile::Parse(const std::string& text) { lines_ = SplitLines(text); }

std::string IniFile::Text() const {
  std::string text;
  for (const std::string& line : lines_) text += line + '\n';
  return text;
}

int IniFile::FindSection(const std::string& section) const {
  std::string name;
  for (std::size_t i = 0; i < lines_.size(); ++i)
    if (HeaderName(lines_[i], name) && SameName(name, section)) return static_cast<int>(i);
  return -1;
}

int IniFile::FindKey(int header, const std::string& key) const {
  std::string name, k, v;
  for (std::size_t i = static_cast<std::size_t>(header) + 1; i < lines_.size(); ++i) {
    if (HeaderName(lines_[i], name)) break;
    if (KeyLine(lines_[i], k, v) && SameName(k, key)) return static_cast<int>(i);
  }
  return -1;
}

bool IniFile::Has(const std::string& section, const std::string& key) const {
  const int header = FindSection(section);
  return header >= 0 && FindKey(header, key) >= 0;
}

std::string IniFile::ReadString(const std::string& section, const std::string& key, const std::string& fallback) const {
  const int header = FindSection(section);
  const int at = header >= 0 ? FindKey(header, key) : -1;
  if (at < 0) return fallback;
  std::string k, value;
  KeyLine(lines_[static_cast<std::size_t>(at)], k, value);
  return value;
}

bool IniFile::ParseInteger(const std::string& text, int& value) {
  std::string t = TrimBlanks(text);
  bool negative = false;
  if (!t.empty() && (t[0] == '-' || t[0] == '+')) {
    negative = t[0] == '-';
    t.erase(0, 1);
  }
  int base = 10;
  if (!t.empty() && t[0] == '$') {
    base = 16;
    t.erase(0, 1);
  } else if (t.size() >= 2 && t[0] == '0' && (t[1] == 'x' || t[1] == 'X')) {
    base = 16;
    t.erase(0, 2);
  }
  if (t.empty()) return false;
  std::uint64_t v = 0;
  for (char c : t) {
    int d;
    if (c >= '0' && c <= '9')
      d = c - '0';
    else if (base == 16 && c >= 'a' && c <= 'f')
      d = c - 'a' + 10;
    else if (base == 16 && c >= 'A' && c <= 'F')
      d = c - 'A' + 10;
    else
      return false;
    v = v * static_cast<std::uint64_t>(base) + static_cast<std::uint64_t>(d);
    if (v > 0xFFFFFFFFull) return false;
  }
  // Hexadecimal numbers fill all 32 bits; decimal ones stay within the signed range.
  if (base == 10 && v > (negative ? 0x80000000ull : 0x7FFFFFFFull)) return false;
  const std::uint32_t bits = static_cast<std::uint32_t>(negative ? (~v + 1) : v);
  value = static_cast<int>(static_cast<std::int32_t>(bits));
  return true;
}

int IniFile::ReadInteger(const std::string& section, const std::string& key, int fallback) const {
  if (!Has(section, key)) return fallback;
  int value;
  return ParseInteger(ReadString(section, key, ""), value) ? value : fallback;
}

void IniFile::WriteString(const std::string& section, const std::string& key, const std::string& value) {
  const std::string line = key + "=" + OneLine(value);
  int header = FindSection(section);
  if (header < 0) {
    lines_.push_back("[" + section + "]");
    lines_.push_back(line);
    return;
  }
  const int at = FindKey(header, key);
  if (at >= 0) {
    lines_[static_cast<std::size_t>(at)] = line;
    return;
  }
  // After the section's last key; blank lines and comments at its end stay behind it.
  std::size_t insert = static_cast<std::size_t>(header) + 1;
  std::string name, k, v;
  for (std::size_t i = insert; i < lines_.size() && !HeaderName(lines_[i], name); ++i)
    if (KeyLine(lines_[i], k, v)) insert = i + 1;
  lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(insert), line);
}

void IniFile::WriteInteger(const std::string& section, const std::string& key, int value) {
  WriteString(section, key, Decimal(value));
}

}  // namespace automaten
