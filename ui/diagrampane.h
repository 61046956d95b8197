// The pane "Zustandsdiagramm": the program as a state diagram, laid out by
// Graphviz on a worker thread and drawn here, with the run's position marked.
// Its own zoom ("+", "−", Ctrl and the wheel, "Einpassen") multiplies the
// window's: at first the diagram fills the pane, up to twice its size, but its
// text is never drawn smaller than the window's zoom has it.
#pragma once

#include <QGraphicsScene>
#include <QWidget>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "control/diagramfollower.h"
#include "diagram/layout.h"
#include "engine/diagram.h"

class QGraphicsEllipseItem;
class QGraphicsPathItem;
class QGraphicsPolygonItem;
class QGraphicsSimpleTextItem;
class QAction;
class QGraphicsView;
class QLabel;
class QPainter;
class QTimer;
class QToolBar;

namespace automaten {

class DiagramPane : public QWidget {
  Q_OBJECT
 public:
  explicit DiagramPane(QWidget* parent = nullptr);
  ~DiagramPane() override;

  // A diagram small enough to lay out, with a note under it (or none). The
  // same diagram as shown keeps its drawing; another is laid out off the GUI
  // thread and drawn when ready.
  void ShowDiagram(const Diagram& d, const QString& note = QString());
  // No drawing: the diagram is too large to lay out, as the note says.
  void ShowTooLarge(const QString& note);
  // The text has a fault: the last diagram stays, greyed, with the fault under it.
  void ShowFault(const QString& text);
  // Marks the run's position, changing only the items whose mark changes.
  void Mark(const DiagramMark& mark);

  // Writes the diagram as SVG or PNG, by the file's ending, with the run's
  // marks or without; false with the reason when the file cannot be written.
  bool Export(const QString& path, bool withMarks, QString& error);
  // Draws the diagram into `target` (for printing), as large as fits, with
  // the run's marks or without.
  void Render(QPainter& painter, const QRectF& target, bool withMarks);

  // What the pane shows, for tests and the export: the diagram drawn (its
  // node count is 0 before the first layout arrives), the note under it.
  const Diagram& Shown() const { return shown_; }
  QString Note() const;
  bool Greyed() const { return greyed_; }
  bool LayoutPending() const { return pending_ != 0; }
  bool ShowsFallback() const { return fallback_; }  // the states on a circle, Graphviz still at work
  // Whether a layout still runs on a worker thread (the program may end without waiting for it).
  static bool LayoutsRunning();
  void SetLayoutBudget(int ms);
  // The layout the workers run (Graphviz's); tests put a slow one in its place.
  using LayoutFunction = DiagramLayout (*)(const Diagram&, const std::string&);
  static void SetLayoutFunction(LayoutFunction layout);
  const DiagramMark& Marked() const { return marked_; }
  QGraphicsScene& Scene() { return scene_; }
  QGraphicsView& View() { return *view_; }

  // The window's zoom in percent, which the diagram's size follows.
  void SetZoom(int percent);
  // "+" and "−": the diagram larger or smaller by a step, from then on at
  // that size; "Einpassen": the whole diagram in the pane again.
  void ZoomIn();
  void ZoomOut();
  void FitWhole();
  // How many screen pixels a unit of the drawing takes (1: node names 12 px).
  double Scale() const;
  // A button in the pane's tool row, with a short text, for an action of its dock.
  void AddTool(const QString& text, QAction* action);
  // The action itself in the tool row (a checkable one shows its state).
  void AddToolAction(QAction* action);

  // For editing in the diagram: the node or the label line under a point of
  // the scene (-1 for none), their items, and a line of text under the view
  // for hints and what an edit did, which a screen reader reads.
  long long NodeAt(const QPointF& scenePos) const;
  std::pair<long long, long long> LineAt(const QPointF& scenePos) const;
  QGraphicsEllipseItem* NodeItem(std::size_t node) const { return node < nodes_.size() ? nodes_[node] : nullptr; }
  QGraphicsSimpleTextItem* LineItem(std::size_t edge, std::size_t line) const;
  void SetHint(const QString& text);
  QString Hint() const;

 protected:
  void resizeEvent(QResizeEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 signals:
  void LaidOut();     // a new diagram is drawn, or the layout failed
  void Relabelled();  // the same picture, its lines now at other places of the text

 private:
  void Draw(const Diagram& d, const DiagramLayout& layout);
  void StartLayout();
  void ShowFallback();
  bool Write(const QString& path, QString& error);
  void Clear();  // no drawing, no mark
  void SetNote(const QString& text, bool fault);
  void Fit();  // the diagram at the size its mode and the zoom give
  void SetManualScale(double scale);
  void Paint(std::size_t node, bool on);
  void PaintLine(std::pair<std::size_t, std::size_t> line, bool on);

  QGraphicsScene scene_;
  enum class Size { Filled, Whole, Chosen };  // fills the pane (text at least the zoom's), whole, the user's
  QToolBar* tools_;
  QGraphicsView* view_;
  QLabel* note_;
  QLabel* hint_;
  Size size_ = Size::Filled;
  double chosen_ = 1.0;  // the user's scale at 100 %
  int zoom_ = 100;
  Diagram shown_;
  std::string shownDot_;       // the Graphviz text of what is drawn or being laid out
  QString diagramNote_;        // under the diagram while it has no fault
  std::uint64_t pending_ = 0;  // the number of the layout awaited, or 0
  std::uint64_t requests_ = 0;
  struct Request {
    Diagram diagram;
    std::string dot;
    std::uint64_t number;
  };
  std::optional<Request> waiting_;  // the newest request, while a layout runs
  bool running_ = false;            // a worker lays out
  Diagram latest_;                  // the diagram last asked for
  QTimer* budget_;                  // Graphviz's time before the circle is drawn
  bool fallback_ = false;           // the circle is shown
  bool greyed_ = false;
  DiagramMark marked_;
  std::vector<QGraphicsEllipseItem*> nodes_;
  std::vector<QGraphicsPathItem*> edges_;
  std::vector<QGraphicsPolygonItem*> heads_;
  std::vector<std::vector<QGraphicsSimpleTextItem*>> lines_;
};

}  // namespace automaten
