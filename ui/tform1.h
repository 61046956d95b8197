// The main window: tape, second field, head marker, status labels, program
// text, tool bar with speed slider, menus and status bar. It is the View of
// its one Simulation and the host of its document session (dialogs,
// QSaveFile, printing, the configuration file and the trust in it), and
// binds every command to them.
#pragma once

#include <QElapsedTimer>
#include <QMainWindow>
#include <QString>
#include <array>
#include <memory>
#include <string>

#include "control/document.h"
#include "control/simulation.h"
#include "control/view.h"
#include "ui/dialogs.h"

class QAction;
class QDockWidget;
class QLabel;
class QPlainTextEdit;
class QPrinter;
class QSlider;
class QTimer;
class QToolBar;

namespace automaten {

class PlainLabel;
class TapeField;
class DiagramDock;
class LanguageTools;
class TestDock;

// The file the settings are kept in.
QString ConfigurationPath();
class TFHilfe;
class TFInfo;

// How the window takes a configuration file: not at all, as its own, or as
// a lab's fixed settings (the administrator's file: read, never written).
enum class ConfigurationAccess { Ignored, Own, Fixed };
ConfigurationAccess AccessOf(const QString& path, uint user);

class TForm1 : public QMainWindow, public View, public DocumentHost {
  Q_OBJECT
 public:
  // The boxes and dialogs go to `dialogs` (tests answer them from a
  // script); without, to Qt's own.
  explicit TForm1(Dialogs* dialogs = nullptr, QWidget* parent = nullptr);
  ~TForm1() override;

  // The secondary windows the help menu shows; created by the program entry.
  void SetSecondaryWindows(TFHilfe* help, TFInfo* info);
  // The program file to open at start, in place of the restored one
  // (`automaten DATEI`); before the window is shown.
  void OpenAtStart(const QString& path) { startFile_ = path; }

  Simulation& Sim() { return sim_; }
  DocumentSession& Session() { return session_; }

  // ---- View ----
  std::string FieldText(Field f) const override;
  void SetFieldText(Field f, const std::string& text) override;
  void ReplaceInField(Field f, std::size_t index, std::size_t removed, const std::string& inserted) override;
  void MarkCell(Field f, long long index) override;
  void FocusField(Field f) override;
  void SetFieldVisible(Field f, bool visible) override;
  int TapeWidth() const override { return tapeWidth_; }
  int ProgramLineCount() const override;
  std::uint64_t ProgramRevision() const override { return programRevision_; }
  std::string ProgramLine(int i) const override;
  std::string ProgramText() const override;
  void SetProgramText(const std::string& utf8) override;
  void ReplaceProgramLines(int first, int count, const std::string& utf8) override;
  void SelectInProgram(int start, int length) override;
  void FocusProgram() override;
  void MarkProgramUnchanged() override;
  void SetLabelText(Label l, const std::string& text) override;
  void SetLabelColour(Label l, TextColour c) override;
  void SetStatusPanel(StatusPanel panel, const std::string& text) override;
  void SetKindButtonDown(MachineKind kind, bool down) override;
  void SetStartImage(StartImage image) override;
  void ShowLoopCheck(bool on) override;
  bool TimerEnabled() const override;
  void SetTimerEnabled(bool on) override;
  void SetTimerInterval(int ms) override;
  int TimerInterval() const override;
  int SliderPosition() const override;
  void SetSliderPosition(int position) override;
  NumberFormat Numbers() const override { return numbers_; }
  void ShowMessage(const std::string& text) override;
  bool OfferKind(const std::string& fault, MachineKind fits) override;
  Answer AskSaveQuestion(const std::string& text) override;
  int Zoom() const override;
  void SetZoom(int percent) override;
  void SetCaption(const std::string& text) override;
  Bounds WindowBounds() const override;
  void SetWindowBounds(const Bounds& b) override;
  void MachineShown() override;
  Panes PanesShown() const override;
  void SetPanes(const Panes& panes) override;

  // ---- DocumentHost ----
  std::string ChooseFileToOpen(const std::string& suggestion) override;
  std::string ChooseFileToSave() override;
  ProgramFile ReadProgram(const std::string& path) override;
  bool WriteProgram(const std::string& path, const std::string& bytes, std::string& error) override;
  bool IsFile(const std::string& path) const override;
  std::string ReadConfiguration() override;
  bool WriteConfiguration(const std::string& bytes, std::string& error) override;
  void ShowError(const std::string& text) override;
  std::string ShownPath(const std::string& path) const override;

  void Print();            // "&Drucken": the default printer, no dialog
  void PrintWithDialog();  // "Drucken...": the print dialog with the parts to print
  void PrintJob(QPrinter& printer, const PrintParts& parts);
  QString IniPath() const { return iniPath_; }
  // The user whose configuration file counts as the window's own: this
  // process's, unless a test says otherwise before the window is shown.
  void SetUserId(uint user) { userId_ = user; }
  QString FileName() const { return QString::fromStdString(session_.FileName()); }

 protected:
  void resizeEvent(QResizeEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  std::uint64_t programRevision_ = 1;  // grows with every change of MProgramm
  // Widgets, named as the window's controls.
  QWidget* PPanel;
  QToolBar* ToolBar1;
  QLabel* LFrequenz;
  QSlider* TrackBar1;
  QLabel* LFrequenz2;
  TapeField* EBand;  // with the head marker '^' under its cells
  TapeField* EAusgabe;
  PlainLabel* LZustand;
  PlainLabel* LSchritte;
  PlainLabel* LBefehl;
  PlainLabel* LMeldung;
  QPlainTextEdit* MProgramm;
  std::array<QLabel*, kPanelCount> StatusPanels{};
  QTimer* Timer1;

  // Actions: menu items and tool-bar buttons that share a command share one.
  QAction* Neu;
  QAction* Oeffnen;
  QAction* MISpeichern;
  QAction* Speichernunter1;
  QAction* Drucken;
  QAction* DruckenDialog;
  QAction* MIEnde;
  QAction* MIBandLoeschen;
  QAction* MIletzterBandinhalt;
  QAction* MIAnfangszustand;
  QAction* MIStarten;
  QAction* MIAnhalten;
  QAction* MIEinzelschritt;
  QAction* MISchrittZurueck;
  QAction* MIEndlosschleifen;                  // checkable
  std::array<QAction*, kKindCount> MIKinds{};  // "&Automatenbeispiele"
  QAction* Groesser;                           // "&Ansicht"
  QAction* Kleiner;
  QAction* Normalgroesse;
  QAction* Anleitung;
  QAction* Info1;
  QAction* ToolButton5;                        // start/stop
  std::array<QAction*, kKindCount> TBKinds{};  // TB_DEA ... TB_TM

  void CreateActions();
  void CreateMenus();
  void CreateToolBar();
  void CreateControls();
  void CreateStatusBar();
  void ShowFixedSettings(const QString& path);  // the note on a lab's settings
  void LayoutControls();
  void TapeFieldResized();
  void SizeToolBar();
  void LayoutPanel(int width);
  void LayoutStatusBar();
  int TapeWidthOf(int fieldWidth) const;
  int Scaled(int pixels) const;  // at the zoom's size, at least 1
  int BarScaled(int pixels) const;
  void ZoomTextWindows();  // help and info at the window's zoom  // menus, bars and panes: at most twice the size
  int LayoutLabels(int top);
  bool Fits(const PlainLabel* label, int width) const;
  // Whether the status labels must be laid out anew for their texts: a text
  // left its column, or a wrapped text takes another number of lines.
  bool LabelsNeedLayout() const;
  void ShowHelp();
  void ShowInfo();
  TapeField* FieldWidget(Field f) const;
  QLabel* LabelWidget(Label l) const;
  // A pane shown or hidden by the user widens or narrows the window, as far as the screen has room.
  void GrowBy(int pixels);

  std::unique_ptr<Dialogs> ownDialogs_;
  Dialogs& dialogs_;
  Simulation sim_;
  DocumentSession session_;
  // The panes and the tools, each with its actions.
  std::unique_ptr<DiagramDock> diagram_;
  std::unique_ptr<TestDock> tests_;
  std::unique_ptr<LanguageTools> tools_;
  TFHilfe* help_ = nullptr;
  TFInfo* info_ = nullptr;
  bool firstResize_ = true;  // the first layout pass restores the settings
  bool restoring_ = false;
  QString iniPath_;
  QString startFile_;
  uint userId_;                      // the user the files must belong to
  QLabel* fixedSettings_ = nullptr;  // the note on a lab's fixed settings
  StartImage startImage_ = StartImage::Start;
  int zoom_ = 100;                     // percent
  QElapsedTimer roomChanged_;          // since a pane opened or closed, or the zoom changed
  int tapeWidth_ = kDefaultTapeWidth;  // the cells the tape field shows
  // The status labels in their rows: state and steps, transition and verdict.
  std::array<PlainLabel*, 4> labels_{};
  std::array<bool, 2> sideBySide_{true, true};  // each row's two labels side by side, or one below the other
  std::array<int, 4> labelLines_{1, 1, 1, 1};   // the lines each label takes
  NumberFormat numbers_;
};

}  // namespace automaten
