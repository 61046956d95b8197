#include "testdock.h"

#include <QAction>
#include <QDockWidget>
#include <QMainWindow>
#include <QPlainTextEdit>
#include <QTimer>

#include "control/simulation.h"
#include "panedock.h"
#include "testpane.h"

namespace automaten {

namespace {
constexpr int kTestPaneWidth = 420;
}

TestDock::TestDock(QMainWindow& window, QDockWidget& beside, QPlainTextEdit& program, Simulation& sim, const View& view,
                   std::function<void(int)> growBy, std::function<void(const std::string&)> chosen)
    : window_(window), beside_(beside), sim_(sim), view_(view), growBy_(std::move(growBy)) {
  show_ = MakePaneAction(window, QStringLiteral("Tests"), "MITests", QKeySequence(Qt::Key_F3));
  connect(show_, &QAction::triggered, this, &TestDock::Show);
  run_ = new QAction(QStringLiteral("Alle Tests ausführen"), &window);
  run_->setObjectName(QStringLiteral("MIAlleTests"));
  run_->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_T));
  run_->setShortcutContext(Qt::ApplicationShortcut);
  connect(run_, &QAction::triggered, this, &TestDock::RunAll);

  pane_ = new TestPane;
  pane_->setObjectName(QStringLiteral("Tests"));
  connect(pane_, &TestPane::RunRequested, this, &TestDock::RunAll);
  connect(pane_, &TestPane::WordChosen, this, std::move(chosen));
  dock_ = AddPaneDock(window, pane_, QStringLiteral("Tests"), "TestsDock", show_, this);

  again_ = new QTimer(this);
  again_->setSingleShot(true);
  again_->setInterval(500);
  connect(again_, &QTimer::timeout, this, [this] {
    if (!dock_->isHidden()) RunAll();
  });
  connect(&program, &QPlainTextEdit::textChanged, this, [this] {
    pane_->MarkStale();
    if (!dock_->isHidden() && pane_->Stale()) again_->start();
  });
}

void TestDock::Show(bool shown) {
  show_->setChecked(shown);
  if (shown == !dock_->isHidden()) return;
  // Beside the diagram, the two share the dock as tabs.
  const bool beside = !beside_.isHidden();
  if (!beside) growBy_(shown ? kTestPaneWidth : -dock_->width());
  dock_->setVisible(shown);
  if (!shown) return;
  if (beside)
    window_.tabifyDockWidget(&beside_, dock_);
  else
    window_.resizeDocks({dock_}, {kTestPaneWidth}, Qt::Horizontal);
  dock_->raise();
}

void TestDock::RunAll() {
  again_->stop();
  Show(true);
  pane_->RunAll(sim_.State().kind, view_.ProgramText(), view_.ProgramLines());
}

}  // namespace automaten
