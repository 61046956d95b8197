// The help window: the operating guide with the program syntax of every
// machine kind. Modeless; "OK" and the close box only hide it.
#pragma once

#include "textwindow.h"

namespace automaten {

class TFHilfe : public TextWindow {
  Q_OBJECT
 public:
  explicit TFHilfe(QWidget* parent = nullptr);
  static QString HelpText();

 protected:
  // The text comes when the window is first shown: the start needs none of it.
  void showEvent(QShowEvent* event) override;
};

}  // namespace automaten
