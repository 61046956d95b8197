// The pane "Tests" beside the main window, with its actions: F3 shows it,
// "Alle Tests ausführen" (Ctrl+T) runs every case of the program without
// touching the tape, the program or the machine shown; a double-click puts a
// case's word on the tape and resets.
#pragma once

#include <QObject>
#include <functional>
#include <string>

class QAction;
class QDockWidget;
class QMainWindow;
class QPlainTextEdit;
class QTimer;

namespace automaten {

class Simulation;
class TestPane;
class View;

class TestDock : public QObject {
  Q_OBJECT
 public:
  // `beside` is the diagram's dock, which the two share as tabs; `growBy`
  // widens the window; `chosen` puts a case's word (machine text) on the tape.
  // A change of `program`'s text (or of the kind, which loads one) marks the
  // results stale at once and runs the cases again 500 ms after the last key
  // while the pane is shown.
  TestDock(QMainWindow& window, QDockWidget& beside, QPlainTextEdit& program, Simulation& sim, const View& view,
           std::function<void(int)> growBy, std::function<void(const std::string&)> chosen);

  QAction* ShowAction() const { return show_; }  // "Tests", F3, checkable
  QAction* RunAction() const { return run_; }    // "Alle Tests ausführen", Ctrl+T
  QDockWidget* Dock() const { return dock_; }
  void Show(bool shown);

 private:
  void RunAll();

  QMainWindow& window_;
  QDockWidget& beside_;
  Simulation& sim_;
  const View& view_;
  std::function<void(int)> growBy_;
  QAction* show_;
  QAction* run_;
  TestPane* pane_;
  QDockWidget* dock_;
  QTimer* again_;  // the run after the last key
};

}  // namespace automaten
