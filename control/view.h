// The one seam between the run control and a screen: every operation the
// simulation and the document session need from a window. TForm1 implements
// it on widgets, StringView on plain strings. Field, label, status, caption
// and message texts are machine text (Windows-1252); the program document
// is UTF-8, since it is what the user wrote and saves.
#pragma once

#include <string>

#include "engine/types.h"

namespace automaten {

enum class Field { EBand, EAusgabe };
enum class Label { LZustand, LBefehl, LMeldung, LSchritte, Schreiblesekopf, LFrequenz2 };
enum class StatusPanel { Kind, Changed, Message };
enum class TextColour { WindowText, Red, Green };
enum class StartImage { Start, Stop };  // what the start/stop button shows
enum class Answer { Ja, Nein, Abbrechen };

struct Bounds {
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
};

class View {
 public:
  virtual ~View() = default;

  // One-line fields: the tape EBand and the second field EAusgabe.
  virtual std::string FieldText(Field f) const = 0;
  virtual void SetFieldText(Field f, const std::string& text) = 0;
  virtual void SelectInField(Field f, int start, int length) = 0;  // 0-based start; scrolls it into view
  virtual int FirstVisibleChar(Field f) const = 0;                 // 0-based
  virtual void FocusField(Field f) = 0;
  virtual void SetFieldVisible(Field f, bool visible) = 0;

  // The program area MProgramm. Selections count each line break as two.
  virtual int ProgramLineCount() const = 0;
  virtual std::string ProgramLine(int i) const = 0;  // machine text
  virtual std::string ProgramText() const = 0;       // UTF-8, lines joined with '\n'
  virtual void SetProgramText(const std::string& utf8) = 0;
  virtual void SelectInProgram(int start, int length) = 0;
  virtual void FocusProgram() = 0;

  virtual void SetLabelText(Label l, const std::string& text) = 0;
  virtual void SetLabelColour(Label l, TextColour c) = 0;
  virtual void SetStatusPanel(StatusPanel panel, const std::string& text) = 0;
  virtual void SetKindButtonDown(MachineKind kind, bool down) = 0;
  virtual void SetStartImage(StartImage image) = 0;

  // Timer1: its enabled flag is the automatic run.
  virtual bool TimerEnabled() const = 0;
  virtual void SetTimerEnabled(bool on) = 0;
  virtual void SetTimerInterval(int ms) = 0;
  virtual int TimerInterval() const = 0;

  // TrackBar1, kept within 1 ... 100.
  virtual int SliderPosition() const = 0;
  virtual void SetSliderPosition(int position) = 0;

  // Modal boxes; the event loop keeps running while they are open.
  virtual void ShowMessage(const std::string& text) = 0;
  virtual Answer AskSaveQuestion(const std::string& text) = 0;  // "&Ja", "&Nein", "Abbrechen"

  virtual void SetCaption(const std::string& text) = 0;
  virtual Bounds WindowBounds() const = 0;
  virtual void SetWindowBounds(const Bounds& b) = 0;
};

}  // namespace automaten
