// The help window: the operating guide with the program syntax of every
// machine kind. Modeless; "OK" and the close box only hide it.
#pragma once

#include <QDialog>

class QPlainTextEdit;
class QPushButton;

namespace automaten {

class TFHilfe : public QDialog {
  Q_OBJECT
 public:
  explicit TFHilfe(QWidget* parent = nullptr);
  static QString HelpText();

  QPlainTextEdit* Memo1;
  QPushButton* Button1;

 private:
  void Button1Click() { hide(); }
};

// The info window: the program's name and history. Modeless like the help.
class TFInfo : public QDialog {
  Q_OBJECT
 public:
  explicit TFInfo(QWidget* parent = nullptr);
  static QString AboutText();

  QPlainTextEdit* Memo1;
  QPushButton* Button1;

 private:
  void Button1Click() { hide(); }
};

// Shows a modeless window, or brings it to the front when it is shown already.
void ShowAndRaise(QWidget* window);

}  // namespace automaten
