#include "dialogs.h"

#include <QCheckBox>
#include <QClipboard>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QInputDialog>
#include <QLabel>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QPushButton>
#include <QVBoxLayout>

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

std::unique_ptr<QPrinter> QtDialogs::ChoosePrinter(QWidget* parent, const PrintParts& offered, PrintParts& chosen) {
  // With more than the program to offer, the parts come first, in plain view.
  if (offered.diagram || offered.tests) {
    QDialog parts(parent);
    parts.setWindowTitle(QStringLiteral("Drucken"));
    InWindowFont(parts, parent);
    auto* layout = new QVBoxLayout(&parts);
    layout->addWidget(new QLabel(QStringLiteral("Was soll gedruckt werden?"), &parts));
    const auto box = [&parts, layout](const QString& text, bool offer, bool tick) {
      auto* b = new QCheckBox(text, &parts);
      b->setEnabled(offer);
      b->setChecked(offer && tick);
      layout->addWidget(b);
      return b;
    };
    QCheckBox* program = box(QStringLiteral("&Programm"), offered.program, chosen.program);
    QCheckBox* diagram = box(QStringLiteral("&Zustandsdiagramm"), offered.diagram, chosen.diagram);
    QCheckBox* tests = box(QStringLiteral("&Testergebnisse"), offered.tests, chosen.tests);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &parts);
    buttons->button(QDialogButtonBox::Ok)->setText(QStringLiteral("&Weiter..."));
    buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("Abbrechen"));
    QObject::connect(buttons, &QDialogButtonBox::accepted, &parts, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &parts, &QDialog::reject);
    const auto some = [=] {
      buttons->button(QDialogButtonBox::Ok)
          ->setEnabled(program->isChecked() || diagram->isChecked() || tests->isChecked());
    };
    for (QCheckBox* b : {program, diagram, tests}) QObject::connect(b, &QCheckBox::toggled, &parts, some);
    layout->addWidget(buttons);
    if (parts.exec() != QDialog::Accepted) return nullptr;
    chosen = {program->isChecked(), diagram->isChecked(), tests->isChecked()};
  }
  auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
  QPrintDialog dialog(printer.get(), parent);
  dialog.setWindowTitle(QStringLiteral("Drucken"));
  InWindowFont(dialog, parent);
  if (dialog.exec() != QDialog::Accepted) return nullptr;
  return printer;
}

bool QtDialogs::ComparisonResult(QWidget* parent, const QString& text, bool offersWord) {
  QMessageBox box(QMessageBox::Information, QStringLiteral("Vergleichen"), text, QMessageBox::Ok, parent);
  InWindowFont(box, parent);
  QPushButton* onTape =
      offersWord ? box.addButton(QStringLiteral("Wort auf das Band"), QMessageBox::ActionRole) : nullptr;
  box.exec();
  return onTape != nullptr && box.clickedButton() == onTape;
}

std::optional<QString> QtDialogs::AskText(QWidget* parent, const QString& title, const QString& label,
                                          const QString& text, bool lines) {
  QInputDialog dialog(parent);
  InWindowFont(dialog, parent);
  dialog.setWindowTitle(title);
  dialog.setLabelText(label);
  dialog.setTextValue(text);
  dialog.setOption(QInputDialog::UsePlainTextEditForTextInput, lines);
  dialog.setOkButtonText(QStringLiteral("OK"));
  dialog.setCancelButtonText(QStringLiteral("Abbrechen"));
  if (lines) dialog.resize(dialog.fontMetrics().averageCharWidth() * 60, dialog.fontMetrics().height() * 16);
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  return dialog.textValue();
}

void QtDialogs::ShowText(QWidget* parent, const QString& title, const QString& text) {
  QDialog box(parent);
  InWindowFont(box, parent);
  box.setWindowTitle(title);
  auto* layout = new QVBoxLayout(&box);
  auto* view = new QPlainTextEdit(text, &box);
  view->setObjectName(QStringLiteral("Ergebnis"));
  view->setAccessibleName(title);
  view->setReadOnly(true);
  view->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
  view->setLineWrapMode(QPlainTextEdit::WidgetWidth);
  layout->addWidget(view);
  auto* buttons = new QDialogButtonBox(&box);
  QPushButton* copy = buttons->addButton(QStringLiteral("&Kopieren"), QDialogButtonBox::ActionRole);
  QPushButton* close = buttons->addButton(QStringLiteral("Schließen"), QDialogButtonBox::RejectRole);
  close->setDefault(true);
  QObject::connect(copy, &QPushButton::clicked, &box, [text] { QGuiApplication::clipboard()->setText(text); });
  QObject::connect(buttons, &QDialogButtonBox::rejected, &box, &QDialog::reject);
  layout->addWidget(buttons);
  box.resize(box.fontMetrics().averageCharWidth() * 70, box.fontMetrics().height() * 14);
  box.exec();
}

}  // namespace automaten
