// The program as a document: the file it belongs to, the change prompt
// before it is replaced, opening and saving, and the settings kept between
// runs with the start-up restoration. Dialogs, files and the configuration
// store are the front end's, reached through DocumentHost; the screen
// through View. File names are UTF-8.
#pragma once

#include <string>

#include "control/settings.h"
#include "control/view.h"
#include "engine/types.h"
#include "io/programfile.h"

namespace automaten {

class Simulation;
class View;

// What the document session needs from its front end besides the screen.
class DocumentHost {
 public:
  virtual ~DocumentHost() = default;
  // File dialogs; an empty name when the user cancelled.
  virtual std::string ChooseFileToOpen(const std::string& suggestion) = 0;
  virtual std::string ChooseFileToSave() = 0;
  virtual ProgramFile ReadProgram(const std::string& path) = 0;
  // Replaces the file whole or leaves it as it was; false with the reason.
  virtual bool WriteProgram(const std::string& path, const std::string& bytes, std::string& error) = 0;
  // Whether a file (no folder) of that name exists.
  virtual bool IsFile(const std::string& path) const = 0;
  // The configuration file's bytes; empty when there is none to trust.
  virtual std::string ReadConfiguration() = 0;
  virtual bool WriteConfiguration(const std::string& bytes, std::string& error) = 0;
  // The error box of a failed file operation.
  virtual void ShowError(const std::string& text) = 0;
  // A file's name as the error box shows it: where there are folders, the whole path.
  virtual std::string ShownPath(const std::string& path) const { return path; }
};

// The box when a paste would make the program larger than a file any reader takes.
extern const char kPasteTooLarge[];

// The name "Speichern unter" saves under: ".txt" added when it has no dot.
std::string WithTxtEnding(const std::string& path);

class DocumentSession {
 public:
  DocumentSession(Simulation& sim, View& view, DocumentHost& host);

  // The change prompt for a changed program; false when the command that
  // asked must not go on ("Abbrechen", or a save that did not happen).
  bool AskSaveChanges();
  void New();                          // "&Neu"
  void Open();                         // "Öffnen"
  bool Save();                         // "&Speichern"; false when nothing was saved
  bool SaveAs();                       // "Speichern unter..."
  bool Load(const std::string& path);  // a .dta file becomes .txt
  bool SaveTo(const std::string& path);
  // A kind from the menu or the tool bar, after the change prompt: its example
  // replaces the program, which then belongs to no file.
  void SelectKind(MachineKind kind);
  // A program made by a tool (the acceptor of an NEA, a minimal acceptor),
  // after the change prompt: it replaces the program as a new, unsaved one of
  // its kind; the tape stays. False when the prompt held it back.
  bool OpenMade(MachineKind kind, const std::string& utf8, const std::string& status);
  // Before the window closes: the change prompt, then the settings are
  // written; a failure to write them is shown and does not hold the window.
  bool Close();
  // Once, when the window first takes its size: the stored settings, and the
  // stored program under the stored kind when its file still exists, else
  // the DEA example.
  void Restore();
  // "Datei " + the file name + what happened to it, in the status bar.
  void ShowFileStatus(const std::string& after);

  const std::string& FileName() const { return fileName_; }
  // Whether the program text differs from the one saved, loaded or given.
  bool Changed() const { return changed_; }
  // The user edited the program text, or undid the edits back to the saved text.
  void ProgramEdited(bool changed);

  // The change prompt for a front end whose boxes cannot block (the web
  // page), which asks before the command and gives it the answer: the
  // question (machine text), empty when the program has not changed ...
  std::string PendingQuestion() const;
  // ... whether "Ja" needs a name to save under first (the program has no file) ...
  bool NeedsSaveName() const { return changed_ && fileName_.empty(); }
  // ... and whether the command goes on after the answer: not after
  // "Abbrechen", nor after "Ja" without the name it needs.
  bool GoesOn(Answer answer, bool nameGiven) const;
  Settings CurrentSettings() const;

 private:
  // The one transition of the file the program belongs to and its changed mark.
  void SetCurrentFile(const std::string& name, bool changed);

  Simulation& sim_;
  View& view_;
  DocumentHost& host_;
  std::string fileName_;
  bool changed_ = false;
  std::string openSuggestion_;  // the open dialog starts at the name chosen last
};

}  // namespace automaten
