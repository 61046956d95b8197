// What the help and info windows share: a text area over a centred "OK"
// button, shown without blocking the main window, at the window's zoom.
#pragma once

#include <QDialog>
#include <QSize>

class QPlainTextEdit;
class QPushButton;
class QWidget;

namespace automaten {

class TextWindow : public QDialog {
  Q_OBJECT
 public:
  // The text in the fixed-pitch font of `textPixels` and the button of
  // `buttonWidth` at 100 %; "OK" and the close box only hide the window.
  TextWindow(QWidget* parent, int textPixels, int buttonWidth);

  // Text, button and the window's size follow the main window's zoom, as far as the screen has room.
  void SetZoom(int percent);

  QPlainTextEdit* Memo1;
  QPushButton* Button1;

 protected:
  // The window's place and its size at 100 %.
  void SetBounds(int left, int top, int width, int height);

 private:
  int textPixels_;
  int buttonWidth_;
  QSize size_;
  int zoom_ = 100;
};

// Shows a modeless window, or brings it to the front when it is shown already.
void ShowAndRaise(QWidget* window);

}  // namespace automaten
