// The pane "Zustandsdiagramm" of the main window: shown with F4, drawn anew
// at every reset and, through a silent parse, while the user types; the run's
// position marked at every step.
#include <QAction>
#include <QDockWidget>
#include <QPlainTextEdit>
#include <QScreen>
#include <QTimer>
#include <algorithm>

#include "diagrampane.h"
#include "tform1.h"

namespace automaten {

void TForm1::CreateDiagramPane() {
  MIDiagramm = new QAction(QStringLiteral("Zustandsdiagramm"), this);
  MIDiagramm->setObjectName(QStringLiteral("MIDiagramm"));
  MIDiagramm->setCheckable(true);
  MIDiagramm->setShortcut(QKeySequence(Qt::Key_F4));
  MIDiagramm->setShortcutContext(Qt::ApplicationShortcut);
  connect(MIDiagramm, &QAction::triggered, this, &TForm1::ShowDiagram);
  DiagrammExportieren = new QAction(QStringLiteral("Diagramm exportieren..."), this);
  DiagrammExportieren->setObjectName(QStringLiteral("DiagrammExportieren"));
  connect(DiagrammExportieren, &QAction::triggered, this, &TForm1::ExportDiagram);

  Diagramm = new DiagramPane;
  Diagramm->setObjectName(QStringLiteral("Diagramm"));
  connect(Diagramm, &DiagramPane::LaidOut, this, &TForm1::MarkDiagram);
  diagramDock_ = new QDockWidget(QStringLiteral("Zustandsdiagramm"), this);
  diagramDock_->setObjectName(QStringLiteral("DiagrammDock"));
  diagramDock_->setWidget(Diagramm);
  diagramDock_->setFeatures(QDockWidget::DockWidgetClosable | QDockWidget::DockWidgetMovable);
  addDockWidget(Qt::RightDockWidgetArea, diagramDock_);
  diagramDock_->hide();
  // Closed by its own button, the menu's tick follows.
  connect(diagramDock_, &QDockWidget::visibilityChanged, this, [this](bool) {
    if (!diagramDock_->isHidden() || isHidden()) return;
    MIDiagramm->setChecked(false);
  });

  diagramTimer_ = new QTimer(this);
  diagramTimer_->setSingleShot(true);
  diagramTimer_->setInterval(300);
  connect(diagramTimer_, &QTimer::timeout, this, &TForm1::ParseForDiagram);
  connect(MProgramm, &QPlainTextEdit::textChanged, this, [this] {
    if (!diagramDock_->isHidden()) diagramTimer_->start();
  });
}

void TForm1::ShowDiagram(bool shown) {
  MIDiagramm->setChecked(shown);
  if (shown == !diagramDock_->isHidden()) return;
  if (!shown) {
    diagramWidth_ = diagramDock_->width();
    diagramDock_->hide();
    GrowBy(-diagramWidth_);
    return;
  }
  // Shown by the user, the pane widens the window by its width where the
  // screen has room; restored, it takes its place in the bounds kept.
  GrowBy(diagramWidth_);
  diagramDock_->show();
  resizeDocks({diagramDock_}, {diagramWidth_}, Qt::Horizontal);
  DrawDiagram(follower_.Opened());
}

void TForm1::GrowBy(int pixels) {
  if (restoring_ || isMaximized() || isFullScreen()) return;
  const int room = screen() != nullptr ? screen()->availableGeometry().right() - frameGeometry().right() : 0;
  resize(width() + std::min(pixels, std::max(room, 0)), height());
}

PaneState TForm1::DiagramState() const {
  return {!diagramDock_->isHidden(), diagramDock_->isHidden() ? diagramWidth_ : diagramDock_->width()};
}

void TForm1::SetDiagramState(const PaneState& pane) {
  diagramWidth_ = pane.width;
  ShowDiagram(pane.shown);
}

void TForm1::ParseForDiagram() {
  if (!diagramDock_->isHidden()) DrawDiagram(follower_.TextChanged());
}

void TForm1::MachineShown() {
  if (diagramDock_ == nullptr || diagramDock_->isHidden()) return;
  const DiagramUpdate update = follower_.MachineShown();
  if (update.change != DiagramUpdate::Change::None) diagramTimer_->stop();  // the reset's parse is newer
  DrawDiagram(update);
}

void TForm1::DrawDiagram(const DiagramUpdate& update) {
  if (update.change == DiagramUpdate::Change::Fault) {
    Diagramm->ShowFault(QString::fromStdString(update.note));
    return;
  }
  if (update.change == DiagramUpdate::Change::Program) Diagramm->ShowProgram(*update.program);
  MarkDiagram();
}

void TForm1::MarkDiagram() { Diagramm->Mark(follower_.Mark(Diagramm->Shown())); }

void TForm1::ExportDiagram() {
  const QString path = dialogs_.ChooseFile(this, Dialogs::File::ExportDiagram, {});
  if (path.isEmpty()) return;
  if (!path.endsWith(QStringLiteral(".svg"), Qt::CaseInsensitive) &&
      !path.endsWith(QStringLiteral(".png"), Qt::CaseInsensitive)) {
    ShowError("Das Diagramm wird als .svg oder .png gespeichert.");
    return;
  }
  if (Diagramm->Shown().nodes.empty()) {
    ShowError("Es gibt noch kein Diagramm: das Programm ist noch nicht fehlerfrei übersetzt.");
    return;
  }
  QString error;
  if (!Diagramm->Export(path, error))
    ShowError(QStringLiteral("%1 kann nicht geschrieben werden: %2").arg(path, error).toStdString());
}

}  // namespace automaten
