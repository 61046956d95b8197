// The window program: the main window, then the hidden help and info windows.
#include <QApplication>
#include <QLibraryInfo>
#include <QTranslator>
#include <cstdio>
#include <cstdlib>

#include "ui/diagrampane.h"
#include "ui/tfhilfe.h"
#include "ui/tfinfo.h"
#include "ui/tform1.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Automaten"));
  // The toolkit's own dialogs (file dialogs, buttons) speak German too.
  QTranslator qtTexts;
  if (qtTexts.load(QLocale(QLocale::German), QStringLiteral("qtbase"), QStringLiteral("_"),
                   QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
    QApplication::installTranslator(&qtTexts);
  automaten::TForm1 form;
  automaten::TFHilfe help;
  automaten::TFInfo info;
  form.SetSecondaryWindows(&help, &info);
  form.show();
  const int status = app.exec();
  // The settings are written when the window closes. A Graphviz layout that
  // may still take minutes is not waited for: the program ends at once.
  if (automaten::DiagramPane::LayoutsRunning()) {
    std::fflush(nullptr);
    std::_Exit(status);
  }
  return status;
}
