// The main window's modal boxes and file dialogs behind one interface: the
// program shows Qt's (QtDialogs), tests answer them from a script.
#pragma once

#include <QString>
#include <memory>

#include "control/view.h"

class QPrinter;
class QWidget;

namespace automaten {

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
  // The comparison's answer; true when the user puts the word on the tape.
  virtual bool ComparisonResult(QWidget* parent, const QString& text, bool offersWord) = 0;
};

class QtDialogs final : public Dialogs {
 public:
  void Message(QWidget* parent, const QString& text) override;
  bool MessageWithSwitch(QWidget* parent, const QString& text) override;
  Answer SaveQuestion(QWidget* parent, const QString& text) override;
  void Error(QWidget* parent, const QString& text) override;
  QString ChooseFile(QWidget* parent, File kind, const QString& suggestion) override;
  std::unique_ptr<QPrinter> DefaultPrinter() override;
  bool ComparisonResult(QWidget* parent, const QString& text, bool offersWord) override;
};

}  // namespace automaten
