#include "tfinfo.h"

#include <QPlainTextEdit>

#include "control/help.h"
#include "textwindow.h"

namespace automaten {

TFInfo::TFInfo(QWidget* parent) : TextWindow(parent, 11, 75) {
  setObjectName(QStringLiteral("FInfo"));
  setWindowTitle(QStringLiteral("Info"));
  Memo1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  Memo1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  Memo1->setPlainText(AboutText());
  SetBounds(341, 222, 373, 284);
}

QString TFInfo::AboutText() { return QString::fromUtf8(automaten::AboutText().c_str()); }

}  // namespace automaten
