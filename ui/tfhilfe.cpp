#include "tfhilfe.h"

#include <QPlainTextEdit>
#include <QPushButton>

#include "control/help.h"
#include "fonts.h"
#include "textwindow.h"

namespace automaten {

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

QString TFHilfe::HelpText() { return QString::fromUtf8(automaten::HelpText().c_str()); }

}  // namespace automaten
