// The main window's modal boxes and file dialogs behind one interface: the
// program shows Qt's (QtDialogs), tests answer them from a script.
#pragma once

#include <QString>
#include <memory>
#include <optional>

#include "control/view.h"

class QPrinter;
class QWidget;

namespace automaten {

// The parts of a print job: each on pages of its own.
struct PrintParts {
  bool program = true;
  bool diagram = false;
  bool tests = false;  // the Tests pane's results
};

class Dialogs {
 public:
  enum class File { Open, Save, ExportDiagram };
  virtual ~Dialogs() = default;

  virtual void Message(QWidget* parent, const QString& text) = 0;
  // A message with a second button "Umschalten"; true when the user takes it.
  virtual bool MessageWithSwitch(QWidget* parent, const QString& text) = 0;
  // The change prompt: "&Ja", "&Nein", "Abbrechen".
  virtual Answer SaveQuestion(QWidget* parent, const QString& text) = 0;
  virtual void Error(QWidget* parent, const QString& text) = 0;
  // The file chosen; empty when the user cancelled.
  virtual QString ChooseFile(QWidget* parent, File kind, const QString& suggestion) = 0;
  // The default printer; null when none is set up.
  virtual std::unique_ptr<QPrinter> DefaultPrinter() = 0;
  // The print dialog (printing to a PDF file included) with a choice of the
  // parts `offered`, ticked as `chosen` is at first; the printer, and the
  // parts in `chosen`, or null when the user cancelled.
  virtual std::unique_ptr<QPrinter> ChoosePrinter(QWidget* parent, const PrintParts& offered, PrintParts& chosen) = 0;
  // The comparison's answer; true when the user puts the word on the tape.
  virtual bool ComparisonResult(QWidget* parent, const QString& text, bool offersWord) = 0;
  // A text asked for, one line or (with `lines`) several, starting as `text`;
  // the label says what, and the fault of the last try. None when cancelled.
  virtual std::optional<QString> AskText(QWidget* parent, const QString& title, const QString& label,
                                         const QString& text, bool lines) = 0;
  // A text to read and copy: a box with "Kopieren" and "Schließen".
  virtual void ShowText(QWidget* parent, const QString& title, const QString& text) = 0;
};

class QtDialogs final : public Dialogs {
 public:
  void Message(QWidget* parent, const QString& text) override;
  bool MessageWithSwitch(QWidget* parent, const QString& text) override;
  Answer SaveQuestion(QWidget* parent, const QString& text) override;
  void Error(QWidget* parent, const QString& text) override;
  QString ChooseFile(QWidget* parent, File kind, const QString& suggestion) override;
  std::unique_ptr<QPrinter> DefaultPrinter() override;
  std::unique_ptr<QPrinter> ChoosePrinter(QWidget* parent, const PrintParts& offered, PrintParts& chosen) override;
  bool ComparisonResult(QWidget* parent, const QString& text, bool offersWord) override;
  std::optional<QString> AskText(QWidget* parent, const QString& title, const QString& label, const QString& text,
                                 bool lines) override;
  void ShowText(QWidget* parent, const QString& title, const QString& text) override;
};

}  // namespace automaten
