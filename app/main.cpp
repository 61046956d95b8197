// The window program: the main window, then the hidden help and info windows.
#include <QApplication>

#include "ui/tfhilfe.h"
#include "ui/tform1.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Automaten"));
  automaten::TForm1 form;
  automaten::TFHilfe help;
  automaten::TFInfo info;
  form.SetSecondaryWindows(&help, &info);
  form.show();
  return app.exec();
}
