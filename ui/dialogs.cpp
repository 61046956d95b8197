#include "dialogs.h"

#include <QFileDialog>
#include <QMessageBox>
#include <QPrinter>
#include <QPrinterInfo>
#include <QPushButton>

namespace automaten {

namespace {

// A box in the font of the window it belongs to, which follows the zoom
// (a window of its own takes no font from its parent).
void InWindowFont(QWidget& box, const QWidget* parent) {
  if (parent != nullptr) box.setFont(parent->window()->font());
}

}  // namespace

void QtDialogs::Message(QWidget* parent, const QString& text) {
  QMessageBox box(QMessageBox::NoIcon, QStringLiteral("Automaten"), text, QMessageBox::Ok, parent);
  InWindowFont(box, parent);
  box.exec();
}

bool QtDialogs::MessageWithSwitch(QWidget* parent, const QString& text) {
  QMessageBox box(QMessageBox::NoIcon, QStringLiteral("Automaten"), text, QMessageBox::Ok, parent);
  InWindowFont(box, parent);
  QPushButton* change = box.addButton(QStringLiteral("Umschalten"), QMessageBox::ActionRole);
  box.exec();
  return box.clickedButton() == change;
}

Answer QtDialogs::SaveQuestion(QWidget* parent, const QString& text) {
  QMessageBox box(QMessageBox::Question, QStringLiteral("Bestätigen"), text, QMessageBox::NoButton, parent);
  InWindowFont(box, parent);
  QPushButton* yes = box.addButton(QStringLiteral("&Ja"), QMessageBox::YesRole);
  QPushButton* no = box.addButton(QStringLiteral("&Nein"), QMessageBox::NoRole);
  QPushButton* cancel = box.addButton(QStringLiteral("Abbrechen"), QMessageBox::RejectRole);
  box.setDefaultButton(yes);
  box.setEscapeButton(cancel);
  box.exec();
  if (box.clickedButton() == yes) return Answer::Ja;
  if (box.clickedButton() == no) return Answer::Nein;
  return Answer::Abbrechen;
}

void QtDialogs::Error(QWidget* parent, const QString& text) {
  QMessageBox box(QMessageBox::Critical, QStringLiteral("Automaten"), text, QMessageBox::Ok, parent);
  InWindowFont(box, parent);
  box.exec();
}

QString QtDialogs::ChooseFile(QWidget* parent, File kind, const QString& suggestion) {
  QFileDialog dialog(parent);
  switch (kind) {
    case File::Open:
      dialog.setAcceptMode(QFileDialog::AcceptOpen);
      dialog.setFileMode(QFileDialog::AnyFile);
      dialog.setNameFilters({QStringLiteral("TXT (*.txt)"), QStringLiteral("DTA (*.dta)"), QStringLiteral("Alle (*)")});
      if (!suggestion.isEmpty()) dialog.selectFile(suggestion);
      break;
    case File::Save:
      dialog.setAcceptMode(QFileDialog::AcceptSave);  // asks before replacing a file
      dialog.setNameFilters({QStringLiteral("TXT (*.txt)")});
      dialog.setDefaultSuffix(QStringLiteral("txt"));
      break;
    case File::ExportDiagram:
      dialog.setWindowTitle(QStringLiteral("Diagramm exportieren"));
      dialog.setAcceptMode(QFileDialog::AcceptSave);
      dialog.setNameFilters({QStringLiteral("SVG (*.svg)"), QStringLiteral("PNG (*.png)")});
      dialog.setDefaultSuffix(QStringLiteral("svg"));
      QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog, [&dialog](const QString& filter) {
        dialog.setDefaultSuffix(filter.startsWith(QStringLiteral("PNG")) ? QStringLiteral("png")
                                                                         : QStringLiteral("svg"));
      });
      break;
  }
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
  return dialog.selectedFiles().first();
}

std::unique_ptr<QPrinter> QtDialogs::DefaultPrinter() {
  const QPrinterInfo info = QPrinterInfo::defaultPrinter();
  if (info.isNull()) return nullptr;
  return std::make_unique<QPrinter>(info, QPrinter::HighResolution);
}

bool QtDialogs::ComparisonResult(QWidget* parent, const QString& text, bool offersWord) {
  QMessageBox box(QMessageBox::Information, QStringLiteral("Vergleichen"), text, QMessageBox::Ok, parent);
  InWindowFont(box, parent);
  QPushButton* onTape =
      offersWord ? box.addButton(QStringLiteral("Wort auf das Band"), QMessageBox::ActionRole) : nullptr;
  box.exec();
  return onTape != nullptr && box.clickedButton() == onTape;
}

}  // namespace automaten
