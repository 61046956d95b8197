// The pane "Tests" of the main window: F3 shows it, Ctrl+T runs every case of
// the program without touching the tape, the program or the machine shown; a
// double-click puts a case's word on the tape and resets.
#include <QAction>
#include <QDockWidget>

#include "testpane.h"
#include "tform1.h"

namespace automaten {

constexpr int kTestPaneWidth = 420;

void TForm1::CreateTestPane() {
  MITests = new QAction(QStringLiteral("Tests"), this);
  MITests->setObjectName(QStringLiteral("MITests"));
  MITests->setCheckable(true);
  MITests->setShortcut(QKeySequence(Qt::Key_F3));
  MITests->setShortcutContext(Qt::ApplicationShortcut);
  connect(MITests, &QAction::triggered, this, &TForm1::ShowTests);
  MIAlleTests = new QAction(QStringLiteral("Alle Tests ausführen"), this);
  MIAlleTests->setObjectName(QStringLiteral("MIAlleTests"));
  MIAlleTests->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_T));
  MIAlleTests->setShortcutContext(Qt::ApplicationShortcut);
  connect(MIAlleTests, &QAction::triggered, this, &TForm1::RunAllTests);

  Tests = new TestPane;
  Tests->setObjectName(QStringLiteral("Tests"));
  connect(Tests, &TestPane::RunRequested, this, &TForm1::RunAllTests);
  connect(Tests, &TestPane::WordChosen, this, [this](const std::string& word) {
    SetFieldText(Field::EBand, word);
    sim_.Reset();
  });
  testDock_ = new QDockWidget(QStringLiteral("Tests"), this);
  testDock_->setObjectName(QStringLiteral("TestsDock"));
  testDock_->setWidget(Tests);
  testDock_->setFeatures(QDockWidget::DockWidgetClosable | QDockWidget::DockWidgetMovable);
  addDockWidget(Qt::RightDockWidgetArea, testDock_);
  testDock_->hide();
  connect(testDock_, &QDockWidget::visibilityChanged, this, [this](bool) {
    if (testDock_->isHidden() && !isHidden()) MITests->setChecked(false);
  });
}

void TForm1::ShowTests(bool shown) {
  MITests->setChecked(shown);
  if (shown == !testDock_->isHidden()) return;
  // Beside the diagram, the two share the dock as tabs.
  const bool beside = !diagramDock_->isHidden();
  if (!beside) GrowBy(shown ? kTestPaneWidth : -testDock_->width());
  testDock_->setVisible(shown);
  if (!shown) return;
  if (beside)
    tabifyDockWidget(diagramDock_, testDock_);
  else
    resizeDocks({testDock_}, {kTestPaneWidth}, Qt::Horizontal);
  testDock_->raise();
}

void TForm1::RunAllTests() {
  ShowTests(true);
  Tests->RunAll(sim_.State().kind, ProgramText(), ProgramLines());
}

}  // namespace automaten
