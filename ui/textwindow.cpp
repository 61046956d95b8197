#include "textwindow.h"

#include <QDialog>
#include <QHBoxLayout>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "fonts.h"

namespace automaten {

void BuildTextWindow(QDialog* d, QPlainTextEdit*& memo, QPushButton*& button, int buttonWidth) {
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

void ShowAndRaise(QWidget* window) {
  window->show();
  window->raise();
  window->activateWindow();
}

}  // namespace automaten
