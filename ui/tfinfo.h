// The info window: the program's name and history. Modeless like the help.
#pragma once

#include "textwindow.h"

namespace automaten {

class TFInfo : public TextWindow {
  Q_OBJECT
 public:
  explicit TFInfo(QWidget* parent = nullptr);
  static QString AboutText();
};

}  // namespace automaten
