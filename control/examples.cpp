// The five built-in example programs, one per machine kind, line by line.
// Lines keep their trailing blanks and runs of blanks.
#include "examples.h"

#include <iterator>

#include "engine/encoding.h"

namespace automaten {

namespace {

// MDEA
const char* const kDEALines[] = {
    "; Beispiel für einen deterministischen Automaten mit Ausgabe",
    ";",
    "; Der Hund als Automat",
    ";   Streicheln (s) beruhigt den Hund, er reagiert mit Schwanzwedeln (w)",
    ";   Knuffen (k) regt den Hund auf, er wird unwilliger (Bellen b)",
    "",
    "; e: a deklariert den Zustand a als einen Endzustand",
    "e: a",
    "",
    "; die Befehle sind wie folgt aufgebaut:",
    "; Zustand Eingabezeichen -> Ausgabezeichen Folgezustand",
    "a s -> w a",
    "a k -> w 1",
    "1 s -> w a",
    "1 k -> b 2",
    "2 s -> b 1",
    "2 k -> b 2",
    "",
};

// MAkzeptor
const char* const kAKZLines[] = {
    "; Beispiel für einen Akzeptor ohne Ausgabe",
    ";   01-Wörter mit gerader Anzahl von Nullen ",
    "",
    "e: a ; Deklaration der Endzustände",
    "",
    "; Die Programmschritte sind wie folgt aufgebaut:",
    "; Zustand Eingabezeichen -> Folgezustand",
    "a 1 -> a",
    "a 0 -> 1",
    "1 1 -> 1",
    "1 0 -> a",
    "",
};

// MNEA
const char* const kNEALines[] = {
    "; Beispiel für einen nichtdeterministischen endlichen Automaten",
    "; Es werden alle Eingaben akzeptiert, die 010 oder 000 enthalten",
    "; gleichwertiger regulärer Ausdruck: [01]*0[01]0[01]*",
    "",
    "; Aufbau der Befehle:",
    "; Ausgangszustand Eingabezeichen -> Folgezustand",
    "",
    "; Außer dem Anfangs- und Endzustand sind nur die Zustände 0..9 erlaubt.",
    "; Während der Ausführung werden die Übergänge zwischen den",
    "; Mengenzuständen des NEA angezeigt.",
    "",
    "; Der Epsilonübergang wird mit dem Unterstrich \"_\" angegeben.",
    "",
    "",
    "a 0 -> a",
    "a 0 -> 1",
    "a 1 -> a",
    "1 0 -> 2",
    "1 1 -> 2",
    "2 0 -> e",
    "e 1 -> e",
    "e 0 -> e",
    "",
};

// MKellerautomat
const char* const kKALines[] = {
    "; Beispiel für einen Kellerautomaten",
    "; Die Programmzeilen sind wie folgt aufgebaut:",
    "; Zustand Eingabezeichen Kellerzeichen -> Kelleroperation Folgezustand",
    "; der leere Keller wird durch das Zeichen # dargestellt",
    "",
    "e:a",
    "",
    "a ( # -> push ( a",
    "a ( ( -> push ( a",
    "a ) ( -> pop a",
    "a ) # -> nop f",
    "",
};

// MTuringmaschine
const char* const kTMLines[] = {
    "; Beispiel für die Turingmaschine f(n, m) = n + m",
    "; unäre Addition der beiden durch # getrennten Summanden",
    "",
    "; die Befehle sind wie folgt aufgebaut:",
    "; Zustand Eingabezeichen -> Ausgabezeichen Kopfbewegung Folgezustand ",
    "",
    "A * -> * K E",
    "A 1 -> 1 R 1",
    "A # -> * R E    ; 0 + x",
    "1 1 -> 1 R 1",
    "1 # -> # R 2",
    "2 1 -> 1 R 2",
    "2 * -> * L 3",
    "3 1 -> * L 4",
    "3 # -> * L 6   ; x + 0",
    "4 1 -> 1 L 4",
    "4 # -> 1 L 5",
    "5 1 -> 1 L 5",
    "5 * -> * R E",
    "6 1 -> 1 L 6   ; x + 0",
    "6 * -> * R E",
};

}  // namespace

namespace {

std::vector<std::string> Utf8Lines(MachineKind kind) {
  switch (kind) {
    case MachineKind::DEA: return {std::begin(kDEALines), std::end(kDEALines)};
    case MachineKind::Akz: return {std::begin(kAKZLines), std::end(kAKZLines)};
    case MachineKind::NEA: return {std::begin(kNEALines), std::end(kNEALines)};
    case MachineKind::KA: return {std::begin(kKALines), std::end(kKALines)};
    case MachineKind::TM: return {std::begin(kTMLines), std::end(kTMLines)};
  }
  return {};
}

}  // namespace

std::vector<std::string> ExampleLines(MachineKind kind) {
  std::vector<std::string> lines = Utf8Lines(kind);
  for (std::string& line : lines) line = ToMachineText(line);
  return lines;
}

std::string ExampleText(MachineKind kind) {
  const std::vector<std::string> lines = Utf8Lines(kind);
  std::string text;
  for (std::size_t i = 0; i < lines.size(); ++i) text += (i > 0 ? "\n" : "") + lines[i];
  return text;
}

std::string ExampleTape(MachineKind kind, std::uint32_t head, int tapeWidth) {
  switch (kind) {
    case MachineKind::DEA: return "sskkss";
    case MachineKind::Akz: return "11011";
    case MachineKind::NEA: return "00101110";
    case MachineKind::KA: return "(()())";
    case MachineKind::TM: {
      const std::int64_t before = static_cast<std::int64_t>(head) - 1;
      const std::int64_t after = static_cast<std::int64_t>(tapeWidth) - static_cast<std::int64_t>(head) - 4;
      return std::string(before > 0 ? static_cast<std::size_t>(before) : 0, kTmBlank) + "111#11" +
             std::string(after > 0 ? static_cast<std::size_t>(after) : 0, kTmBlank);
    }
  }
  return "";
}

}  // namespace automaten
