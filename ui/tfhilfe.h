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

}  // namespace automaten
