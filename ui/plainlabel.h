// A label that paints its one line of plain text itself, with the layout of
// the text kept from one paint to the next: the status labels change at
// every step, and QLabel lays its text out anew at every paint.
#pragma once

#include <QLabel>
#include <QPainter>
#include <QStaticText>

namespace automaten {

class PlainLabel : public QLabel {
 public:
  using QLabel::QLabel;

 protected:
  void paintEvent(QPaintEvent*) override {
    if (shown_.text() != text()) {
      shown_.setText(text());
      shown_.setTextFormat(Qt::PlainText);
    }
    QPainter p(this);
    p.setFont(font());
    p.setPen(palette().color(foregroundRole()));
    p.drawStaticText(contentsRect().topLeft(), shown_);
  }

 private:
  QStaticText shown_;
};

}  // namespace automaten
