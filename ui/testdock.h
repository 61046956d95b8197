// The pane "Tests" at the window's right, below the diagram, with its actions: F3 shows
// it, "Alle Tests ausführen" (Ctrl+T) runs every case of the program without
// touching the tape, the program or the machine shown; a double-click (or
// Enter) puts a case's word on the tape and resets.
#pragma once

#include <QObject>
#include <functional>
#include <string>

#include "control/view.h"

class QAction;
class QDockWidget;
class QMainWindow;
class QPlainTextEdit;
class QTimer;

namespace automaten {

class Simulation;
class TestPane;

class TestDock : public QObject {
  Q_OBJECT
 public:
  // `growBy` widens (or narrows) the window by the pane's width;
  // `chosen` puts a case's word (machine text) on the tape. A change of
  // `program`'s text (or of the kind, which loads one) marks the results
  // stale at once and runs the cases again 500 ms after the last key while
  // the pane is shown.
  TestDock(QMainWindow& window, QPlainTextEdit& program, Simulation& sim, const View& view,
           std::function<void(int)> growBy, std::function<void(const std::string&)> chosen);

  QAction* ShowAction() const { return show_; }  // "Tests", F3, checkable
  QAction* RunAction() const { return run_; }    // "Alle Tests ausführen", Ctrl+T
  QDockWidget* Dock() const { return dock_; }
  // The results of the current text for printing (HTML); empty when there are none.
  QString CurrentResults() const;
  bool Shown() const;
  void Show(bool shown);
  PaneState State() const;
  void SetState(const PaneState& pane);

 private:
  void RunAll();

  QMainWindow& window_;
  Simulation& sim_;
  const View& view_;
  std::function<void(int)> growBy_;
  QAction* show_;
  QAction* run_;
  TestPane* pane_;
  QDockWidget* dock_;
  QTimer* again_;  // the run after the last key
  int width_ = Panes{}.tests.size;
};

}  // namespace automaten
