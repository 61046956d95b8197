#include "tfhilfe.h"

#include <QPlainTextEdit>
#include <QTextDocument>

#include "control/help.h"
#include "textwindow.h"

namespace automaten {

TFHilfe::TFHilfe(QWidget* parent) : TextWindow(parent, 13, 57) {
  setObjectName(QStringLiteral("FHilfe"));
  setWindowTitle(QStringLiteral("Hilfe"));
  Memo1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  SetBounds(255, 163, 649, 392);
}

void TFHilfe::showEvent(QShowEvent* event) {
  if (Memo1->document()->isEmpty()) Memo1->setPlainText(HelpText());
  TextWindow::showEvent(event);
}

QString TFHilfe::HelpText() { return QString::fromUtf8(automaten::HelpText().c_str()); }

}  // namespace automaten
