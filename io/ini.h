// An INI file kept line by line: reading a value leaves the text alone, and
// writing one replaces its line in place or appends it to its section, so
// keys stay in the order in which they were first written. A value is the
// text after '=' up to the line end; keys and sections compare without case.
#pragma once

#include <string>
#include <vector>

namespace automaten {

class IniFile {
 public:
  void Parse(const std::string& text);  // lines end at CR LF, CR or LF
  std::string Text() const;             // lines joined with LF, one after the last

  bool Has(const std::string& section, const std::string& key) const;
  // The whole value; the caller decides how much of it to take.
  std::string ReadString(const std::string& section, const std::string& key, const std::string& fallback) const;
  // Decimal, or hexadecimal after '$', "0x" or "0X", with an optional sign;
  // anything else, or a value outside 32 bits, gives the fallback.
  int ReadInteger(const std::string& section, const std::string& key, int fallback) const;
  void WriteString(const std::string& section, const std::string& key, const std::string& value);
  void WriteInteger(const std::string& section, const std::string& key, int value);

  static bool ParseInteger(const std::string& text, int& value);

 private:
  // Index of the section's header line, or -1.
  int FindSection(const std::string& section) const;
  // Index of the key's line inside the section, or -1.
  int FindKey(int header, const std::string& key) const;

  std::vector<std::string> lines_;
};

}  // namespace automaten
