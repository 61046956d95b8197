#include "tfinfo.h"

#include <QPlainTextEdit>
#include <QPushButton>

#include "control/help.h"
#include "fonts.h"
#include "textwindow.h"

namespace automaten {

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

QString TFInfo::AboutText() { return QString::fromUtf8(automaten::AboutText().c_str()); }

}  // namespace automaten
