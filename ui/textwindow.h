// What the help and info windows share: a text area over a centred "OK"
// button, shown without blocking the main window.
#pragma once

class QDialog;
class QPlainTextEdit;
class QPushButton;
class QWidget;

namespace automaten {

// Fills the dialog with the text area and the button; the area grows with it.
void BuildTextWindow(QDialog* dialog, QPlainTextEdit*& memo, QPushButton*& button, int buttonWidth);
// Shows a modeless window, or brings it to the front when it is shown already.
void ShowAndRaise(QWidget* window);

}  // namespace automaten
