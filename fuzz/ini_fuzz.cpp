// libFuzzer target: any file text parses; writing a key and reading it back
// gives the value written, and the text written parses to the same values.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "io/ini.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string input(reinterpret_cast<const char*>(data), size);
  automaten::IniFile ini;
  ini.Parse(input);
  const std::string band = ini.ReadString("Konfiguration", "Band", "sskkss");
  const int frequenz = ini.ReadInteger("Konfiguration", "Frequenz", 1);
  ini.WriteString("Konfiguration", "Datei", "a=b;c");
  ini.WriteInteger("Konfiguration", "Width", 640);
  if (ini.ReadString("Konfiguration", "Datei", "") != "a=b;c") std::abort();
  if (ini.ReadInteger("Konfiguration", "Width", 0) != 640) std::abort();
  automaten::IniFile again;
  again.Parse(ini.Text());
  if (again.ReadString("Konfiguration", "Datei", "") != "a=b;c") std::abort();
  if (again.ReadInteger("Konfiguration", "Frequenz", 1) != frequenz) std::abort();
  if (again.ReadString("Konfiguration", "Band", "sskkss") != band) std::abort();
  int value;
  automaten::IniFile::ParseInteger(input, value);
  return 0;
}
