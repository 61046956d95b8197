#include "diagrameditor.h"

#include <QAction>
#include <QContextMenuEvent>
#include <QGraphicsEllipseItem>
#include <QGraphicsLineItem>
#include <QGraphicsSimpleTextItem>
#include <QGraphicsView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>
#include <QVBoxLayout>
#include <algorithm>

#include "control/view.h"
#include "diagrampane.h"

namespace automaten {

namespace {

const QColor kChoice(0, 99, 177);

QString Text(const std::string& utf8) { return QString::fromStdString(utf8); }

DiagramPoint PointOf(const QPointF& p) { return {p.x(), p.y()}; }

}  // namespace

DiagramEditor::DiagramEditor(DiagramPane& pane, View& view, std::function<void()> reparse, QObject* parent)
    : QObject(parent), pane_(pane), view_(view), gestures_(view), reparse_(std::move(reparse)) {
  mode_ = new QAction(QStringLiteral("Bearbeiten"), &pane_);
  mode_->setObjectName(QStringLiteral("DiagrammBearbeiten"));
  mode_->setCheckable(true);
  mode_->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_B));
  connect(mode_, &QAction::toggled, this, [this](bool on) {
    CloseLabel();
    gestures_.Restart();
    ShowChoice();
    pane_.SetHint(on ? Text(DiagramGestures::kModeHint) : QString());
    if (on) pane_.View().setFocus();
  });

  // The label editor in place: the line, and under it the parser's fault.
  editor_ = new QWidget(pane_.View().viewport());
  editor_->setObjectName(QStringLiteral("BeschriftungEditor"));
  editor_->setAutoFillBackground(true);
  auto* layout = new QVBoxLayout(editor_);
  layout->setContentsMargins(2, 2, 2, 2);
  layout->setSpacing(1);
  field_ = new QLineEdit(editor_);
  field_->setObjectName(QStringLiteral("Beschriftung"));
  field_->setAccessibleName(QStringLiteral("Beschriftung"));
  fault_ = new QLabel(editor_);
  fault_->setStyleSheet(QStringLiteral("color: #b00000"));
  fault_->setWordWrap(true);
  fault_->hide();
  layout->addWidget(field_);
  layout->addWidget(fault_);
  editor_->hide();
  field_->installEventFilter(this);

  pane_.View().installEventFilter(this);
  pane_.View().viewport()->installEventFilter(this);
  connect(&pane_, &DiagramPane::LaidOut, this, &DiagramEditor::Drawn);
  connect(&pane_, &DiagramPane::Relabelled, this, &DiagramEditor::Drawn);
}

bool DiagramEditor::Editing() const { return mode_->isChecked(); }

QLineEdit* DiagramEditor::LabelEditor() const { return editor_->isVisible() ? field_ : nullptr; }

QString DiagramEditor::LabelFault() const { return fault_->isVisible() ? fault_->text() : QString(); }

// Where the layout put the state, in the scene.
QPointF DiagramEditor::Centre(std::size_t node) const {
  QGraphicsEllipseItem* item = pane_.NodeItem(node);
  return item != nullptr ? item->rect().center() : QPointF();
}

bool DiagramEditor::eventFilter(QObject* watched, QEvent* event) {
  if (watched == field_ && event->type() == QEvent::KeyPress) {
    const int key = static_cast<QKeyEvent*>(event)->key();
    if (key == Qt::Key_Return || key == Qt::Key_Enter) CommitLabel();
    if (key == Qt::Key_Escape) CloseLabel();
    return key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Escape;
  }
  if (!Editing() || (pane_.Shown().nodes.empty() && event->type() != QEvent::MouseButtonDblClick)) return false;
  if (watched == pane_.View().viewport()) return Mouse(event);
  if (watched == &pane_.View() && event->type() == QEvent::KeyPress) return Key(event);
  return false;
}

bool DiagramEditor::Mouse(QEvent* event) {
  const QEvent::Type type = event->type();
  if (type == QEvent::ContextMenu) {
    auto* menu = static_cast<QContextMenuEvent*>(event);
    ContextMenu(pane_.View().mapToScene(menu->pos()), menu->globalPos());
    return true;
  }
  if (type != QEvent::MouseButtonDblClick && type != QEvent::MouseButtonPress && type != QEvent::MouseMove &&
      type != QEvent::MouseButtonRelease)
    return false;
  auto* mouse = static_cast<QMouseEvent*>(event);
  const QPointF at = pane_.View().mapToScene(mouse->position().toPoint());
  if (type == QEvent::MouseButtonDblClick) {
    drag_ = Drag::None;
    Do(gestures_.DoubleClick(PointOf(at), pane_.NodeAt(at), pane_.LineAt(at)));
    return true;
  }
  if (type == QEvent::MouseButtonPress && mouse->button() == Qt::LeftButton) {
    pane_.View().setFocus();
    const long long node = pane_.NodeAt(at);
    if (node >= 0) {
      Do(gestures_.ChooseNode(node));
      drag_ = mouse->modifiers() & Qt::ShiftModifier ? Drag::Connect : Drag::Move;
      dragNode_ = node;
      dragStart_ = at;
      if (drag_ == Drag::Connect) {
        arrow_ =
            pane_.Scene().addLine(QLineF(Centre(static_cast<std::size_t>(node)), at), QPen(kChoice, 1.5, Qt::DashLine));
      }
      return true;
    }
    const auto line = pane_.LineAt(at);
    Do(line.first >= 0 ? gestures_.ChooseLine(line) : gestures_.ChooseNode(-1));
    return true;
  }
  if (type == QEvent::MouseMove && drag_ != Drag::None) {
    if (drag_ == Drag::Move) {
      if (QGraphicsEllipseItem* item = pane_.NodeItem(static_cast<std::size_t>(dragNode_)))
        item->setPos(at - dragStart_);
    } else if (arrow_ != nullptr) {
      arrow_->setLine(QLineF(Centre(static_cast<std::size_t>(dragNode_)), at));
    }
    return true;
  }
  if (type == QEvent::MouseButtonRelease && drag_ != Drag::None) {
    const Drag drag = drag_;
    drag_ = Drag::None;
    const auto node = static_cast<std::size_t>(dragNode_);
    if (drag == Drag::Move) {
      if (QGraphicsEllipseItem* item = pane_.NodeItem(node)) item->setPos(0, 0);
      Do(gestures_.Dragged(node, PointOf(at - dragStart_)));
    } else {
      delete arrow_;
      arrow_ = nullptr;
      const long long target = pane_.NodeAt(at);
      if (target >= 0) Do(gestures_.Connected(node, static_cast<std::size_t>(target)));
    }
    return true;
  }
  return false;
}

bool DiagramEditor::Key(QEvent* event) {
  auto* key = static_cast<QKeyEvent*>(event);
  if (key->modifiers() & Qt::ControlModifier) {
    if (gestures_.ChosenNode() < 0) return false;
    switch (key->key()) {
      case Qt::Key_Left: Do(gestures_.Press(GestureKey::MoveLeft)); return true;
      case Qt::Key_Right: Do(gestures_.Press(GestureKey::MoveRight)); return true;
      case Qt::Key_Up: Do(gestures_.Press(GestureKey::MoveUp)); return true;
      case Qt::Key_Down: Do(gestures_.Press(GestureKey::MoveDown)); return true;
      default: return false;
    }
  }
  GestureKey pressed;
  switch (key->key()) {
    case Qt::Key_Tab:
    case Qt::Key_Right: pressed = GestureKey::NextState; break;
    case Qt::Key_Backtab:
    case Qt::Key_Left: pressed = GestureKey::PreviousState; break;
    case Qt::Key_Down: pressed = GestureKey::NextLine; break;
    case Qt::Key_Up: pressed = GestureKey::PreviousLine; break;
    case Qt::Key_N:
    case Qt::Key_Insert: pressed = GestureKey::NewState; break;
    case Qt::Key_C: pressed = GestureKey::Connect; break;
    case Qt::Key_E: pressed = GestureKey::EndState; break;
    case Qt::Key_Delete:
    case Qt::Key_Backspace: pressed = GestureKey::Remove; break;
    case Qt::Key_Escape: pressed = GestureKey::Cancel; break;
    case Qt::Key_F2:
    case Qt::Key_Return:
    case Qt::Key_Enter: pressed = GestureKey::Edit; break;
    default: return false;
  }
  Do(gestures_.Press(pressed));
  return true;
}

void DiagramEditor::ContextMenu(const QPointF& scenePos, const QPoint& globalPos) {
  QMenu menu;
  const long long node = pane_.NodeAt(scenePos);
  const auto line = pane_.LineAt(scenePos);
  if (node >= 0) {
    Do(gestures_.ChooseNode(node));
    const auto n = static_cast<std::size_t>(node);
    QAction* end = menu.addAction(QStringLiteral("Endzustand"));
    end->setCheckable(true);
    end->setChecked(pane_.Shown().nodes[n].end);
    connect(end, &QAction::triggered, this, [this, n] { Do(gestures_.ToggleEnd(n)); });
    menu.addAction(QStringLiteral("Übergang von hier"), this, [this, n] { Do(gestures_.ConnectFrom(n)); });
  } else if (line.first >= 0) {
    Do(gestures_.ChooseLine(line));
    menu.addAction(QStringLiteral("Beschriftung ändern"), this,
                   [this, line, scenePos] { Do(gestures_.EditLine(line, PointOf(scenePos))); });
  } else {
    menu.addAction(QStringLiteral("Neuer Zustand"), this,
                   [this, scenePos] { Do(gestures_.AddStateAt(PointOf(scenePos))); });
  }
  if (node >= 0 || line.first >= 0) menu.addAction(QStringLiteral("Löschen"), this, [this] { Do(gestures_.Remove()); });
  menu.exec(globalPos);
}

void DiagramEditor::Do(const GestureAnswer& answer) {
  if (answer.edit) {
    ApplyToView(view_, *answer.edit);
    reparse_();
  }
  if (answer.openLabel) OpenLabel(answer);
  if (answer.labelFault) {  // the fault in place; the editor stays
    fault_->setText(Text(answer.said));
    fault_->show();
    editor_->adjustSize();
  }
  if (!answer.said.empty()) pane_.SetHint(Text(answer.said));
  ShowChoice();
}

void DiagramEditor::OpenLabel(const GestureAnswer& answer) {
  QPointF scenePos;
  if (answer.labelAt) {
    scenePos = QPointF(answer.labelAt->x, answer.labelAt->y);
  } else {
    const auto line = gestures_.ChosenLine();
    if (QGraphicsSimpleTextItem* item = pane_.LineItem(line.first, line.second))
      scenePos = item->sceneBoundingRect().center();
  }
  field_->setText(Text(answer.labelText));
  field_->setPlaceholderText(Text(gestures_.LabelPlaceholder()));
  fault_->hide();
  editor_->adjustSize();
  editor_->resize(std::max(editor_->width(), 160), editor_->height());
  const QPoint at = pane_.View().mapFromScene(scenePos);
  editor_->move(
      std::clamp(at.x() - editor_->width() / 2, 0, std::max(0, pane_.View().viewport()->width() - editor_->width())),
      std::clamp(at.y() - editor_->height() / 2, 0,
                 std::max(0, pane_.View().viewport()->height() - editor_->height())));
  editor_->show();
  editor_->raise();
  field_->setFocus();
  field_->selectAll();
}

void DiagramEditor::CommitLabel() {
  const GestureAnswer answer = gestures_.CommitLabel(field_->text().toStdString());
  if (!answer.labelFault) CloseLabel();
  Do(answer);
}

void DiagramEditor::CloseLabel() {
  gestures_.CloseLabel();
  if (editor_->isVisible()) {
    editor_->hide();
    pane_.View().setFocus();
  }
}

// ---- What is chosen ----

void DiagramEditor::ShowChoice() {
  const long long node = gestures_.ChosenNode();
  const auto line = gestures_.ChosenLine();
  for (std::size_t i = 0; QGraphicsEllipseItem* item = pane_.NodeItem(i); ++i)
    item->setPen(static_cast<long long>(i) == node ? QPen(kChoice, 3) : QPen(Qt::black, 1));
  for (std::size_t e = 0; e < pane_.Shown().edges.size(); ++e)
    for (std::size_t l = 0; QGraphicsSimpleTextItem* item = pane_.LineItem(e, l); ++l)
      item->setPen(line == std::pair<long long, long long>(e, l) ? QPen(kChoice, 0.8) : QPen(Qt::NoPen));
}

void DiagramEditor::Drawn() {
  std::vector<DiagramPoint> centres;
  for (std::size_t i = 0; i < pane_.Shown().nodes.size(); ++i) centres.push_back(PointOf(Centre(i)));
  gestures_.Drawn(pane_.Shown(), std::move(centres));
  ShowChoice();
}

}  // namespace automaten
