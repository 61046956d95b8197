// The info window: the program's name and history. Modeless like the help.
#pragma once

#include <QDialog>

class QPlainTextEdit;
class QPushButton;

namespace automaten {

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

}  // namespace automaten
