// Editing the program in its diagram ("Bearbeiten", Strg+B, in the pane's
// tool row). By the mouse: a double-click on empty space adds a state, a
// drag moves one, a drag with Shift from a state to a state (or to itself)
// adds a transition, whose label a small editor in place asks for; a
// double-click on a label line edits it; the context menu and Delete mark an
// end state or remove. By the keys: Tab and the arrows choose a state, Up and
// Down a label line; N adds a state, C connects the chosen state to the one
// chosen next (Enter), F2 or Enter edits the chosen line, E marks an end
// state, Delete removes, Ctrl and the arrows move. Every edit is one edit of
// the program text (one step of its undo); the line under the diagram says
// what was done, for the eye and for a screen reader.
#pragma once

#include <QObject>
#include <QPointF>
#include <functional>
#include <utility>

#include "control/diagramgestures.h"

class QAction;
class QGraphicsLineItem;
class QLabel;
class QLineEdit;
class QMenu;
class QWidget;

namespace automaten {

class DiagramPane;
class View;

class DiagramEditor : public QObject {
  Q_OBJECT
 public:
  // `reparse` draws the text anew at once, without the typing's pause.
  DiagramEditor(DiagramPane& pane, View& view, std::function<void()> reparse, QObject* parent);

  QAction* ModeAction() const { return mode_; }  // "Bearbeiten", Strg+B, checkable
  bool Editing() const;
  // What is chosen: a state's node, or a label line (edge, line); -1 for none.
  long long ChosenNode() const { return gestures_.ChosenNode(); }
  std::pair<long long, long long> ChosenLine() const { return gestures_.ChosenLine(); }
  // The label editor while it is open, and the fault it shows.
  QLineEdit* LabelEditor() const;
  QString LabelFault() const;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  bool Mouse(QEvent* event);
  bool Key(QEvent* event);
  void ContextMenu(const QPointF& scenePos, const QPoint& globalPos);
  // What the gesture asks: the edit applied to the text, the label editor, the line under the diagram.
  void Do(const GestureAnswer& answer);
  void OpenLabel(const GestureAnswer& answer);
  void CommitLabel();
  void CloseLabel();
  void ShowChoice();
  void Drawn();  // after a new drawing: its states' centres to the gestures
  QPointF Centre(std::size_t node) const;

  DiagramPane& pane_;
  View& view_;
  DiagramGestures gestures_;
  std::function<void()> reparse_;
  QAction* mode_;
  QWidget* editor_;  // the label editor in place: a line and its fault
  QLineEdit* field_;
  QLabel* fault_;
  // A drag with the mouse: which node, from where, moving it or drawing an arrow.
  enum class Drag { None, Move, Connect } drag_ = Drag::None;
  long long dragNode_ = -1;
  QPointF dragStart_;
  QGraphicsLineItem* arrow_ = nullptr;
};

}  // namespace automaten
