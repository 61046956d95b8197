#include "tfhilfe.h"

#include <QPlainTextEdit>
#include <QPushButton>

#include "fonts.h"
#include "textwindow.h"

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

}  // namespace

TFHilfe::TFHilfe(QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("FHilfe"));
  setWindowTitle(QStringLiteral("Hilfe"));
  setModal(false);
  BuildTextWindow(this, Memo1, Button1, 57);
  Memo1->setFont(Courier(13));
  Memo1->setLineWrapMode(QPlainTextEdit::WidgetWidth);
  Memo1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  Memo1->setPlainText(HelpText());
  connect(Button1, &QPushButton::clicked, this, &TFHilfe::Button1Click);
  setGeometry(255, 163, 649, 392);
}

QString TFHilfe::HelpText() { return JoinLines(kHelpLines); }

}  // namespace automaten
