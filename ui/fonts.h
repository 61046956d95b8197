// The window's fonts: the fixed-pitch "Courier New" of tape, labels and
// program (fonts-liberation supplies its metric twin), and the window font.
#pragma once

#include <QFont>

namespace automaten {

inline QFont Courier(int pixels) {
  QFont f(QStringLiteral("Courier New"));
  f.setStyleHint(QFont::TypeWriter);
  f.setFixedPitch(true);
  f.setPixelSize(pixels);
  return f;
}

// "MS Sans Serif" where it exists, else the platform's sans-serif font.
inline QFont WindowFont(int pixels) {
  QFont f(QStringLiteral("MS Sans Serif"));
  f.setStyleHint(QFont::SansSerif);
  f.setPixelSize(pixels);
  return f;
}

}  // namespace automaten
