// What the program keeps between two runs, as a value with its defaults, and
// its form in the section "Konfiguration" of automaten.ini.
#pragma once

#include <string>

#include "control/history.h"
#include "control/view.h"

namespace automaten {

struct Settings {
  int speed = 1;                      // "Frequenz": the slider position
  std::uint16_t kindCode = 0;         // "Arbeitsmodus": any 16-bit code; only 0 ... 4 name a kind
  std::string file;                   // "Datei": the program file, UTF-8
  std::string lastTape = "sskkss";    // "Band": the tape of the last reset, machine text
  Bounds bounds{200, 200, 400, 300};  // "Left", "Top", "Width", "Height"
  int zoom = 100;                     // "Zoom": the size of tape, labels and program in percent
  bool loopCheck = true;              // "Endlosschleifen": "Endlosschleifen erkennen" ticked
  Panes panes;                        // "Diagramm", "Diagrammbreite", "Tests", "Testsbreite"
  int historySteps =
      static_cast<int>(kDefaultHistorySteps);  // "Schrittspeicher": the most steps "Schritt zurück" keeps
};

// The bounds of "Schrittspeicher": one step, and 100 million (1.2 GB).
constexpr int kMaxHistorySteps = 100000000;

// The zoom steps of "Größer" and "Kleiner", from 70 to 400 percent.
int ZoomIn(int percent);
int ZoomOut(int percent);
int ClampZoom(int percent);

// The settings a configuration file's text holds; a key that is missing or
// unreadable keeps its default.
Settings ReadSettings(const std::string& iniText);
// The file's text with the settings written into it: the keys keep their
// place, new ones follow in the order above, other lines stay as they are.
// "Zoom" comes after the eight keys of the first version, which ignores it.
std::string WriteSettings(const std::string& iniText, const Settings& s);

// A tape as the settings keep it: no more of it than a reader takes back, UTF-8.
std::string StoredTape(const std::string& machineTape);

}  // namespace automaten
