// The pane "Zustandsdiagramm" beside the main window, with its actions
// (F4, "Diagramm exportieren..." and "Diagramm im Vollbild", F11): drawn anew
// at every reset and, through a silent parse 300 ms after the last key, while
// the user types; the run's position marked at every step. What it shows is
// the follower's choice.
#pragma once

#include <QList>
#include <QObject>
#include <functional>

#include "control/diagramfollower.h"
#include "control/view.h"

class QAction;
class QDockWidget;
class QMainWindow;
class QPainter;
class QRectF;
class QPlainTextEdit;
class QTimer;
class QWidget;

namespace automaten {

class DiagramEditor;
class DiagramPane;
class Dialogs;
class Simulation;

class DiagramDock : public QObject {
  Q_OBJECT
 public:
  // `growBy` widens (or narrows) the window as far as the screen has room.
  DiagramDock(QMainWindow& window, QPlainTextEdit& program, const Simulation& sim, View& view, Dialogs& dialogs,
              std::function<void(int)> growBy);

  QAction* ShowAction() const { return show_; }        // "Zustandsdiagramm", F4, checkable
  QAction* ExportAction() const { return export_; }    // "Diagramm exportieren..."
  QAction* MarksAction() const { return marks_; }      // "Export mit Markierung", checkable
  QAction* FullScreenAction() const { return full_; }  // "Diagramm im Vollbild", F11, checkable
  QAction* EditAction() const;                         // "Bearbeiten", Strg+B, checkable
  DiagramEditor& Editor() const { return *editor_; }
  QDockWidget* Dock() const { return dock_; }
  bool Shown() const;
  void Show(bool shown);
  // The machine's state, next transition or verdict is shown anew.
  void MachineShown();
  // Whether there is a diagram to print, and prints it into `target`
  // (with the run's marks where "Export mit Markierung" is ticked).
  bool CanPrint() const;
  void Print(QPainter& painter, const QRectF& target);
  PaneState State() const;
  void SetState(const PaneState& pane);
  // The window's zoom, which the diagram follows.
  void SetZoom(int percent);
  // The diagram fills the screen (the pane is shown for it); Escape or F11
  // leaves, to the pane as it was. The keys of `running` work there too: step and watch.
  void ShowFullScreen(bool on);
  void KeysOnTheFullScreen(const QList<QAction*>& running);
  bool FullScreen() const;

 private:
  void ParseText();
  void Draw(const DiagramUpdate& update);
  void Mark();
  void Export();

  QMainWindow& window_;
  Dialogs& dialogs_;
  std::function<void(int)> growBy_;
  DiagramFollower follower_;
  QAction* show_;
  QAction* export_;
  QAction* marks_;
  QAction* full_;
  DiagramPane* pane_;
  DiagramEditor* editor_;
  QWidget* screen_;       // the full-screen window the pane moves into
  QWidget* placeholder_;  // in the dock while the pane is on the full screen
  bool paneBeforeFullScreen_ = true;
  QDockWidget* dock_;
  QTimer* timer_;  // the silent parse, 300 ms after the last key
  int width_ = 360;
};

}  // namespace automaten
