// UI tests run the real window on Qt's offscreen platform in a German locale.
#include <gtest/gtest.h>

#include <QApplication>
#include <QLocale>
#include <QTemporaryDir>
#include <cstdlib>

int main(int argc, char** argv) {
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
  // The window keeps its configuration in a folder of the test's: never the user's.
  QTemporaryDir home;
  setenv("TMPDIR", home.path().toLocal8Bit().constData(), 1);
  setenv("XDG_CONFIG_HOME", (home.path() + QStringLiteral("/config")).toLocal8Bit().constData(), 1);
  unsetenv("AUTOMATEN_CONFIG");
  QApplication app(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
