// The main window: tape, second field, head marker, status labels, program
// text, tool bar with speed slider, menus and status bar. It is the View of
// its one Simulation and binds every command to it.
#pragma once

#include <QMainWindow>
#include <QString>
#include <array>
#include <functional>
#include <memory>
#include <string>

#include "control/simulation.h"
#include "control/view.h"
#include "io/ini.h"

class QAction;
class QFrame;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPrinter;
class QSlider;
class QTimer;
class QToolBar;

namespace automaten {

class TFHilfe;
class TFInfo;

class TForm1 : public QMainWindow, public View {
  Q_OBJECT
 public:
  explicit TForm1(QWidget* parent = nullptr);
  ~TForm1() override;

  // The secondary windows the help menu shows; created by the program entry.
  void SetSecondaryWindows(TFHilfe* help, TFInfo* info);

  Simulation& Sim() { return sim_; }

  // Tests answer the modal boxes and dialogs through these instead of a user.
  enum class FileDialogKind { Open, Save };
  std::function<void(const std::string&)> messageHook;
  std::function<Answer(const std::string&)> questionHook;
  std::function<void(const QString&)> errorHook;
  std::function<QString(FileDialogKind)> fileDialogHook;  // the chosen name, empty for "cancel"
  std::function<std::unique_ptr<QPrinter>()> printerHook;  // the default printer, or null for none

  // ---- View ----
  std::string FieldText(Field f) const override;
  void SetFieldText(Field f, const std::string& text) override;
  void SelectInField(Field f, int start, int length) override;
  int FirstVisibleChar(Field f) const override;
  void FocusField(Field f) override;
  void SetFieldVisible(Field f, bool visible) override;
  int ProgramLineCount() const override;
  std::string ProgramLine(int i) const override;
  std::string ProgramText() const override;
  void SetProgramText(const std::string& text) override;
  void SelectInProgram(int start, int length) override;
  void FocusProgram() override;
  void SetLabelText(Label l, const std::string& text) override;
  void SetLabelColour(Label l, TextColour c) override;
  void SetStatusPanel(int panel, const std::string& text) override;
  void SetKindButtonDown(MachineKind kind, bool down) override;
  void SetStartButtonImage(int image) override;
  bool TimerEnabled() const override;
  void SetTimerEnabled(bool on) override;
  void SetTimerInterval(int ms) override;
  int TimerInterval() const override;
  int SliderPosition() const override;
  void SetSliderPosition(int position) override;
  void ShowMessage(const std::string& text) override;
  Answer AskSaveQuestion(const std::string& text) override;
  void SetCaption(const std::string& text) override;
  Bounds WindowBounds() const override;
  void SetWindowBounds(const Bounds& b) override;

  // ---- Commands of the window itself ----
  void MI_det_AutomatClick() { MenuSelectKind(MachineKind::DEA); }
  void MI_AkzeptorClick() { MenuSelectKind(MachineKind::Akz); }
  void MI_nichtdetAutomatClick() { MenuSelectKind(MachineKind::NEA); }
  void MI_KellerautomatClick() { MenuSelectKind(MachineKind::KA); }
  void MI_TuringmaschineClick() { MenuSelectKind(MachineKind::TM); }
  void ToolBarSelectKind(MachineKind kind);
  void AnleitungClick();
  void MIInfoClick();

  // ---- Program files, printing and the change prompt ----
  void NeuClick();
  void OeffnenClick();
  bool MISpeichernClick();  // false when nothing was saved
  bool Speichernunter1Click();
  void DruckenClick();
  void MIEndeClick();
  bool LoadProgramFile(const QString& name);
  bool SaveProgramFile(const QString& name);
  // The change prompt; false when the command that asked must not go on.
  bool AskSaveChanges();
  void PrintProgram(QPrinter& printer);
  void FormCloseQuery(bool& CanClose);
  const QString& FileName() const { return FFileName; }

  // ---- Configuration file ----
  QString IniPath() const { return FIniPath; }
  void ReadConfiguration();
  bool WriteConfiguration(QString& error);

  // Widgets, named as the window's controls.
  QWidget* PPanel;
  QToolBar* ToolBar1;
  QLabel* LFrequenz;
  QSlider* TrackBar1;
  QLabel* LFrequenz2;
  QFrame* EBandFrame;  // the tape field's frame; its width is the field's width
  QLineEdit* EBand;
  QLabel* Schreiblesekopf;
  QFrame* EAusgabeFrame;
  QLineEdit* EAusgabe;
  QLabel* LZustand;
  QLabel* LSchritte;
  QLabel* LBefehl;
  QLabel* LMeldung;
  QPlainTextEdit* MProgramm;
  std::array<QLabel*, 3> StatusPanels{};
  QTimer* Timer1;

  // Actions: menu items and tool-bar buttons that share a command share one.
  QAction* Neu;
  QAction* Oeffnen;
  QAction* MISpeichern;
  QAction* Speichernunter1;
  QAction* Drucken;
  QAction* MIEnde;
  QAction* MIBandLoeschen;
  QAction* MIletzterBandinhalt;
  QAction* MIAnfangszustand;
  QAction* MIStarten;
  QAction* MIAnhalten;
  QAction* MIEinzelschritt;
  std::array<QAction*, 5> MIKinds{};  // "&Automatenbeispiele"
  QAction* Anleitung;
  QAction* Info1;
  QAction* ToolButton5;               // start/stop
  std::array<QAction*, 5> TBKinds{};  // TB_DEA ... TB_TM

 protected:
  void resizeEvent(QResizeEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void CreateActions();
  void CreateMenus();
  void CreateToolBar();
  void CreateControls();
  void CreateStatusBar();
  void FormCreate();
  void FormResize();
  void LayoutControls();
  void StartupRestoration();
  void MenuSelectKind(MachineKind kind);
  void ShowError(const QString& text);
  // "Datei " + the file name + what happened to it.
  void ShowFileStatus(const QString& after);
  IniFile LoadIniFile() const;
  QString ReadIniString(const IniFile& ini, const char* key, const QString& fallback) const;
  QLineEdit* FieldWidget(Field f) const;
  QLabel* LabelWidget(Label l) const;
  void PlaceMarker();
  void MarkerAfterPaint();
  qreal Advance(const QLineEdit* e) const;
  qreal TextStart(const QLineEdit* e) const;

  Simulation sim_;
  TFHilfe* help_ = nullptr;
  TFInfo* info_ = nullptr;
  bool FFirstResize = true;
  bool restoring_ = false;
  QString FFileName;
  QString FIniPath;
  QString openDialogName_;  // the open dialog starts at the name chosen last
  static constexpr int kUnknown = -1000000;
  int markerOffset_ = 0;     // x inside EBand of the cell the marker's first column stands under
  int markerFirst_ = 0;      // that cell's index
  int startImage_ = kImageStart;
  qreal advance_ = 0;        // width of one cell of the fields' fixed-pitch font
  int homeX_ = kUnknown;     // cursor rectangle x of an unscrolled, empty tape field
};

}  // namespace automaten
