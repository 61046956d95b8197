// The window program: the main window, then the hidden help and info windows.
#include <QApplication>
#include <QCommandLineParser>
#include <QFileInfo>
#include <QIcon>
#include <QLibraryInfo>
#include <QTranslator>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>

#include "ui/diagrampane.h"
#include "ui/tfhilfe.h"
#include "ui/tfinfo.h"
#include "ui/tform1.h"

namespace {

// --help and --version answer on the terminal, without a display.
bool AsksForText(int argc, char** argv) {
  for (int i = 1; i < argc; ++i)
    for (const char* option : {"--help", "-h", "-?", "--help-all", "--version", "-v"})
      if (std::strcmp(argv[i], option) == 0) return true;
  return false;
}

}  // namespace

int main(int argc, char** argv) {
  const std::unique_ptr<QCoreApplication> app = AsksForText(argc, argv) ? std::make_unique<QCoreApplication>(argc, argv)
                                                                        : std::make_unique<QApplication>(argc, argv);
  QCoreApplication::setApplicationName(QStringLiteral("automaten"));
  QCoreApplication::setApplicationVersion(QStringLiteral(AUTOMATEN_VERSION));
  // The toolkit's own texts (file dialogs, buttons, the options' help) in German.
  QTranslator qtTexts;
  if (qtTexts.load(QLocale(QLocale::German), QStringLiteral("qtbase"), QStringLiteral("_"),
                   QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
    QCoreApplication::installTranslator(&qtTexts);

  QCommandLineParser options;
  options.setApplicationDescription(
      QStringLiteral("Automaten und Turingmaschinen schrittweise simulieren. Ohne DATEI kommt das zuletzt "
                     "benutzte Programm wieder; die Art steht in der Zeile \"; Art: ...\" der Datei."));
  options.addHelpOption();
  options.addVersionOption();
  options.addPositionalArgument(QStringLiteral("DATEI"), QStringLiteral("ein Automatenprogramm, das geöffnet wird"),
                                QStringLiteral("[DATEI]"));
  options.process(*app);
  if (options.positionalArguments().size() > 1) {
    std::fputs("automaten: höchstens eine DATEI\n", stderr);
    return 64;
  }
  // The desktop matches the window to its menu entry and shows its icon.
  QGuiApplication::setDesktopFileName(QStringLiteral("de.automaten.automaten"));
  QIcon builtIn(QStringLiteral(":/automaten-48.png"));
  builtIn.addFile(QStringLiteral(":/automaten-256.png"));
  QApplication::setWindowIcon(QIcon::fromTheme(QStringLiteral("automaten"), builtIn));

  automaten::TForm1 form;
  automaten::TFHilfe help;
  automaten::TFInfo info;
  form.SetSecondaryWindows(&help, &info);
  if (!options.positionalArguments().isEmpty())
    form.OpenAtStart(QFileInfo(options.positionalArguments().front()).absoluteFilePath());
  form.show();
  const int status = QApplication::exec();
  // The settings are written when the window closes. A Graphviz layout that
  // may still take minutes is not waited for: the program ends at once.
  if (automaten::DiagramPane::LayoutsRunning()) {
    std::fflush(nullptr);
    std::_Exit(status);
  }
  return status;
}
