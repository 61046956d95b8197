// A one-line field that tells when it has painted. QLineEdit settles its
// horizontal scrolling only while painting, so what depends on the scrolled
// position (the head marker) is checked right after.
#pragma once

#include <QLineEdit>
#include <functional>

namespace automaten {

class TapeField : public QLineEdit {
 public:
  using QLineEdit::QLineEdit;
  std::function<void()> afterPaint;

 protected:
  void paintEvent(QPaintEvent* event) override {
    QLineEdit::paintEvent(event);
    if (afterPaint) afterPaint();
  }
};

}  // namespace automaten
