#include "textwindow.h"

#include <QHBoxLayout>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>

#include "fonts.h"

namespace automaten {

TextWindow::TextWindow(QWidget* parent, int textPixels, int buttonWidth)
    : QDialog(parent), textPixels_(textPixels), buttonWidth_(buttonWidth) {
  setModal(false);
  Memo1 = new QPlainTextEdit(this);
  Memo1->setObjectName(QStringLiteral("Memo1"));
  Memo1->setLineWrapMode(QPlainTextEdit::WidgetWidth);
  Button1 = new QPushButton(QStringLiteral("OK"), this);
  Button1->setObjectName(QStringLiteral("Button1"));
  connect(Button1, &QPushButton::clicked, this, &QWidget::hide);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(Button1);
  buttons->addStretch();
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(8, 8, 8, 8);
  layout->addWidget(Memo1);
  layout->addLayout(buttons);
  SetZoom(100);
}

void TextWindow::SetBounds(int left, int top, int width, int height) {
  size_ = QSize(width, height);
  setGeometry(left, top, width, height);
  SetZoom(zoom_);
}

void TextWindow::SetZoom(int percent) {
  const double factor = percent / 100.0;
  const auto scaled = [factor](int pixels) { return std::max(1, static_cast<int>(std::lround(pixels * factor))); };
  const bool resized = percent != zoom_;
  zoom_ = percent;
  setFont(WindowFont(scaled(11)));
  Memo1->setFont(Courier(scaled(textPixels_)));
  Button1->setFixedSize(scaled(buttonWidth_), scaled(25));
  if (!resized || size_.isEmpty()) return;
  QSize size(scaled(size_.width()), scaled(size_.height()));
  if (screen() != nullptr) size = size.boundedTo(screen()->availableGeometry().size());
  resize(size);
}

void ShowAndRaise(QWidget* window) {
  window->show();
  window->raise();
  window->activateWindow();
}

}  // namespace automaten
