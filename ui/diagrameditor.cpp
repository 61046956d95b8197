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
#include <cmath>

#include "control/view.h"
#include "diagrampane.h"

namespace automaten {

namespace {

const QColor kChoice(0, 99, 177);
constexpr double kKeyStep = 20;  // Ctrl and an arrow move a state this far

QString Text(const std::string& utf8) { return QString::fromStdString(utf8); }

}  // namespace

DiagramEditor::DiagramEditor(DiagramPane& pane, View& view, std::function<void()> reparse, QObject* parent)
    : QObject(parent), pane_(pane), view_(view), reparse_(std::move(reparse)) {
  mode_ = new QAction(QStringLiteral("Bearbeiten"), &pane_);
  mode_->setObjectName(QStringLiteral("DiagrammBearbeiten"));
  mode_->setCheckable(true);
  mode_->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_B));
  connect(mode_, &QAction::toggled, this, [this](bool on) {
    CloseLabel();
    connectFrom_ = -1;
    ChooseNode(-1, false);
    pane_.SetHint(on ? QStringLiteral("Bearbeiten: Doppelklick auf eine freie Stelle legt einen Zustand an, Ziehen "
                                      "verschiebt ihn, Umschalt+Ziehen zu einem Zustand legt einen Übergang an, "
                                      "Doppelklick auf eine Beschriftung ändert sie, Entf löscht. Tasten: Tab wählt, "
                                      "N neuer Zustand, C verbinden, E Endzustand, F2 ändern.")
                     : QString());
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
  connect(&pane_, &DiagramPane::LaidOut, this, &DiagramEditor::Rechoose);
}

bool DiagramEditor::Editing() const { return mode_->isChecked(); }

QLineEdit* DiagramEditor::LabelEditor() const { return editor_->isVisible() ? field_ : nullptr; }

QString DiagramEditor::LabelFault() const { return fault_->isVisible() ? fault_->text() : QString(); }

MachineKind DiagramEditor::Kind() const { return pane_.Shown().kind; }

std::string DiagramEditor::NodeName(std::size_t node) const {
  const Diagram& d = pane_.Shown();
  return node < d.nodes.size() ? d.nodes[node].name : std::string();
}

// Where the layout put the state, in the scene.
QPointF DiagramEditor::Centre(std::size_t node) const {
  QGraphicsEllipseItem* item = pane_.NodeItem(node);
  return item != nullptr ? item->rect().center() : QPointF();
}

QPointF DiagramEditor::Free() const {
  double right = 0, y = 40;
  for (std::size_t i = 0; i < pane_.Shown().nodes.size(); ++i)
    if (Centre(i).x() > right) {
      right = Centre(i).x();
      y = Centre(i).y();
    }
  return {right + 90, y};
}

std::optional<std::size_t> DiagramEditor::Written(std::pair<long long, long long> line) const {
  const Diagram& d = pane_.Shown();
  if (line.first < 0 || static_cast<std::size_t>(line.first) >= d.edges.size()) return std::nullopt;
  const DiagramEdge& e = d.edges[static_cast<std::size_t>(line.first)];
  if (line.second < 0 || static_cast<std::size_t>(line.second) >= e.written.size()) return std::nullopt;
  return e.written[static_cast<std::size_t>(line.second)];
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
    const auto line = pane_.LineAt(at);
    if (line.first >= 0) {
      ChooseLine(line);
      if (const auto written = Written(line))
        OpenLabel({true, "", "", *written}, at, pane_.LineItem(line.first, line.second)->text());
    } else if (pane_.NodeAt(at) < 0) {
      AddStateAt(at);
    }
    return true;
  }
  if (type == QEvent::MouseButtonPress && mouse->button() == Qt::LeftButton) {
    pane_.View().setFocus();
    const long long node = pane_.NodeAt(at);
    if (node >= 0) {
      ChooseNode(node);
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
    if (line.first >= 0)
      ChooseLine(line);
    else
      ChooseNode(-1);
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
      const QPointF by = at - dragStart_;
      if (QGraphicsEllipseItem* item = pane_.NodeItem(node)) item->setPos(0, 0);
      if (std::hypot(by.x(), by.y()) >= 3) MoveTo(node, Centre(node) + by);
    } else {
      delete arrow_;
      arrow_ = nullptr;
      const long long target = pane_.NodeAt(at);
      if (target >= 0) {
        const QPointF middle = (Centre(node) + Centre(static_cast<std::size_t>(target))) / 2;
        OpenLabel({false, NodeName(node), NodeName(static_cast<std::size_t>(target)), 0}, middle, QString());
      }
    }
    return true;
  }
  return false;
}

bool DiagramEditor::Key(QEvent* event) {
  auto* key = static_cast<QKeyEvent*>(event);
  const std::size_t nodes = pane_.Shown().nodes.size();
  const bool ctrl = key->modifiers() & Qt::ControlModifier;
  const auto step = [&](int by) {
    const long long from = node_ < 0 ? (by > 0 ? -1 : 0) : node_;
    ChooseNode((from + by + static_cast<long long>(nodes)) % static_cast<long long>(nodes));
  };
  // The label lines, edge by edge, as one list.
  std::vector<std::pair<long long, long long>> lines;
  for (std::size_t e = 0; e < pane_.Shown().edges.size(); ++e)
    for (std::size_t l = 0; l < pane_.Shown().edges[e].lines.size(); ++l)
      lines.emplace_back(static_cast<long long>(e), static_cast<long long>(l));
  const auto lineStep = [&](int by) {
    if (lines.empty()) return;
    const auto at = std::find(lines.begin(), lines.end(), line_);
    const long long i = at == lines.end() ? (by > 0 ? -1 : 0) : at - lines.begin();
    const auto n = static_cast<long long>(lines.size());
    ChooseLine(lines[static_cast<std::size_t>((i + by + n) % n)]);
  };
  if (ctrl && node_ >= 0) {
    const QPointF by = key->key() == Qt::Key_Left    ? QPointF(-kKeyStep, 0)
                       : key->key() == Qt::Key_Right ? QPointF(kKeyStep, 0)
                       : key->key() == Qt::Key_Up    ? QPointF(0, -kKeyStep)
                       : key->key() == Qt::Key_Down  ? QPointF(0, kKeyStep)
                                                     : QPointF();
    if (!by.isNull()) {
      MoveTo(static_cast<std::size_t>(node_), Centre(static_cast<std::size_t>(node_)) + by);
      return true;
    }
    return false;
  }
  switch (key->key()) {
    case Qt::Key_Tab:
    case Qt::Key_Right: step(1); return true;
    case Qt::Key_Backtab:
    case Qt::Key_Left: step(-1); return true;
    case Qt::Key_Down: lineStep(1); return true;
    case Qt::Key_Up: lineStep(-1); return true;
    case Qt::Key_N:
    case Qt::Key_Insert: AddStateAt(Free()); return true;
    case Qt::Key_C:
      if (node_ >= 0) {
        connectFrom_ = node_;
        pane_.SetHint(QStringLiteral("Übergang von %1: Ziel mit Tab oder den Pfeiltasten wählen, dann Eingabe.")
                          .arg(Text(NodeName(static_cast<std::size_t>(node_)))));
      }
      return true;
    case Qt::Key_E:
      if (node_ >= 0) ToggleEnd(static_cast<std::size_t>(node_));
      return true;
    case Qt::Key_Delete:
    case Qt::Key_Backspace: Remove(); return true;
    case Qt::Key_Escape:
      connectFrom_ = -1;
      ChooseNode(-1);
      return true;
    case Qt::Key_F2:
    case Qt::Key_Return:
    case Qt::Key_Enter:
      if (connectFrom_ >= 0 && node_ >= 0) {
        const auto from = static_cast<std::size_t>(connectFrom_), to = static_cast<std::size_t>(node_);
        connectFrom_ = -1;
        OpenLabel({false, NodeName(from), NodeName(to), 0}, (Centre(from) + Centre(to)) / 2, QString());
      } else if (const auto written = Written(line_)) {
        QGraphicsSimpleTextItem* item = pane_.LineItem(line_.first, line_.second);
        OpenLabel({true, "", "", *written}, item->sceneBoundingRect().center(), item->text());
      }
      return true;
    default: return false;
  }
}

void DiagramEditor::ContextMenu(const QPointF& scenePos, const QPoint& globalPos) {
  QMenu menu;
  const long long node = pane_.NodeAt(scenePos);
  const auto line = pane_.LineAt(scenePos);
  if (node >= 0) {
    ChooseNode(node);
    QAction* end = menu.addAction(QStringLiteral("Endzustand"));
    end->setCheckable(true);
    end->setChecked(pane_.Shown().nodes[static_cast<std::size_t>(node)].end);
    connect(end, &QAction::triggered, this, [this, node] { ToggleEnd(static_cast<std::size_t>(node)); });
    menu.addAction(QStringLiteral("Übergang von hier"), this, [this, node] {
      connectFrom_ = node;
      pane_.SetHint(QStringLiteral("Übergang von %1: Ziel mit Tab oder den Pfeiltasten wählen, dann Eingabe.")
                        .arg(Text(NodeName(static_cast<std::size_t>(node)))));
    });
  } else if (line.first >= 0) {
    ChooseLine(line);
    menu.addAction(QStringLiteral("Beschriftung ändern"), this, [this, line, scenePos] {
      if (const auto written = Written(line))
        OpenLabel({true, "", "", *written}, scenePos, pane_.LineItem(line.first, line.second)->text());
    });
  } else {
    menu.addAction(QStringLiteral("Neuer Zustand"), this, [this, scenePos] { AddStateAt(scenePos); });
  }
  if (node >= 0 || line.first >= 0) menu.addAction(QStringLiteral("Löschen"), this, &DiagramEditor::Remove);
  menu.exec(globalPos);
}

// ---- The edits ----

void DiagramEditor::Apply(const LinesEdit& edit, const QString& said) {
  if (!edit.Ok()) {
    pane_.SetHint(Text(edit.fault));
    return;
  }
  ApplyToView(view_, edit);
  reparse_();
  pane_.SetHint(said);
}

// The places are the scene's, shifted as a state already placed shows; the
// first state placed pins the whole picture as it stands.
std::vector<StatePlace> DiagramEditor::PlacesWith(const std::string& name, const QPointF& centre) const {
  const Diagram& d = pane_.Shown();
  std::optional<QPointF> shift;
  for (std::size_t i = 0; i < d.nodes.size() && !shift; ++i)
    if (d.nodes[i].placed) shift = Centre(i) - QPointF(d.nodes[i].x, d.nodes[i].y);
  std::vector<StatePlace> places;
  const auto place = [&](const std::string& state, QPointF at) {
    at -= shift.value_or(QPointF());
    places.push_back({state, std::round(at.x()), std::round(at.y())});
  };
  if (!shift)
    for (std::size_t i = 0; i < d.nodes.size(); ++i)
      if (d.nodes[i].name != name) place(d.nodes[i].name, Centre(i));
  place(name, centre);
  return places;
}

void DiagramEditor::MoveTo(std::size_t node, const QPointF& centre) {
  if (node >= pane_.Shown().nodes.size()) return;
  const std::string name = NodeName(node);
  Apply(PlaceStates(ProgramLinesOf(view_), PlacesWith(name, centre)),
        QStringLiteral("Zustand %1 verschoben.").arg(Text(name)));
}

// The new state is placed like a dragged one: until it has a line, only its place holds it.
void DiagramEditor::AddStateAt(const QPointF& scenePos) {
  const std::string name = NewStateName(pane_.Shown());
  if (name.empty()) {
    pane_.SetHint(QStringLiteral("Beim NEA sind nur die Zustände A, 1, ..., 9, E und F erlaubt."));
    return;
  }
  chosenName_ = name;
  Apply(PlaceStates(ProgramLinesOf(view_), PlacesWith(name, scenePos)),
        QStringLiteral("Zustand %1 hinzugefügt.").arg(Text(name)));
}

void DiagramEditor::ToggleEnd(std::size_t node) {
  const Diagram& d = pane_.Shown();
  if (node >= d.nodes.size()) return;
  const bool end = !d.nodes[node].end;
  const QString name = Text(d.nodes[node].name);
  Apply(SetEndState(Kind(), ProgramLinesOf(view_), d.nodes[node].name, end),
        end ? QStringLiteral("Zustand %1 ist ein Endzustand.").arg(name)
            : QStringLiteral("Zustand %1 ist kein Endzustand mehr.").arg(name));
}

void DiagramEditor::Remove() {
  if (const auto written = Written(line_)) {
    const QString label = pane_.LineItem(line_.first, line_.second)->text();
    line_ = {-1, -1};
    Apply(RemoveTransition(Kind(), ProgramLinesOf(view_), *written),
          QStringLiteral("Übergang %1 gelöscht.").arg(label));
  } else if (node_ >= 0) {
    const std::string name = NodeName(static_cast<std::size_t>(node_));
    chosenName_.clear();
    Apply(RemoveState(Kind(), ProgramLinesOf(view_), name), QStringLiteral("Zustand %1 gelöscht.").arg(Text(name)));
  }
}

void DiagramEditor::OpenLabel(const Target& target, const QPointF& scenePos, const QString& text) {
  target_ = target;
  field_->setText(text);
  field_->setPlaceholderText(QStringLiteral("z. B. ") + Text(LabelForm(Kind())));
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
  pane_.SetHint(target.edit ? QStringLiteral("Beschriftung ändern, Eingabe übernimmt, Esc bricht ab.")
                            : QStringLiteral("Übergang von %1 nach %2: Beschriftung wie %3 eingeben.")
                                  .arg(Text(target.from), Text(target.to), Text(LabelForm(Kind()))));
}

void DiagramEditor::CommitLabel() {
  if (!target_) return;
  const std::string label = field_->text().trimmed().toStdString();
  const std::vector<std::string> lines = ProgramLinesOf(view_);
  const LinesEdit edit = target_->edit ? EditTransition(Kind(), lines, target_->written, label)
                                       : AddTransition(Kind(), lines, target_->from, target_->to, label);
  if (!edit.Ok()) {  // the fault in place; the editor stays
    fault_->setText(Text(edit.fault));
    fault_->show();
    editor_->adjustSize();
    pane_.SetHint(Text(edit.fault));
    return;
  }
  const Target target = *target_;
  CloseLabel();
  Apply(edit, target.edit ? QStringLiteral("Beschriftung geändert: %1.").arg(Text(label))
                          : QStringLiteral("Übergang von %1 nach %2 mit %3 hinzugefügt.")
                                .arg(Text(target.from), Text(target.to), Text(label)));
}

void DiagramEditor::CloseLabel() {
  target_.reset();
  if (editor_->isVisible()) {
    editor_->hide();
    pane_.View().setFocus();
  }
}

// ---- What is chosen ----

void DiagramEditor::ChooseNode(long long node, bool announce) {
  line_ = {-1, -1};
  node_ = node >= 0 && static_cast<std::size_t>(node) < pane_.Shown().nodes.size() ? node : -1;
  chosenName_ = node_ >= 0 ? NodeName(static_cast<std::size_t>(node_)) : std::string();
  ShowChoice();
  if (announce && node_ >= 0) {
    const DiagramNode& n = pane_.Shown().nodes[static_cast<std::size_t>(node_)];
    pane_.SetHint(QStringLiteral("Zustand %1%2%3 gewählt.")
                      .arg(Text(n.name), n.end ? QStringLiteral(", Endzustand,") : QString(),
                           connectFrom_ >= 0 ? QStringLiteral(" als Ziel") : QString()));
  }
}

void DiagramEditor::ChooseLine(std::pair<long long, long long> line) {
  node_ = -1;
  line_ = line;
  ShowChoice();
  const Diagram& d = pane_.Shown();
  if (Written(line)) {
    const DiagramEdge& e = d.edges[static_cast<std::size_t>(line.first)];
    pane_.SetHint(QStringLiteral("Übergang von %1 nach %2: %3 gewählt.")
                      .arg(Text(d.nodes[e.from].name), Text(d.nodes[e.to].name),
                           Text(e.lines[static_cast<std::size_t>(line.second)])));
  }
}

void DiagramEditor::ShowChoice() {
  for (std::size_t i = 0; QGraphicsEllipseItem* item = pane_.NodeItem(i); ++i)
    item->setPen(static_cast<long long>(i) == node_ ? QPen(kChoice, 3) : QPen(Qt::black, 1));
  for (std::size_t e = 0; e < pane_.Shown().edges.size(); ++e)
    for (std::size_t l = 0; QGraphicsSimpleTextItem* item = pane_.LineItem(e, l); ++l)
      item->setPen(line_ == std::pair<long long, long long>(e, l) ? QPen(kChoice, 0.8) : QPen(Qt::NoPen));
}

void DiagramEditor::Rechoose() {
  node_ = -1;
  line_ = {-1, -1};
  const Diagram& d = pane_.Shown();
  for (std::size_t i = 0; i < d.nodes.size(); ++i)
    if (!chosenName_.empty() && d.nodes[i].name == chosenName_) node_ = static_cast<long long>(i);
  ShowChoice();
}

}  // namespace automaten
