#include "tfinfo.h"

#include <QPlainTextEdit>
#include <QPushButton>

#include "fonts.h"
#include "textwindow.h"

namespace automaten {

namespace {

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

}  // namespace

TFInfo::TFInfo(QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("FInfo"));
  setWindowTitle(QStringLiteral("Info"));
  setModal(false);
  BuildTextWindow(this, Memo1, Button1, 75);
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
