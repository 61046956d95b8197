#include "testdock.h"

#include <QAction>
#include <QDockWidget>
#include <QMainWindow>
#include <QPlainTextEdit>
#include <QTimer>
#include <QTreeWidget>

#include "control/simulation.h"
#include "panedock.h"
#include "testpane.h"

namespace automaten {

TestDock::TestDock(QMainWindow& window, QPlainTextEdit& program, Simulation& sim, const View& view,
                   std::function<void(int)> growBy, std::function<void(const std::string&)> chosen)
    : window_(window), sim_(sim), view_(view), growBy_(std::move(growBy)) {
  show_ = MakePaneAction(window, QStringLiteral("Tests"), "MITests", QKeySequence(Qt::Key_F3));
  // Opened by F3 or the menu, the pane takes the keys: arrows choose a case, Enter puts it on the tape.
  connect(show_, &QAction::triggered, this, [this](bool shown) {
    Show(shown);
    if (shown) pane_->List()->setFocus();
  });
  run_ = new QAction(QStringLiteral("Alle Tests ausführen"), &window);
  run_->setObjectName(QStringLiteral("MIAlleTests"));
  run_->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_T));
  run_->setShortcutContext(Qt::ApplicationShortcut);
  connect(run_, &QAction::triggered, this, &TestDock::RunAll);

  pane_ = new TestPane;
  pane_->setObjectName(QStringLiteral("Tests"));
  connect(pane_, &TestPane::RunRequested, this, &TestDock::RunAll);
  connect(pane_, &TestPane::WordChosen, this, std::move(chosen));
  dock_ = AddPaneDock(window, pane_, QStringLiteral("Tests"), "TestsDock", show_, this, Qt::RightDockWidgetArea);

  again_ = new QTimer(this);
  again_->setSingleShot(true);
  again_->setInterval(500);
  connect(again_, &QTimer::timeout, this, [this] {
    if (Shown()) RunAll();
  });
  connect(&program, &QPlainTextEdit::textChanged, this, [this] {
    pane_->MarkStale();
    if (Shown() && pane_->Stale()) again_->start();
  });
}

QString TestDock::CurrentResults() const { return pane_->CurrentResults(); }

bool TestDock::Shown() const { return !dock_->isHidden(); }

// Below the diagram, the pane leaves it in view: a failing case and the
// diagram are seen together.
void TestDock::Show(bool shown) { ShowPaneDock(window_, *dock_, *show_, shown, width_, growBy_); }

PaneState TestDock::State() const { return PaneStateOf(*dock_, width_); }

void TestDock::SetState(const PaneState& pane) {
  width_ = pane.size;
  Show(pane.shown);
}

void TestDock::RunAll() {
  again_->stop();
  Show(true);
  pane_->RunAll(sim_.State().kind, view_.ProgramText(), view_.ProgramLines());
}

}  // namespace automaten
