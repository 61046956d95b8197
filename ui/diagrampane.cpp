#include "diagrampane.h"

#include <QBuffer>
#include <QGraphicsEllipseItem>
#include <QGraphicsPathItem>
#include <QGraphicsPolygonItem>
#include <QGraphicsSimpleTextItem>
#include <QGraphicsView>
#include <QImage>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QPainterPath>
#include <QPointer>
#include <QSvgGenerator>
#include <QThread>
#include <QTimer>
#include <QToolBar>
#include <QVBoxLayout>
#include <QWheelEvent>
#include <algorithm>
#include <atomic>
#include <cmath>

#include "savewhole.h"

namespace automaten {

namespace {

const QColor kCurrent(255, 226, 122);
const QColor kAccepted(140, 210, 140);
const QColor kNotAccepted(240, 130, 130);
const QColor kNext(20, 90, 220);
constexpr double kZoomStep = 1.25;
constexpr double kSmallest = 0.1, kLargest = 8.0;  // the user's scale at 100 %

// The threads still laying out; the pane waits for them when it goes.
std::vector<QPointer<QThread>>& Workers() {
  static std::vector<QPointer<QThread>> workers;
  return workers;
}

QPolygonF ArrowHead(QPointF from, QPointF tip) {
  const QPointF d = tip - from;
  const double length = std::hypot(d.x(), d.y());
  if (length <= 0) return {};
  const QPointF u = d / length * 9.0, n(-u.y() * 0.4, u.x() * 0.4);
  return QPolygonF({tip, tip - u + n, tip - u - n});
}

}  // namespace

DiagramPane::DiagramPane(QWidget* parent)
    : QWidget(parent), tools_(new QToolBar), view_(new QGraphicsView(&scene_)), note_(new QLabel), hint_(new QLabel) {
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(2, 2, 2, 2);
  layout->setSpacing(2);
  tools_->setObjectName(QStringLiteral("DiagrammWerkzeuge"));
  tools_->setToolButtonStyle(Qt::ToolButtonTextOnly);
  const auto tool = [this](const char* name, const QString& text, const QString& tip, void (DiagramPane::*slot)()) {
    QAction* a = tools_->addAction(text, this, slot);
    a->setObjectName(QString::fromLatin1(name));
    a->setToolTip(tip);
    return a;
  };
  tool("DiagrammGroesser", QStringLiteral("+"), QStringLiteral("Diagramm größer (+, Strg+Mausrad)"),
       &DiagramPane::ZoomIn);
  tool("DiagrammKleiner", QStringLiteral("\u2212"), QStringLiteral("Diagramm kleiner (\u2212, Strg+Mausrad)"),
       &DiagramPane::ZoomOut);
  tool("DiagrammEinpassen", QStringLiteral("Einpassen"), QStringLiteral("Das ganze Diagramm zeigen"),
       &DiagramPane::FitWhole);
  layout->addWidget(tools_);
  layout->addWidget(view_, 1);
  layout->addWidget(note_);
  layout->addWidget(hint_);
  hint_->setObjectName(QStringLiteral("DiagrammHinweis"));
  hint_->setWordWrap(true);
  // Without a name of its own, its text is its name: each change is announced.
  hint_->hide();
  view_->setRenderHint(QPainter::Antialiasing);
  view_->setBackgroundBrush(Qt::white);
  note_->setWordWrap(true);
  note_->hide();
  budget_ = new QTimer(this);
  budget_->setSingleShot(true);
  budget_->setInterval(kLayoutBudgetMs);
  connect(budget_, &QTimer::timeout, this, &DiagramPane::ShowFallback);
  view_->installEventFilter(this);
  view_->viewport()->installEventFilter(this);
}

void DiagramPane::AddTool(const QString& text, QAction* action) {
  QAction* button = tools_->addAction(text, action, &QAction::trigger);
  button->setObjectName(action->objectName() + QStringLiteral("Knopf"));
  button->setToolTip(action->text() + QStringLiteral(" (") + action->shortcut().toString(QKeySequence::NativeText) +
                     QStringLiteral(")"));
}

void DiagramPane::AddToolAction(QAction* action) {
  tools_->addAction(action);
  action->setToolTip(action->text() + QStringLiteral(" (") + action->shortcut().toString(QKeySequence::NativeText) +
                     QStringLiteral(")"));
}

void DiagramPane::SetZoom(int percent) {
  zoom_ = percent;
  Fit();
}

double DiagramPane::Scale() const { return view_->transform().m11(); }

void DiagramPane::SetManualScale(double scale) {
  size_ = Size::Chosen;
  chosen_ = std::clamp(scale, kSmallest, kLargest);
  Fit();
}

void DiagramPane::ZoomIn() { SetManualScale(Scale() / (zoom_ / 100.0) * kZoomStep); }
void DiagramPane::ZoomOut() { SetManualScale(Scale() / (zoom_ / 100.0) / kZoomStep); }

void DiagramPane::FitWhole() {
  size_ = Size::Whole;
  Fit();
}

// Ctrl and the wheel over the diagram, and the keys "+" and "-" in it, zoom
// the diagram alone.
bool DiagramPane::eventFilter(QObject* watched, QEvent* event) {
  if (watched == view_->viewport() && event->type() == QEvent::Wheel) {
    auto* wheel = static_cast<QWheelEvent*>(event);
    if (wheel->modifiers() & Qt::ControlModifier) {
      if (wheel->angleDelta().y() > 0) ZoomIn();
      if (wheel->angleDelta().y() < 0) ZoomOut();
      return true;
    }
  }
  if (watched == view_ && event->type() == QEvent::KeyPress) {
    const int key = static_cast<QKeyEvent*>(event)->key();
    if (key == Qt::Key_Plus) ZoomIn();
    if (key == Qt::Key_Minus) ZoomOut();
    if (key == Qt::Key_Plus || key == Qt::Key_Minus) return true;
  }
  return QWidget::eventFilter(watched, event);
}

DiagramPane::~DiagramPane() {
  for (const QPointer<QThread>& worker : Workers())
    if (worker) worker->wait();
}

namespace {
DiagramLayout GraphvizLayout(const Diagram& d, const std::string& dot) { return LayOut(d, dot); }
std::atomic<DiagramPane::LayoutFunction> layoutFunction{GraphvizLayout};
}  // namespace

void DiagramPane::SetLayoutFunction(LayoutFunction layout) { layoutFunction = layout ? layout : GraphvizLayout; }

void DiagramPane::SetLayoutBudget(int ms) { budget_->setInterval(ms); }

bool DiagramPane::LayoutsRunning() {
  for (const QPointer<QThread>& worker : Workers())
    if (worker && worker->isRunning()) return true;
  return false;
}

QString DiagramPane::Note() const { return note_->text(); }

void DiagramPane::SetHint(const QString& text) {
  hint_->setText(text);
  hint_->setVisible(!text.isEmpty());
}

QString DiagramPane::Hint() const { return hint_->text(); }

long long DiagramPane::NodeAt(const QPointF& scenePos) const {
  for (std::size_t i = 0; i < nodes_.size(); ++i)
    if (nodes_[i]->contains(nodes_[i]->mapFromScene(scenePos))) return static_cast<long long>(i);
  return -1;
}

std::pair<long long, long long> DiagramPane::LineAt(const QPointF& scenePos) const {
  for (std::size_t e = 0; e < lines_.size(); ++e)
    for (std::size_t l = 0; l < lines_[e].size(); ++l)
      if (lines_[e][l]->sceneBoundingRect().adjusted(-2, -1, 2, 1).contains(scenePos))
        return {static_cast<long long>(e), static_cast<long long>(l)};
  return {-1, -1};
}

QGraphicsSimpleTextItem* DiagramPane::LineItem(std::size_t edge, std::size_t line) const {
  return edge < lines_.size() && line < lines_[edge].size() ? lines_[edge][line] : nullptr;
}

void DiagramPane::SetNote(const QString& text, bool fault) {
  note_->setText(text);
  note_->setStyleSheet(fault ? QStringLiteral("color: #b00000") : QString());
  note_->setVisible(!text.isEmpty());
}

void DiagramPane::ShowFault(const QString& text) {
  greyed_ = true;
  scene_.setForegroundBrush(QColor(255, 255, 255, 170));
  SetNote(text, true);
}

void DiagramPane::ShowTooLarge(const QString& note) {
  ++requests_;
  pending_ = 0;
  waiting_.reset();
  budget_->stop();
  Clear();
  shownDot_.clear();
  SetNote(note, false);
}

void DiagramPane::ShowDiagram(const Diagram& d, const QString& note) {
  diagramNote_ = note;
  latest_ = d;
  std::string dot = DiagramDot(d);
  if (dot == shownDot_) {
    // The same picture: only the fault mark goes.
    if (greyed_ && pending_ == 0) {
      greyed_ = false;
      scene_.setForegroundBrush(Qt::NoBrush);
      SetNote(diagramNote_, false);
    }
    if (pending_ == 0) {  // else the layout on its way draws latest_
      shown_ = d;         // the same edges, but the lines may sit in other places of the text
      emit Relabelled();
    }
    return;
  }
  shownDot_ = dot;
  pending_ = ++requests_;
  waiting_ = {d, dot, pending_};
  budget_->start();
  StartLayout();
}

// One layout at a time: a request made while one runs waits, and a newer
// one takes its place, so a text superseded meanwhile is never laid out.
void DiagramPane::StartLayout() {
  if (running_ || !waiting_) return;
  const Request request = *waiting_;
  waiting_.reset();
  running_ = true;
  QPointer<DiagramPane> self(this);
  QThread* worker = QThread::create([self, request] {
    DiagramLayout layout = layoutFunction.load()(request.diagram, request.dot);
    QMetaObject::invokeMethod(
        self.data(),
        [self, request, layout] {
          if (!self) return;
          self->running_ = false;
          if (self->pending_ == request.number) {
            self->pending_ = 0;
            self->budget_->stop();
            // The text may have moved the lines meanwhile, keeping the picture.
            self->Draw(self->latest_, layout);
            emit self->LaidOut();
          }
          self->StartLayout();
        },
        Qt::QueuedConnection);
  });
  connect(worker, &QThread::finished, worker, &QObject::deleteLater);
  auto& workers = Workers();
  workers.erase(std::remove(workers.begin(), workers.end(), nullptr), workers.end());
  workers.emplace_back(worker);
  worker->start();
}

// Graphviz takes too long: the states on a circle meanwhile, with the run's
// marks; Graphviz's picture replaces it when it comes.
void DiagramPane::ShowFallback() {
  if (pending_ == 0) return;
  Draw(latest_, CircleLayout(latest_));
  fallback_ = true;
  SetNote(
      QString::fromUtf8(kLayoutSlowNote) + (diagramNote_.isEmpty() ? QString() : QStringLiteral("\n") + diagramNote_),
      false);
  emit LaidOut();
}

void DiagramPane::Clear() {
  fallback_ = false;
  scene_.clear();
  nodes_.clear();
  edges_.clear();
  heads_.clear();
  lines_.clear();
  marked_ = {};
  shown_ = {};
  greyed_ = false;
  scene_.setForegroundBrush(Qt::NoBrush);
}

void DiagramPane::Draw(const Diagram& d, const DiagramLayout& layout) {
  Clear();
  if (!layout.ok) {
    shownDot_.clear();
    SetNote(QString::fromStdString(LayoutFailedNote(layout.error)), true);
    return;
  }
  shown_ = d;
  SetNote(diagramNote_, false);
  const double h = layout.height;
  const auto at = [h](Point p) { return QPointF(p.x, h - p.y); };
  QFont nodeFont(QStringLiteral("Liberation Sans"));
  nodeFont.setPixelSize(12);
  QFont labelFont(QStringLiteral("Liberation Mono"));
  labelFont.setPixelSize(10);
  const QPen pen(Qt::black, 1.0);

  for (std::size_t i = 0; i < d.nodes.size(); ++i) {
    const DiagramLayout::Node& n = layout.nodes[i];
    const QPointF c = at(n.centre);
    QRectF box(c.x() - n.width / 2, c.y() - n.height / 2, n.width, n.height);
    auto* circle = scene_.addEllipse(box, pen, Qt::white);
    if (d.nodes[i].end) {
      auto* inner = new QGraphicsEllipseItem(box.adjusted(4, 4, -4, -4), circle);
      inner->setPen(pen);
    }
    auto* name = new QGraphicsSimpleTextItem(QString::fromStdString(d.nodes[i].name), circle);
    name->setFont(nodeFont);
    const QRectF r = name->boundingRect();
    name->setPos(c - QPointF(r.width() / 2, r.height() / 2));
    nodes_.push_back(circle);
  }
  // The short arrow into A.
  if (!layout.nodes.empty()) {
    const QPointF from = at(layout.start), centre = at(layout.nodes[0].centre);
    const QPointF d0 = centre - from;
    const double length = std::hypot(d0.x(), d0.y());
    const QPointF tip = length > 0 ? centre - d0 / length * (layout.nodes[0].width / 2) : centre;
    scene_.addLine(QLineF(from, tip), pen);
    scene_.addPolygon(ArrowHead(from, tip), pen, Qt::black);
  }
  for (std::size_t i = 0; i < d.edges.size(); ++i) {
    const DiagramLayout::Edge& e = layout.edges[i];
    QPainterPath path;
    if (!e.spline.empty()) {
      path.moveTo(at(e.spline[0]));
      for (std::size_t k = 1; k + 2 < e.spline.size(); k += 3)
        path.cubicTo(at(e.spline[k]), at(e.spline[k + 1]), at(e.spline[k + 2]));
    }
    edges_.push_back(scene_.addPath(path, pen));
    const QPointF end = e.spline.empty() ? QPointF() : at(e.spline.back());
    heads_.push_back(scene_.addPolygon(e.arrowAtHead ? ArrowHead(end, at(e.arrowHead)) : QPolygonF(), pen, Qt::black));
    std::vector<QGraphicsSimpleTextItem*> texts;
    const QFontMetricsF metrics(labelFont);
    const double lineHeight = metrics.height();
    const QPointF centre = at(e.label);
    double y = centre.y() - lineHeight * static_cast<double>(d.edges[i].lines.size()) / 2;
    for (const std::string& line : d.edges[i].lines) {
      auto* text = scene_.addSimpleText(QString::fromStdString(line), labelFont);
      text->setPos(centre.x() - text->boundingRect().width() / 2, y);
      y += lineHeight;
      texts.push_back(text);
    }
    lines_.push_back(texts);
  }
  scene_.setSceneRect(QRectF(0, 0, layout.width, layout.height).adjusted(-6, -6, 6, 6));
  Fit();
}

void DiagramPane::Fit() {
  const QRectF rect = scene_.sceneRect();
  const QSize room = view_->maximumViewportSize() - QSize(4, 4);
  if (rect.isEmpty() || room.isEmpty()) return;
  const double zoom = zoom_ / 100.0;
  const double whole = std::min({room.width() / rect.width(), room.height() / rect.height(), 2.0 * zoom});
  const double scale = size_ == Size::Whole ? whole : size_ == Size::Chosen ? chosen_ * zoom : std::max(whole, zoom);
  view_->setTransform(QTransform::fromScale(scale, scale));
  view_->centerOn(rect.center());
}

void DiagramPane::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  Fit();
}

void DiagramPane::Paint(std::size_t node, bool on) {
  if (node >= nodes_.size()) return;
  QColor fill = Qt::white;
  if (on)
    fill = marked_.verdict == DiagramMark::Verdict::Accepted      ? kAccepted
           : marked_.verdict == DiagramMark::Verdict::NotAccepted ? kNotAccepted
                                                                  : kCurrent;
  nodes_[node]->setBrush(fill);
}

void DiagramPane::PaintLine(std::pair<std::size_t, std::size_t> line, bool on) {
  if (line.first >= lines_.size() || line.second >= lines_[line.first].size()) return;
  lines_[line.first][line.second]->setBrush(on ? kNext : Qt::black);
  // The edge is drawn in the colour while any of its lines is marked.
  bool any = false;
  for (const auto& l : marked_.lines) any = any || l.first == line.first;
  const QPen pen(any ? kNext : Qt::black, any ? 2.2 : 1.0);
  edges_[line.first]->setPen(pen);
  heads_[line.first]->setPen(pen);
  heads_[line.first]->setBrush(any ? kNext : Qt::black);
}

void DiagramPane::Mark(const DiagramMark& mark) {
  const bool drawing = pending_ == 0 || fallback_;  // the picture shown is the text's
  if (mark == marked_ || !drawing || nodes_.empty()) {
    if (nodes_.empty() || !drawing) marked_ = {};
    return;
  }
  const DiagramMark before = marked_;
  marked_ = mark;
  const bool verdictChanged = before.verdict != mark.verdict;
  for (std::size_t n : before.nodes)
    if (!std::binary_search(mark.nodes.begin(), mark.nodes.end(), n)) Paint(n, false);
  for (std::size_t n : mark.nodes)
    if (verdictChanged || !std::binary_search(before.nodes.begin(), before.nodes.end(), n)) Paint(n, true);
  for (const auto& l : before.lines)
    if (!std::binary_search(mark.lines.begin(), mark.lines.end(), l)) PaintLine(l, false);
  for (const auto& l : mark.lines)
    if (!std::binary_search(before.lines.begin(), before.lines.end(), l)) PaintLine(l, true);
  // A diagram larger than the pane keeps the current state in view.
  if (!mark.nodes.empty() && (before.nodes.empty() || before.nodes.front() != mark.nodes.front()) &&
      mark.nodes.front() < nodes_.size())
    view_->ensureVisible(nodes_[mark.nodes.front()], 30, 30);
}

bool DiagramPane::Export(const QString& path, bool withMarks, QString& error) {
  // Without the run's colours unless asked for: the picture is the program's.
  const DiagramMark marked = marked_;
  if (!withMarks) Mark({});
  const bool written = Write(path, error);
  if (!withMarks) Mark(marked);
  return written;
}

void DiagramPane::Render(QPainter& painter, const QRectF& target, bool withMarks) {
  const DiagramMark marked = marked_;
  if (!withMarks) Mark({});
  const QRectF rect = scene_.sceneRect();
  const double scale = std::min(target.width() / rect.width(), target.height() / rect.height());
  const QRectF at(target.topLeft(), rect.size() * scale);
  scene_.render(&painter, at, rect);
  if (!withMarks) Mark(marked);
}

bool DiagramPane::Write(const QString& path, QString& error) {
  QGraphicsScene& scene = scene_;
  const QRectF rect = scene.sceneRect();
  // The picture first, in memory; then the file, whole, with the system's reason when it fails.
  QBuffer buffer;
  if (path.endsWith(QStringLiteral(".svg"), Qt::CaseInsensitive)) {
    QSvgGenerator svg;
    svg.setOutputDevice(&buffer);
    svg.setSize(rect.size().toSize());
    svg.setViewBox(QRectF(QPointF(0, 0), rect.size()));
    svg.setTitle(QStringLiteral("Zustandsdiagramm"));
    {
      QPainter painter(&svg);
      scene.render(&painter, QRectF(QPointF(0, 0), rect.size()), rect);
    }
  } else {
    QImage image((rect.size() * 2).toSize(), QImage::Format_ARGB32);
    image.fill(Qt::white);
    {
      QPainter painter(&image);
      painter.setRenderHint(QPainter::Antialiasing);
      scene.render(&painter, QRectF(image.rect()), rect);
    }
    buffer.open(QIODevice::WriteOnly);
    if (!image.save(&buffer, "PNG")) {
      error = QStringLiteral("PNG");
      return false;
    }
  }
  return SaveWhole(path, buffer.data(), error);
}

}  // namespace automaten
