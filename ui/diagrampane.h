// The pane "Zustandsdiagramm": the program as a state diagram, laid out by
// Graphviz on a worker thread and drawn here, with the run's position marked.
#pragma once

#include <QGraphicsScene>
#include <QWidget>
#include <cstdint>
#include <string>
#include <vector>

#include "diagram/layout.h"
#include "engine/diagram.h"

class QGraphicsEllipseItem;
class QGraphicsPathItem;
class QGraphicsPolygonItem;
class QGraphicsSimpleTextItem;
class QGraphicsView;
class QLabel;

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

  // What the pane shows, for tests and the export: the diagram drawn (its
  // node count is 0 before the first layout arrives), the note under it.
  const Diagram& Shown() const { return shown_; }
  QString Note() const;
  bool Greyed() const { return greyed_; }
  bool LayoutPending() const { return pending_ != 0; }
  const DiagramMark& Marked() const { return marked_; }
  QGraphicsScene& Scene() { return scene_; }

 protected:
  void resizeEvent(QResizeEvent* event) override;

 signals:
  void LaidOut();  // a new diagram is drawn, or the layout failed

 private:
  void Draw(const Diagram& d, const DiagramLayout& layout);
  bool Write(const QString& path, QString& error);
  void Clear();  // no drawing, no mark
  void SetNote(const QString& text, bool fault);
  void Fit();  // a diagram larger than the pane is shown smaller, whole
  void Paint(std::size_t node, bool on);
  void PaintLine(std::pair<std::size_t, std::size_t> line, bool on);

  QGraphicsScene scene_;
  QGraphicsView* view_;
  QLabel* note_;
  Diagram shown_;
  std::string shownDot_;
  QString diagramNote_;  // under the diagram while it has no fault       // the Graphviz text of what is drawn or being
                         // laid out
  std::uint64_t pending_ = 0;  // the number of the layout awaited, or 0
  std::uint64_t requests_ = 0;
  bool greyed_ = false;
  DiagramMark marked_;
  std::vector<QGraphicsEllipseItem*> nodes_;
  std::vector<QGraphicsPathItem*> edges_;
  std::vector<QGraphicsPolygonItem*> heads_;
  std::vector<std::vector<QGraphicsSimpleTextItem*>> lines_;
};

}  // namespace automaten
