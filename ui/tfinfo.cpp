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
    "2026  Parser, Schrittregeln und NEA-Mengen",
    "2026  Ablaufsteuerung und automaten-cli",
    "2026  Hauptfenster mit Menü und Symbolleiste",
    "2026  Hilfe- und Infofenster",
    "2026  Programmdateien und Drucken",
    "2026  Konfiguration und Wiederherstellung",
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
