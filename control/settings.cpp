#include "settings.h"

#include <algorithm>
#include <iterator>

#include "engine/encoding.h"
#include "io/ini.h"

namespace automaten {

namespace {

const char kSection[] = "Konfiguration";
constexpr int kZoomSteps[] = {70, 80, 90, 100, 110, 125, 150, 175, 200, 250, 300, 350, 400};
constexpr std::size_t kMaxValueChars = 2047;

// A stored text, at most 2047 characters of it.
std::string ReadText(const IniFile& ini, const char* key, const std::string& fallback) {
  if (!ini.Has(kSection, key)) return fallback;
  const std::string value = ini.ReadString(kSection, key, "");
  std::size_t chars = 0, end = 0;
  while (end < value.size() && chars < kMaxValueChars) {
    ++end;
    while (end < value.size() && (static_cast<unsigned char>(value[end]) & 0xC0) == 0x80) ++end;
    ++chars;
  }
  return value.substr(0, end);
}

}  // namespace

Settings ReadSettings(const std::string& iniText) {
  IniFile ini;
  ini.Parse(iniText);
  Settings s;
  s.speed = ini.ReadInteger(kSection, "Frequenz", s.speed);
  s.kindCode = static_cast<std::uint16_t>(ini.ReadInteger(kSection, "Arbeitsmodus", s.kindCode));
  s.file = ReadText(ini, "Datei", s.file);
  s.lastTape = ToMachineText(ReadText(ini, "Band", Cp1252ToUtf8(s.lastTape)));
  s.bounds.left = ini.ReadInteger(kSection, "Left", s.bounds.left);
  s.bounds.top = ini.ReadInteger(kSection, "Top", s.bounds.top);
  s.bounds.width = ini.ReadInteger(kSection, "Width", s.bounds.width);
  s.bounds.height = ini.ReadInteger(kSection, "Height", s.bounds.height);
  s.zoom = ClampZoom(ini.ReadInteger(kSection, "Zoom", s.zoom));
  s.loopCheck = ini.ReadInteger(kSection, "Endlosschleifen", 1) != 0;
  const auto pane = [&ini](const char* shown, const char* size, PaneState& p) {
    p.shown = ini.ReadInteger(kSection, shown, 0) != 0;
    p.size = std::clamp(ini.ReadInteger(kSection, size, p.size), 120, 4000);
  };
  pane("Diagramm", "Diagrammbreite", s.panes.diagram);
  pane("Tests", "Testsbreite", s.panes.tests);
  s.historySteps = std::clamp(ini.ReadInteger(kSection, "Schrittspeicher", s.historySteps), 1, kMaxHistorySteps);
  return s;
}

std::string WriteSettings(const std::string& iniText, const Settings& s) {
  IniFile ini;
  ini.Parse(iniText);
  ini.WriteInteger(kSection, "Arbeitsmodus", s.kindCode);
  ini.WriteString(kSection, "Datei", s.file);
  ini.WriteInteger(kSection, "Frequenz", s.speed);
  // No more of the tape than is read back: the file never outgrows what a reader takes.
  ini.WriteString(kSection, "Band", StoredTape(s.lastTape));
  ini.WriteInteger(kSection, "Left", s.bounds.left);
  ini.WriteInteger(kSection, "Top", s.bounds.top);
  ini.WriteInteger(kSection, "Width", s.bounds.width);
  ini.WriteInteger(kSection, "Height", s.bounds.height);
  ini.WriteInteger(kSection, "Zoom", s.zoom);
  ini.WriteInteger(kSection, "Endlosschleifen", s.loopCheck ? 1 : 0);
  ini.WriteInteger(kSection, "Diagramm", s.panes.diagram.shown ? 1 : 0);
  ini.WriteInteger(kSection, "Diagrammbreite", s.panes.diagram.size);
  ini.WriteInteger(kSection, "Tests", s.panes.tests.shown ? 1 : 0);
  ini.WriteInteger(kSection, "Testsbreite", s.panes.tests.size);
  ini.WriteInteger(kSection, "Schrittspeicher", s.historySteps);
  return ini.Text();
}

std::string StoredTape(const std::string& machineTape) { return Cp1252ToUtf8(machineTape.substr(0, kMaxValueChars)); }

int ClampZoom(int percent) { return std::clamp(percent, kZoomSteps[0], std::end(kZoomSteps)[-1]); }

int ZoomIn(int percent) {
  for (int step : kZoomSteps)
    if (step > percent) return step;
  return ClampZoom(percent);
}

int ZoomOut(int percent) {
  for (auto it = std::rbegin(kZoomSteps); it != std::rend(kZoomSteps); ++it)
    if (*it < percent) return *it;
  return ClampZoom(percent);
}

}  // namespace automaten
