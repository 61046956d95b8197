#include "tfhilfe.h"

#include "fonts.h"

#include <QHBoxLayout>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

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
    "2026  Parser, Schrittregeln und NEA-Mengen",
    "2026  Ablaufsteuerung und automaten-cli",
    "2026  Hauptfenster mit Menü und Symbolleiste",
    "2026  Hilfe- und Infofenster",
    "2026  Programmdateien und Drucken",
    "2026  Konfiguration und Wiederherstellung",
};

template <std::size_t N>
QString JoinLines(const char* const (&lines)[N]) {
  QStringList list;
  for (const char* line : lines) list << QString::fromUtf8(line);
  return list.join(QLatin1Char('\n'));
}


// A text area over a centred "OK" button; the area grows with the window.
void Build(QDialog* d, QPlainTextEdit*& memo, QPushButton*& button, int buttonWidth) {
  d->setFont(WindowFont(11));
  memo = new QPlainTextEdit(d);
  memo->setObjectName(QStringLiteral("Memo1"));
  button = new QPushButton(QStringLiteral("OK"), d);
  button->setObjectName(QStringLiteral("Button1"));
  button->setFixedSize(buttonWidth, 25);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(button);
  buttons->addStretch();
  auto* layout = new QVBoxLayout(d);
  layout->setContentsMargins(8, 8, 8, 8);
  layout->addWidget(memo);
  layout->addLayout(buttons);
}

}  // namespace

void ShowAndRaise(QWidget* window) {
  window->show();
  window->raise();
  window->activateWindow();
}

TFHilfe::TFHilfe(QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("FHilfe"));
  setWindowTitle(QStringLiteral("Hilfe"));
  setModal(false);
  Build(this, Memo1, Button1, 57);
  Memo1->setFont(Courier(13));
  Memo1->setLineWrapMode(QPlainTextEdit::WidgetWidth);
  Memo1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  Memo1->setPlainText(HelpText());
  connect(Button1, &QPushButton::clicked, this, &TFHilfe::Button1Click);
  setGeometry(255, 163, 649, 392);
}

QString TFHilfe::HelpText() { return JoinLines(kHelpLines); }

TFInfo::TFInfo(QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("FInfo"));
  setWindowTitle(QStringLiteral("Info"));
  setModal(false);
  Build(this, Memo1, Button1, 75);
  Memo1->setFont(Courier(11));
  Memo1->setLineWrapMode(QPlainTextEdit::WidgetWidth);
  Memo1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  Memo1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  Memo1->setPlainText(AboutText());
  connect(Button1, &QPushButton::clicked, this, &TFInfo::Button1Click);
  setGeometry(341, 222, 373, 284);
}

QString TFInfo::AboutText() { return JoinLines(kAboutLines); }

}  // namespace automaten
