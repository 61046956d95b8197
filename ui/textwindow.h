// What the help and info windows share: a text area over a centred "OK"
// button, shown without blocking the main window.
#pragma once

#include <QString>
#include <iterator>

class QDialog;
class QPlainTextEdit;
class QPushButton;
class QWidget;

namespace automaten {

// Fills the dialog with the text area and the button; the area grows with it.
void BuildTextWindow(QDialog* dialog, QPlainTextEdit*& memo, QPushButton*& button, int buttonWidth);
// A fixed text given line by line (UTF-8), joined with line breaks.
QString JoinLines(const char* const* first, const char* const* last);
template <std::size_t N>
QString JoinLines(const char* const (&lines)[N]) {
  return JoinLines(std::begin(lines), std::end(lines));
}
// Shows a modeless window, or brings it to the front when it is shown already.
void ShowAndRaise(QWidget* window);

}  // namespace automaten
