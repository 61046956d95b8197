// The main window as the document session's host: file dialogs, program
// files written through QSaveFile, the configuration file and the trust in
// it, and printing.
#include <unistd.h>

#include <QAbstractTextDocumentLayout>
#include <QCloseEvent>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPrinter>
#include <QSaveFile>
#include <QStandardPaths>
#include <QStatusBar>
#include <QTextDocument>
#include <cstdio>
#include <filesystem>

#include "control/settings.h"
#include "diagramdock.h"
#include "savewhole.h"
#include "testdock.h"
#include "tfhilfe.h"
#include "tfinfo.h"
#include "tform1.h"

namespace automaten {

namespace {

// Where earlier versions kept them.
QString FormerConfigurationPath() { return QDir(QDir::tempPath()).filePath(QStringLiteral("automaten.ini")); }

}  // namespace

// A configuration file counts only when it is a plain file of this user's
// own, or one that only the administrator can change: a lab's fixed
// settings, read and never written.
ConfigurationAccess AccessOf(const QString& path, uint user) {
  const QFileInfo info(path);
  if (!info.exists() || info.isSymLink() || !info.isFile()) return ConfigurationAccess::Ignored;
  if (info.ownerId() == user) return ConfigurationAccess::Own;
  const bool othersWrite = info.permissions() & (QFileDevice::WriteGroup | QFileDevice::WriteOther);
  return info.ownerId() == 0 && !othersWrite ? ConfigurationAccess::Fixed : ConfigurationAccess::Ignored;
}

namespace {}  // namespace

// Where the settings are kept: a file named by AUTOMATEN_CONFIG (tests, lab
// machines), else the desktop's place for settings.
QString ConfigurationPath() {
  const QString named = qEnvironmentVariable("AUTOMATEN_CONFIG");
  if (!named.isEmpty()) return named;
  return QDir(QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation))
      .filePath(QStringLiteral("automaten/automaten.ini"));
}

std::string TForm1::ChooseFileToOpen(const std::string& suggestion) {
  return dialogs_.ChooseFile(this, Dialogs::File::Open, QString::fromStdString(suggestion)).toStdString();
}

std::string TForm1::ChooseFileToSave() { return dialogs_.ChooseFile(this, Dialogs::File::Save, {}).toStdString(); }

ProgramFile TForm1::ReadProgram(const std::string& path) {
  return ReadProgramFile(path, kMaxProgramBytes, /*regularOnly=*/true);
}

bool TForm1::WriteProgram(const std::string& path, const std::string& bytes, std::string& error) {
  QString reason;
  if (SaveWhole(QString::fromStdString(path), QByteArray::fromStdString(bytes), reason)) return true;
  error = reason.toStdString();
  return false;
}

bool TForm1::IsFile(const std::string& path) const {
  const QFileInfo info(QString::fromStdString(path));
  return info.exists() && !info.isDir();
}

// Settings of an earlier version in the temporary folder are read once, when
// the new place has none yet; they are written to the new place at close.
std::string TForm1::ReadConfiguration() {
  QString path = iniPath_;
  if (!QFileInfo::exists(path) && qEnvironmentVariable("AUTOMATEN_CONFIG").isEmpty()) path = FormerConfigurationPath();
  const ConfigurationAccess access = AccessOf(path, userId_);
  if (access == ConfigurationAccess::Ignored) return "";
  if (access == ConfigurationAccess::Fixed && !fixedSettings_) ShowFixedSettings(path);
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return "";
  const std::string text = file.read(kMaxProgramBytes).toStdString();
  // A file larger than is read (never one this program wrote) is replaced at
  // close by a fresh one of the settings read, after a notice.
  if (file.size() > static_cast<qint64>(kMaxProgramBytes)) {
    dialogs_.Message(this, QStringLiteral("Die Einstellungsdatei %1 ist größer als 1 MiB. Beim Beenden wird sie "
                                          "durch eine neue mit den gelesenen Einstellungen ersetzt.")
                               .arg(path));
    return WriteSettings("", ReadSettings(text));
  }
  return text;
}

// The settings of a lab, which only the administrator changes: kept as they
// are, and the status bar says so.
void TForm1::ShowFixedSettings(const QString& path) {
  fixedSettings_ = new QLabel(QStringLiteral("Feste Einstellungen"), statusBar());
  fixedSettings_->setObjectName(QStringLiteral("FixedSettings"));
  const QString why = QStringLiteral(
                          "Die Einstellungen kommen aus %1, die nur der Administrator ändern kann. "
                          "Sie werden beim Beenden nicht gespeichert.")
                          .arg(path);
  fixedSettings_->setToolTip(why);
  fixedSettings_->setAccessibleDescription(why);
  statusBar()->addPermanentWidget(fixedSettings_);
}

bool TForm1::WriteConfiguration(const std::string& bytes, std::string& error) {
  if (fixedSettings_) return true;  // never written
  error = QStringLiteral("In %1 kann nicht geschrieben werden").arg(iniPath_).toStdString();
  QDir().mkpath(QFileInfo(iniPath_).absolutePath());
  // A symbolic link put in our place is removed, never written through.
  if (QFileInfo(iniPath_).isSymLink() && !QFile::remove(iniPath_)) return false;
  QString reason;
  // The settings name files and folders of the user: for the user's eyes only.
  return SaveWhole(iniPath_, QByteArray::fromStdString(bytes), reason,
                   QFileDevice::ReadOwner | QFileDevice::WriteOwner);
}

std::string TForm1::ShownPath(const std::string& path) const {
  std::error_code ignored;
  const std::filesystem::path p = std::filesystem::absolute(path, ignored);
  return p.empty() ? path : p.string();
}

void TForm1::ShowError(const std::string& text) { dialogs_.Error(this, QString::fromStdString(text)); }

// The help and info windows close with the main window: the program ends.
void TForm1::closeEvent(QCloseEvent* event) {
  if (!session_.Close()) {
    event->ignore();
    return;
  }
  event->accept();
  for (QWidget* w : {static_cast<QWidget*>(help_), static_cast<QWidget*>(info_)})
    if (w) w->close();
}

// ---- Printing --------------------------------------------------------------------

// "&Drucken" (Ctrl+D): the program on the default printer without a dialog;
// where none is set up, the print dialog instead of only a message.
void TForm1::Print() {
  const std::unique_ptr<QPrinter> printer = dialogs_.DefaultPrinter();
  if (printer && printer->isValid())
    PrintJob(*printer, PrintParts{});
  else
    PrintWithDialog();
}

// "Drucken..." (Ctrl+P): the print dialog, with the choice of program,
// diagram (where one is drawn) and test results (where they are the text's).
void TForm1::PrintWithDialog() {
  const PrintParts offered{true, diagram_->CanPrint(), !tests_->CurrentResults().isEmpty()};
  PrintParts chosen;
  const std::unique_ptr<QPrinter> printer = dialogs_.ChoosePrinter(this, offered, chosen);
  if (!printer) return;
  PrintJob(*printer, {chosen.program, chosen.diagram && offered.diagram, chosen.tests && offered.tests});
}

// Each part on pages of its own, inside margins of 200 printer pixels left
// and right and 300 at top and bottom; texts in the window font.
void TForm1::PrintJob(QPrinter& printer, const PrintParts& parts) {
  printer.setDocName(QStringLiteral("Automatenprogramm"));
  printer.setFullPage(false);
  QPainter painter;
  if (!painter.begin(&printer)) {
    ShowError("Das Programm konnte nicht gedruckt werden.");
    return;
  }
  const QRect page = printer.pageLayout().paintRectPixels(printer.resolution());
  const QRect area(200, 300, std::max(page.width() - 400, 1), std::max(page.height() - 600, 1));
  QFont font(QStringLiteral("MS Sans Serif"));
  font.setStyleHint(QFont::SansSerif);
  font.setPointSize(10);
  bool first = true;
  const auto text = [&](const QString& content, bool html) {
    QTextDocument document;
    document.setDefaultFont(font);
    if (html)
      document.setHtml(content);
    else
      document.setPlainText(content);
    document.documentLayout()->setPaintDevice(&printer);
    document.setPageSize(area.size());
    const int pages = std::max(document.pageCount(), 1);
    for (int p = 0; p < pages; ++p) {
      if (!first) printer.newPage();
      first = false;
      painter.save();
      painter.translate(area.left(), area.top() - p * area.height());
      const QRectF clip(0, p * area.height(), area.width(), area.height());
      painter.setClipRect(clip);
      document.drawContents(&painter, clip);
      painter.restore();
    }
  };
  if (parts.program) text(MProgramm->toPlainText(), false);
  if (parts.diagram) {
    if (!first) printer.newPage();
    first = false;
    diagram_->Print(painter, area);
  }
  if (parts.tests) text(tests_->CurrentResults(), true);
  painter.end();
  session_.ShowFileStatus(" gedruckt.");
}

}  // namespace automaten
