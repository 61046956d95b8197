#include "diagramdock.h"

#include <QAction>
#include <QDockWidget>
#include <QGraphicsView>
#include <QLabel>
#include <QMainWindow>
#include <QPlainTextEdit>
#include <QScreen>
#include <QShortcut>
#include <QTimer>
#include <QVBoxLayout>

#include "diagram/layout.h"
#include "diagrameditor.h"
#include "diagrampane.h"
#include "dialogs.h"
#include "panedock.h"

namespace automaten {

DiagramDock::DiagramDock(QMainWindow& window, QPlainTextEdit& program, const Simulation& sim, View& view,
                         Dialogs& dialogs, std::function<void(int)> growBy)
    : window_(window), dialogs_(dialogs), growBy_(std::move(growBy)), follower_(sim, view) {
  show_ = MakePaneAction(window, QStringLiteral("Zustandsdiagramm"), "MIDiagramm", QKeySequence(Qt::Key_F4));
  connect(show_, &QAction::triggered, this, &DiagramDock::Show);
  export_ = new QAction(QStringLiteral("Diagramm exportieren..."), &window);
  export_->setObjectName(QStringLiteral("DiagrammExportieren"));
  connect(export_, &QAction::triggered, this, &DiagramDock::Export);
  marks_ = new QAction(QStringLiteral("Export mit Markierung"), &window);
  marks_->setObjectName(QStringLiteral("ExportMitMarkierung"));
  marks_->setCheckable(true);
  full_ = MakePaneAction(window, QStringLiteral("Diagramm im Vollbild"), "DiagrammVollbild", QKeySequence(Qt::Key_F11));
  connect(full_, &QAction::triggered, this, &DiagramDock::ShowFullScreen);
  // A build without Graphviz draws no diagram.
  for (QAction* a : {show_, export_, full_}) a->setEnabled(CanLayOut());

  pane_ = new DiagramPane;
  pane_->setObjectName(QStringLiteral("Diagramm"));
  connect(pane_, &DiagramPane::LaidOut, this, &DiagramDock::Mark);
  pane_->AddTool(QStringLiteral("Vollbild"), full_);
  editor_ = new DiagramEditor(
      *pane_, view, [this] { ParseText(); }, this);
  pane_->AddToolAction(editor_->ModeAction());
  window.addAction(editor_->ModeAction());
  editor_->ModeAction()->setEnabled(CanLayOut());
  connect(editor_->ModeAction(), &QAction::toggled, this, [this](bool on) {
    if (on && !Shown()) Show(true);
  });
  dock_ = AddPaneDock(window, pane_, QStringLiteral("Zustandsdiagramm"), "DiagrammDock", show_, this,
                      Qt::RightDockWidgetArea);
  connect(dock_, &QDockWidget::visibilityChanged, this, [this](bool) {
    if (dock_->isHidden()) ShowFullScreen(false);
  });

  // The full screen is a window of its own, which the main window owns.
  screen_ = new QWidget(&window, Qt::Window);
  screen_->setObjectName(QStringLiteral("DiagrammVollbild"));
  screen_->setWindowTitle(QStringLiteral("Zustandsdiagramm"));
  auto* layout = new QVBoxLayout(screen_);
  layout->setContentsMargins(0, 0, 0, 0);
  auto* leave = new QShortcut(QKeySequence(Qt::Key_Escape), screen_);
  connect(leave, &QShortcut::activated, this, [this] { ShowFullScreen(false); });
  auto* placeholder = new QLabel(QStringLiteral("Das Diagramm wird im Vollbild gezeigt (Esc beendet es)."), dock_);
  placeholder->setObjectName(QStringLiteral("DiagrammImVollbild"));
  placeholder->setWordWrap(true);
  placeholder->hide();
  placeholder_ = placeholder;

  timer_ = new QTimer(this);
  timer_->setSingleShot(true);
  timer_->setInterval(300);
  connect(timer_, &QTimer::timeout, this, &DiagramDock::ParseText);
  connect(&program, &QPlainTextEdit::textChanged, this, [this] {
    if (Shown()) timer_->start();
  });
}

bool DiagramDock::CanPrint() const { return Shown() && !pane_->Shown().nodes.empty() && !pane_->LayoutPending(); }

void DiagramDock::Print(QPainter& painter, const QRectF& target) {
  pane_->Render(painter, target, marks_->isChecked());
}

QAction* DiagramDock::EditAction() const { return editor_->ModeAction(); }

bool DiagramDock::Shown() const { return !dock_->isHidden(); }

// Restored at the start, the pane takes its place in the bounds kept.
void DiagramDock::Show(bool shown) {
  if (ShowPaneDock(window_, *dock_, *show_, shown, width_, growBy_)) Draw(follower_.Opened());
}

PaneState DiagramDock::State() const { return PaneStateOf(*dock_, width_); }

void DiagramDock::SetState(const PaneState& pane) {
  width_ = pane.size;
  Show(pane.shown);
}

void DiagramDock::SetZoom(int percent) {
  pane_->SetZoom(percent);
  screen_->setFont(window_.font());  // a window of its own takes no font from the main window
}

void DiagramDock::KeysOnTheFullScreen(const QList<QAction*>& running) { screen_->addActions(running); }

bool DiagramDock::FullScreen() const { return pane_->parentWidget() == screen_; }

void DiagramDock::ShowFullScreen(bool on) {
  full_->setChecked(on);
  if (on == FullScreen()) return;
  if (on) {
    paneBeforeFullScreen_ = Shown();
    Show(true);
    placeholder_->show();
    dock_->setWidget(placeholder_);
    screen_->layout()->addWidget(pane_);
    pane_->show();
    // The whole screen also where no window manager takes the full-screen state.
    if (window_.screen() != nullptr) screen_->setGeometry(window_.screen()->geometry());
    screen_->showFullScreen();
    screen_->activateWindow();
    pane_->View().setFocus();
    return;
  }
  screen_->hide();
  dock_->setWidget(pane_);
  pane_->show();
  window_.activateWindow();
  if (!paneBeforeFullScreen_) Show(false);  // the pane as it was before
}

void DiagramDock::ParseText() {
  if (Shown()) Draw(follower_.TextChanged());
}

void DiagramDock::MachineShown() {
  if (!Shown()) return;
  const DiagramUpdate update = follower_.MachineShown();
  if (update.change != DiagramUpdate::Change::None) timer_->stop();  // the reset's parse is newer
  Draw(update);
}

void DiagramDock::Draw(const DiagramUpdate& update) {
  switch (update.change) {
    case DiagramUpdate::Change::Fault: pane_->ShowFault(QString::fromStdString(update.note)); return;
    case DiagramUpdate::Change::TooLarge: pane_->ShowTooLarge(QString::fromStdString(update.note)); return;
    case DiagramUpdate::Change::Diagram: pane_->ShowDiagram(update.diagram, QString::fromStdString(update.note)); break;
    case DiagramUpdate::Change::None: break;
  }
  Mark();
}

void DiagramDock::Mark() { pane_->Mark(follower_.Mark(pane_->Shown())); }

void DiagramDock::Export() {
  const QString path = dialogs_.ChooseFile(&window_, Dialogs::File::ExportDiagram, {});
  if (path.isEmpty()) return;
  if (!path.endsWith(QStringLiteral(".svg"), Qt::CaseInsensitive) &&
      !path.endsWith(QStringLiteral(".png"), Qt::CaseInsensitive)) {
    dialogs_.Error(&window_, QStringLiteral("Das Diagramm wird als .svg oder .png gespeichert."));
    return;
  }
  if (pane_->Shown().nodes.empty()) {
    dialogs_.Error(&window_,
                   QStringLiteral("Es gibt noch kein Diagramm: das Programm ist noch nicht fehlerfrei übersetzt."));
    return;
  }
  QString error;
  if (!pane_->Export(path, marks_->isChecked(), error))
    dialogs_.Error(&window_, QStringLiteral("%1 kann nicht geschrieben werden: %2").arg(path, error));
}

}  // namespace automaten
