// The main window's documents: program files, printing, the change prompt,
// and the configuration file with the start-up restoration.
#include <unistd.h>

#include <QCloseEvent>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPrinter>
#include <QPrinterInfo>
#include <QSaveFile>
#include <QTextDocument>

#include "io/rtf.h"
#include "machinetext.h"
#include "programtext.h"
#include "tform1.h"

namespace automaten {

namespace {

const char kSection[] = "Konfiguration";
constexpr qint64 kMaxProgramBytes = 1 << 20;
constexpr int kMaxIniString = 2047;

// The extension from the last '.', upper case; empty without a dot.
QString UpperExtension(const QString& name) {
  const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
  return dot < 0 ? QString() : name.mid(dot).toUpper();
}

QString OpenError(const QString& name, const QString& reason) {
  return QStringLiteral("Datei %1 kann nicht geöffnet werden. %2").arg(QFileInfo(name).absoluteFilePath(), reason);
}

// Reads a whole program file; false with the reason when it is no program.
bool ReadProgramBytes(const QString& name, QByteArray& bytes, QString& reason) {
  QFile file(name);
  if (QFileInfo(name).isDir()) {
    reason = QStringLiteral("Es ist ein Verzeichnis.");
    return false;
  }
  if (!file.open(QIODevice::ReadOnly)) {
    reason = file.errorString();
    return false;
  }
  if (file.size() > kMaxProgramBytes) {
    reason = QStringLiteral("Die Datei ist größer als 1 MiB und daher kein Automatenprogramm.");
    return false;
  }
  bytes = file.read(kMaxProgramBytes + 1);
  if (file.error() != QFileDevice::NoError) {
    reason = file.errorString();
    return false;
  }
  if (bytes.size() > kMaxProgramBytes) {
    reason = QStringLiteral("Die Datei ist größer als 1 MiB und daher kein Automatenprogramm.");
    return false;
  }
  if (bytes.contains('\0')) {
    reason = QStringLiteral("Die Datei enthält Nullbytes und ist daher kein Automatenprogramm.");
    return false;
  }
  return true;
}

// A configuration file in a shared folder counts only when it is a plain
// file of this user's own.
bool TrustedFile(const QString& path) {
  const QFileInfo info(path);
  return info.exists() && !info.isSymLink() && info.isFile() && info.ownerId() == ::getuid();
}

}  // namespace

// ---- Change prompt and file commands -----------------------------------------

bool TForm1::AskSaveChanges() {
  if (!sim_.FModified) return true;
  switch (AskSaveQuestion("Datei wurde ge\xE4ndert. Speichern?")) {
    case Answer::Ja: return MISpeichernClick();
    case Answer::Nein: return true;
    case Answer::Abbrechen: break;
  }
  return false;
}

void TForm1::NeuClick() {
  if (!AskSaveChanges()) return;
  MProgramm->clear();
  FFileName.clear();
  sim_.FModified = false;  // the empty program is not a change
  sim_.ShowStatus("Neue Datei");
}

void TForm1::OeffnenClick() {
  if (!AskSaveChanges()) return;
  sim_.ShowStatus("Datei \xF6" "ffnen");
  QString name;
  if (fileDialogHook) {
    name = fileDialogHook(FileDialogKind::Open);
  } else {
    QFileDialog dialog(this);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setNameFilters({QStringLiteral("TXT (*.txt)"), QStringLiteral("DTA (*.dta)"), QStringLiteral("Alle (*)")});
    if (!openDialogName_.isEmpty()) dialog.selectFile(openDialogName_);
    if (dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty()) name = dialog.selectedFiles().first();
  }
  if (name.isEmpty()) return;
  openDialogName_ = name;
  LoadProgramFile(name);
}

bool TForm1::LoadProgramFile(const QString& name) {
  QByteArray bytes;
  QString reason;
  if (!ReadProgramBytes(name, bytes, reason)) {
    ShowError(OpenError(name, reason));
    return false;
  }
  QString fileName = name;
  QString text;
  if (UpperExtension(name) == QStringLiteral(".DTA")) {
    const std::string raw(bytes.constData(), static_cast<std::size_t>(bytes.size()));
    text = LooksLikeRtf(raw) ? NormalizeLineEnds(QString::fromStdString(RtfToText(raw))) : DecodeProgram(bytes);
    fileName = name.left(name.lastIndexOf(QLatin1Char('.'))) + QStringLiteral(".txt");
  } else {
    text = DecodeProgram(bytes);
  }
  MProgramm->setPlainText(text);
  FFileName = fileName;
  sim_.FModified = false;
  ShowFileStatus(QStringLiteral(" geöffnet."));
  return true;
}

bool TForm1::SaveProgramFile(const QString& name) {
  QSaveFile file(name);
  const QByteArray bytes = EncodeProgram(MProgramm->toPlainText());
  if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit()) {
    ShowError(QStringLiteral("Datei \"%1\" kann nicht erstellt werden. %2")
                  .arg(QFileInfo(name).absoluteFilePath(), file.errorString()));
    return false;
  }
  FFileName = name;
  sim_.FModified = false;
  ShowFileStatus(QStringLiteral(" gespeichert"));
  return true;
}

bool TForm1::MISpeichernClick() {
  return FFileName.isEmpty() ? Speichernunter1Click() : SaveProgramFile(FFileName);
}

bool TForm1::Speichernunter1Click() {
  QString name;
  if (fileDialogHook) {
    name = fileDialogHook(FileDialogKind::Save);
  } else {
    QFileDialog dialog(this);
    dialog.setAcceptMode(QFileDialog::AcceptSave);  // asks before replacing a file
    dialog.setNameFilters({QStringLiteral("TXT (*.txt)")});
    dialog.setDefaultSuffix(QStringLiteral("dta"));
    if (dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty()) name = dialog.selectedFiles().first();
  }
  if (name.isEmpty()) return false;
  return SaveProgramFile(name);
}

void TForm1::DruckenClick() {
  std::unique_ptr<QPrinter> printer;
  if (printerHook) {
    printer = printerHook();
  } else {
    const QPrinterInfo info = QPrinterInfo::defaultPrinter();
    if (!info.isNull()) printer = std::make_unique<QPrinter>(info, QPrinter::HighResolution);
  }
  if (!printer || !printer->isValid()) {
    ShowError(QStringLiteral("Zur Zeit ist kein Standard-Drucker gewählt"));
    return;
  }
  PrintProgram(*printer);
}

// The program text in the window font, inside margins of 200 printer pixels
// left and right and 300 at top and bottom, as many pages as it needs.
void TForm1::PrintProgram(QPrinter& printer) {
  printer.setDocName(QStringLiteral("Automatenprogramm"));
  printer.setFullPage(false);
  QPainter painter;
  if (!painter.begin(&printer)) {
    ShowError(QStringLiteral("Das Programm konnte nicht gedruckt werden."));
    return;
  }
  const QRect page = printer.pageLayout().paintRectPixels(printer.resolution());
  const QRect area(200, 300, std::max(page.width() - 400, 1), std::max(page.height() - 600, 1));
  QTextDocument document;
  QFont font(QStringLiteral("MS Sans Serif"));
  font.setStyleHint(QFont::SansSerif);
  font.setPointSize(10);
  document.setDefaultFont(font);
  document.setPlainText(MProgramm->toPlainText());
  document.documentLayout()->setPaintDevice(&printer);
  document.setPageSize(area.size());
  const int pages = std::max(document.pageCount(), 1);
  for (int p = 0; p < pages; ++p) {
    if (p > 0) printer.newPage();
    painter.save();
    painter.translate(area.left(), area.top() - p * area.height());
    const QRectF clip(0, p * area.height(), area.width(), area.height());
    painter.setClipRect(clip);
    document.drawContents(&painter, clip);
    painter.restore();
  }
  painter.end();
  ShowFileStatus(QStringLiteral(" gedruckt."));
}

void TForm1::MIEndeClick() { close(); }

void TForm1::closeEvent(QCloseEvent* event) {
  bool canClose = false;
  FormCloseQuery(canClose);
  if (canClose)
    event->accept();
  else
    event->ignore();
}

// A changed program is offered for saving; "Abbrechen", or a save that did
// not happen, keeps the window open. The configuration is written on the
// way out, and a failure to write it does not hold the window.
void TForm1::FormCloseQuery(bool& CanClose) {
  CanClose = AskSaveChanges();
  if (!CanClose) return;
  QString error;
  if (!WriteConfiguration(error)) ShowError(error);
}

void TForm1::ShowError(const QString& text) {
  if (errorHook) {
    errorHook(text);
    return;
  }
  QMessageBox::critical(this, QStringLiteral("Automaten"), text);
}

void TForm1::ShowFileStatus(const QString& after) {
  sim_.ShowStatus(ToMachine(QStringLiteral("Datei ") + FFileName + after));
}

// ---- Configuration -------------------------------------------------------------

void TForm1::FormCreate() {
  FFirstResize = true;
  FIniPath = QDir(QDir::tempPath()).filePath(QStringLiteral("automaten.ini"));
}

IniFile TForm1::LoadIniFile() const {
  IniFile ini;
  if (!TrustedFile(FIniPath)) return ini;
  QFile file(FIniPath);
  if (file.open(QIODevice::ReadOnly)) ini.Parse(NormalizeLineEnds(DecodeProgram(file.read(kMaxProgramBytes))).toStdString());
  return ini;
}

QString TForm1::ReadIniString(const IniFile& ini, const char* key, const QString& fallback) const {
  if (!ini.Has(kSection, key)) return fallback;
  return QString::fromStdString(ini.ReadString(kSection, key, "")).left(kMaxIniString);
}

void TForm1::ReadConfiguration() {
  const IniFile ini = LoadIniFile();
  SetSliderPosition(ini.ReadInteger(kSection, "Frequenz", 1));
  sim_.M.FMode = static_cast<MachineKind>(static_cast<std::uint16_t>(ini.ReadInteger(kSection, "Arbeitsmodus", 0)));
  FFileName = ReadIniString(ini, "Datei", QString());
  sim_.FLastTape = ToMachine(ReadIniString(ini, "Band", QStringLiteral("sskkss")));
  const int left = ini.ReadInteger(kSection, "Left", 200);
  const int top = ini.ReadInteger(kSection, "Top", 200);
  const int width = ini.ReadInteger(kSection, "Width", 400);
  const int height = ini.ReadInteger(kSection, "Height", 300);
  SetWindowBounds({left, top, width, height});
}

bool TForm1::WriteConfiguration(QString& error) {
  IniFile ini = LoadIniFile();
  ini.WriteInteger(kSection, "Arbeitsmodus", static_cast<int>(sim_.M.FMode));
  ini.WriteString(kSection, "Datei", FFileName.toStdString());
  ini.WriteInteger(kSection, "Frequenz", SliderPosition());
  ini.WriteString(kSection, "Band", FromMachine(sim_.FLastTape).toStdString());
  const Bounds b = WindowBounds();
  ini.WriteInteger(kSection, "Left", b.left);
  ini.WriteInteger(kSection, "Top", b.top);
  ini.WriteInteger(kSection, "Width", b.width);
  ini.WriteInteger(kSection, "Height", b.height);

  // A symbolic link put in our place is removed, never written through.
  const QFileInfo info(FIniPath);
  if (info.isSymLink() && !QFile::remove(FIniPath)) {
    error = QStringLiteral("In %1 kann nicht geschrieben werden").arg(FIniPath);
    return false;
  }
  QSaveFile file(FIniPath);
  const QByteArray bytes = QByteArray::fromStdString(ini.Text());
  if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit()) {
    error = QStringLiteral("In %1 kann nicht geschrieben werden").arg(FIniPath);
    return false;
  }
  return true;
}

// Runs once, at the first layout pass: the stored program under the stored
// kind when its file still exists, otherwise the DEA example.
void TForm1::StartupRestoration() {
  sim_.FModified = false;
  ReadConfiguration();
  const IniFile ini = LoadIniFile();
  const QFileInfo stored(FFileName);
  bool restored = false;
  if (!FFileName.isEmpty() && stored.exists() && !stored.isDir()) {
    const MachineKind kind = sim_.M.FMode;
    if (static_cast<std::uint16_t>(kind) <= 4) MenuSelectKind(kind);
    FFileName = ReadIniString(ini, "Datei", QString());
    if (LoadProgramFile(FFileName)) {
      sim_.FLastTape = ToMachine(ReadIniString(ini, "Band", QStringLiteral("sskkss")));
      SetFieldText(Field::EBand, sim_.FLastTape);
      restored = true;
    }
  }
  if (!restored) MI_det_AutomatClick();
  sim_.FModified = false;
  FFirstResize = false;
}

}  // namespace automaten
