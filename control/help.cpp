#include "help.h"

#include <cstddef>

namespace automaten {

namespace {

const char* const kHelpLines[] = {
    "Hinweise zur Bedienung",
    "",
    "Über die Symbolleiste wählt man den gewünschten Automatentyp aus:",
    "- deterministischer endlicher Automat mit Ausgabe (DEA)",
    "- deterministischer endlicher Automat ohne Ausgabe (Akzeptor, Akz)",
    "- nichtdeterministischer endlicher Automat (NEA)",
    "  mit oder ohne Epsilon-Übergänge",
    "- Kellerautomat (KA)",
    "- Turingmaschine (TM)",
    "",
    "Über das Menü kann man ein Automaten-Beispiel laden, dabei gilt:",
    "- das Eingabeband wird mit einem Eingabestring belegt",
    "- beim DEA wird das Ausgabeband geleert",
    "- beim Kellerautomaten wird der Keller mit # initialisiert (leerer Keller)",
    "",
    "Die Bandbelegung trägt man direkt in die obere Zeile ein.",
    "",
    "Die Zustandsübergänge werden im unteren Textfenster geschrieben, wobei für",
    "das Format der Zustandsübergänge der Automatentyp zu berücksichtigen ist.",
    "Kommentare werden mit \";\" eingeleitet und gelten bis zum Ende einer Zeile",
    "",
    "Übergang:",
    "  DEA: Zustand Eingabezeichen -> Ausgabezeichen Folgezustand",
    "  Akz: Zustand Eingabezeichen -> Folgezustand",
    "  NEA: Zustand Eingabezeichen -> Folgezustand",
    "  KA : Zustand Eingabezeichen Kellerzeichen -> Kelleroperation Folgezustand",
    "  TM : Zustand Eingabezeichen -> Ausgabezeichen Kopfbewegung Folgezustand",
    "",
    "erlaubte Zustände:",
    "  a, A, 0 Anfangszustand",
    "  e, E    Endzustand",
    "  f, F    Fehlerzustand",
    "  Zahlen für weitere Zustände",
    "",
    "erlaubte Ein-/Ausgabe- und Kellerzeichen:",
    "  alle Zeichen",
    "  # ist das Zeichen für den leeren Keller",
    "  _ spontaner Epsilon-Übergang",
    "",
    "Kelleroperation",
    "  push Zeichen",
    "  pop",
    "  nop",
    "",
    "Kopfbewegung der Turingmaschine",
    "  k, K (keine)",
    "  l, L (links)",
    "  r, R (rechts)",
    "",
    "E und e stehen für einen Endzustand. Zusätzliche Endzustände können wie",
    "folgt definiert werden:  E: A 7 12",
    "legt fest, dass auch die Zustände A, 7 und 12 Endzustände sind.",
    "",
    "Besonderheiten des Kellerautomaten",
    "  Wenn beim Kellerautomaten keine Endzustände definiert sind, so",
    "  akzeptiert er bei leerer Eingabe und gleichzeitig leerem Keller.",
    "  Ist ein Endzustand definiert, das kann auch explizites Definieren",
    "  von E als Endzustand sein (E: E), so akzeptiert er nur, wenn die",
    "  Eingabe abgearbeitet, der Keller leer und ein Endzustand erreicht",
    "  ist.",
    "",
    "Besonderheiten des NEA:",
    "- der Epsilon-Übergang wird mit dem Unterstrich _ dargestellt",
    "- angezeigt werden die Mengen-Übergänge",
    "",
    "Die Automaten können schrittweise oder automatisch arbeiten. Mit dem",
    "Frequenzregler stellen Sie die Geschwindigkeit des automatischen",
    "Betriebs ein. Sie können jederzeit mit den zugehörigen Symbolen",
    "zwischen schrittweise und automatisch umschalten.",
    "",
    "Nach jedem Arbeitsschritt werden die Position des Schreib/Lesekopfes,",
    "der aktuelle Zustand, der nächste Übergang und die bisherige Schrittzahl",
    "angezeigt.",
    "",
    "Beim schrittweisen Ausführen kann man sich daher jeweils überlegen,",
    "was der Automat im nächsten Schritt macht und dies dann anschließend",
    "kontrollieren.",
    "",
    "",
    "",
};

const char* const kAboutLines[] = {
    "",
    "Automaten - Simulation von Automaten",
    "",
    "Entwicklung:        Dresden, 2026",
    "Test und Didaktik:  Leipzig, 2026",
    "",
    "Historie:",
    "2026  fünf Automatenarten mit Beispielen",
    "2026  Einzelschritt und automatischer Ablauf",
    "2026  Programme laden, speichern, drucken",
    "2026  Bedienungshilfe",
    "2026  lange Bänder ohne Verzögerung",
    "2026  Zoom für den Beamer",
};

template <std::size_t N>
std::string JoinLines(const char* const (&lines)[N]) {
  std::string text;
  for (std::size_t i = 0; i < N; ++i) {
    if (i > 0) text += '\n';
    text += lines[i];
  }
  return text;
}

}  // namespace

std::string HelpText() { return JoinLines(kHelpLines); }
std::string AboutText() { return JoinLines(kAboutLines); }

}  // namespace automaten
