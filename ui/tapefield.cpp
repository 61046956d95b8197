#include "tapefield.h"

#include <qdrawutil.h>

#include <QAccessible>
#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QFontMetricsF>
#include <QGlyphRun>
#include <QKeyEvent>
#include <QMenu>
#include <QPaintEvent>
#include <QPainter>
#include <algorithm>
#include <cmath>

#include "engine/encoding.h"
#include "machinetext.h"
#include "tapeaccessible.h"

namespace automaten {

namespace {

constexpr int kFrame = 2;   // the sunken panel around the cells
constexpr int kMargin = 2;  // between the panel and the first cell

QString CellText(char cell) { return QChar(static_cast<char32_t>(Cp1252ToUnicode(static_cast<unsigned char>(cell)))); }

}  // namespace

TapeField::TapeField(bool withMarker, QWidget* parent) : QWidget(parent), withMarker_(withMarker) {
  // Once in the program: screen readers read every tape field's cells.
  [[maybe_unused]] static const bool readable = (QAccessible::installFactory(&TapeAccessible::Factory), true);
  setFocusPolicy(Qt::StrongFocus);
  setAttribute(Qt::WA_OpaquePaintEvent);  // every pixel is painted here: nothing beneath needs painting
  setAttribute(Qt::WA_InputMethodEnabled, false);
  setCursor(Qt::IBeamCursor);
}

// At the font's 16 pixels: 26 for the panel with its cells, 16 for the marker row.
QSize TapeField::sizeHint() const { return {200, CellsHeight() + (withMarker_ ? MarkerHeight() : 0)}; }

int TapeField::CellsHeight() const { return 2 * kFrame + 22 * std::max(font().pixelSize(), 1) / 16; }

int TapeField::MarkerHeight() const { return std::max(font().pixelSize(), 1); }

int TapeField::TextLeft() const { return kFrame + kMargin; }

// The advance of a run of cells as the painter lays it out, hinting included.
qreal TapeField::Advance() const {
  if (advance_ <= 0) advance_ = QFontMetricsF(font()).horizontalAdvance(QString(100, QLatin1Char('0'))) / 100;
  return advance_ > 0 ? advance_ : 1;
}

// The glyph of each of the 256 cell values, looked up once per font: painting
// then places glyphs without shaping any text.
void TapeField::PrepareGlyphs() const {
  if (!glyphs_.empty()) return;
  rawFont_ = QRawFont::fromFont(font());
  QString all;
  for (int b = 0; b < 256; ++b) all += CellText(static_cast<char>(b));
  glyphs_ = rawFont_.glyphIndexesForString(all);
  if (glyphs_.size() != 256) glyphs_.resize(256);
}

void TapeField::changeEvent(QEvent* event) {
  if (event->type() == QEvent::FontChange) {
    advance_ = 0;
    glyphs_.clear();
    if (marked_ >= 0) MarkCell(marked_);  // the head stays in view at any size
  }
  QWidget::changeEvent(event);
}

void TapeField::DrawCells(QPainter& p, std::size_t from, std::size_t count, int baseline) const {
  PrepareGlyphs();
  QList<quint32> indexes;
  QList<QPointF> positions;
  indexes.reserve(static_cast<qsizetype>(count));
  positions.reserve(static_cast<qsizetype>(count));
  for (std::size_t i = from; i < from + count && i < cells_.size(); ++i) {
    indexes.append(glyphs_[static_cast<unsigned char>(Cell(i))]);
    positions.append(
        QPointF(TextLeft() + (static_cast<double>(i) - static_cast<double>(first_)) * Advance(), baseline));
  }
  QGlyphRun run;
  run.setRawFont(rawFont_);
  run.setGlyphIndexes(indexes);
  run.setPositions(positions);
  p.drawGlyphRun(QPointF(0, 0), run);
}

std::size_t TapeField::VisibleCells() const {
  return static_cast<std::size_t>(std::max(static_cast<int>((width() - 2 * TextLeft()) / Advance()), 1));
}

QRect TapeField::CellRect(std::size_t index) const {
  const double column = static_cast<double>(index) - static_cast<double>(first_);
  const int left = TextLeft() + static_cast<int>(std::lround(column * Advance()));
  const int right = TextLeft() + static_cast<int>(std::lround((column + 1) * Advance()));
  return {left, kFrame, right - left, CellsHeight() - 2 * kFrame};
}

QRect TapeField::MarkerRect() const { return {0, CellsHeight(), width(), withMarker_ ? MarkerHeight() : 0}; }

void TapeField::SetText(const std::string& text) {
  if (QAccessible::isActive()) {
    QAccessibleTextUpdateEvent changed(this, 0, FromMachine(cells_.Text()), FromMachine(text));
    QAccessible::updateAccessibility(&changed);
  }
  cells_ = Tape(text);
  cursor_ = anchor_ = 0;
  first_ = 0;
  update();
}

void TapeField::Replace(std::size_t index, std::size_t removed, const std::string& inserted) {
  index = std::min(index, cells_.size());
  removed = std::min(removed, cells_.size() - index);
  if (QAccessible::isActive()) {
    QAccessibleTextUpdateEvent changed(this, static_cast<int>(index),
                                       FromMachine(std::string(cells_.View().substr(index, removed))),
                                       FromMachine(inserted));
    QAccessible::updateAccessibility(&changed);
  }
  cells_.Replace(index, removed, inserted);
  // Places after the change move with their cells; places inside it go to its end.
  const auto follow = [&](std::size_t p) {
    if (p >= index + removed) return p - removed + inserted.size();
    return p > index ? index + inserted.size() : p;
  };
  cursor_ = follow(cursor_);
  anchor_ = follow(anchor_);
  const std::size_t firstBefore = first_;
  if (index + removed <= first_) first_ = first_ - removed + inserted.size();
  if (marked_ >= 0) marked_ = static_cast<long long>(follow(static_cast<std::size_t>(marked_)));
  // A cell written in place repaints that cell alone.
  if (removed == inserted.size() && removed == 1 && first_ == firstBefore)
    update(CellRect(index));
  else
    update();
}

void TapeField::MarkCell(long long index) {
  const long long before = marked_;
  const std::size_t firstBefore = first_;
  marked_ = index;
  // A screen reader reads the head cell as the selection while the user selects nothing.
  if (QAccessible::isActive() && !HasSelection() && index >= 0 && index != before) {
    QAccessibleTextSelectionEvent head(this, static_cast<int>(index), static_cast<int>(index) + 1);
    QAccessible::updateAccessibility(&head);
  }
  // A head that leaves the view brings it along by half its width, so the
  // steps after it repaint two cells, not the whole field.
  const std::size_t visible = VisibleCells();
  if (index >= 0 && (static_cast<std::size_t>(index) < first_ || static_cast<std::size_t>(index) >= first_ + visible))
    first_ = static_cast<std::size_t>(std::max<long long>(index - static_cast<long long>(visible / 2), 0));
  if (first_ != firstBefore) {
    update();
    return;
  }
  // The head moved inside the view: its old and new cell and marker repaint.
  for (long long cell : {before, index})
    if (cell >= 0) update(HeadRect(static_cast<std::size_t>(cell)));
}

QRect TapeField::HeadRect(std::size_t index) const {
  const QRect cell = CellRect(index);
  return {cell.left(), 0, cell.width() + 1, height()};
}

void TapeField::ScrollTo(std::size_t index) {
  const std::size_t visible = VisibleCells();
  if (index < first_)
    first_ = index;
  else if (index >= first_ + visible)
    first_ = index - visible + 1;
}

void TapeField::SetCursorPosition(std::size_t position) { MoveCursor(position, false); }

void TapeField::Select(std::size_t from, std::size_t to) {
  anchor_ = std::min(from, cells_.size());
  MoveCursor(to, true);
}

void TapeField::EditAt(std::size_t index, std::size_t removed, const std::string& inserted) {
  Replace(index, removed, inserted);
  MoveCursor(std::min(index, cells_.size()) + inserted.size(), false);
  KeepCaretInView();
  emit edited();
}

void TapeField::MoveCursor(std::size_t position, bool select) {
  cursor_ = std::min(position, cells_.size());
  if (!select) anchor_ = cursor_;
  if (QAccessible::isActive()) {
    QAccessibleTextCursorEvent moved(this, static_cast<int>(cursor_));
    QAccessible::updateAccessibility(&moved);
  }
  ScrollTo(cursor_);
  if (HasSelection() && QApplication::clipboard()->supportsSelection())
    QApplication::clipboard()->setText(FromMachine(SelectedText()), QClipboard::Selection);
  RestartBlink();
  update();
}

std::string TapeField::SelectedText() const {
  const std::size_t from = std::min(anchor_, cursor_);
  return std::string(cells_.View().substr(from, std::max(anchor_, cursor_) - from));
}

void TapeField::SelectAll() {
  anchor_ = 0;
  MoveCursor(cells_.size(), true);
}

void TapeField::Copy() const {
  if (HasSelection()) QApplication::clipboard()->setText(FromMachine(SelectedText()));
}

void TapeField::Cut() {
  if (!HasSelection()) return;
  Copy();
  RemoveSelection();
  emit edited();
}

void TapeField::Paste() {
  QString pasted = QApplication::clipboard()->text();
  pasted.remove(QLatin1Char('\r'));
  pasted.replace(QLatin1Char('\n'), QLatin1Char(' '));  // one line, as a line edit takes it
  if (pasted.isEmpty()) return;
  InsertTyped(ToMachine(pasted));
}

void TapeField::RemoveSelection() {
  const std::size_t from = std::min(anchor_, cursor_);
  const std::size_t count = std::max(anchor_, cursor_) - from;
  Replace(from, count, "");
  MoveCursor(from, false);
  KeepCaretInView();
}

void TapeField::InsertTyped(const std::string& cells) {
  if (HasSelection()) RemoveSelection();
  const std::size_t at = cursor_;
  Replace(at, 0, cells);
  MoveCursor(at + cells.size(), false);
  KeepCaretInView();
  emit edited();
}

// After the user's edit, as a line edit: the caret in view, and no cells
// hidden on the left while there is room on the right. (A cell the machine
// puts in front keeps the view on the cells it showed; see Replace.)
void TapeField::KeepCaretInView() {
  ScrollTo(cursor_);
  const std::size_t visible = std::max<std::size_t>(VisibleCells(), 1);
  const std::size_t end = cells_.size() + 1;  // room for the caret after the last cell
  if (first_ + visible > end) first_ = end > visible ? end - visible : 0;
  update();
}

std::size_t TapeField::PositionAt(int x) const {
  const double column = (x - TextLeft()) / Advance();
  const long long position = static_cast<long long>(first_) + std::lround(std::max(column, 0.0));
  return static_cast<std::size_t>(std::min<long long>(position, static_cast<long long>(cells_.size())));
}

// ---- Painting ---------------------------------------------------------------------

void TapeField::paintEvent(QPaintEvent* event) {
  QPainter p(this);
  p.setClipRegion(event->region());
  const QPalette& pal = palette();
  if (withMarker_) p.fillRect(MarkerRect(), pal.brush(QPalette::Window));
  qDrawWinPanel(&p, 0, 0, width(), CellsHeight(), pal, true, &pal.brush(QPalette::Base));
  p.setFont(font());
  const QRect cells(kFrame, kFrame, width() - 2 * kFrame, CellsHeight() - 2 * kFrame);
  p.save();
  p.setClipRect(cells);
  // Only the cells the paint reaches.
  const std::size_t reachFirst =
      first_ + static_cast<std::size_t>(std::max(0.0, (event->rect().left() - TextLeft()) / Advance() - 1));
  const std::size_t reachEnd = first_ + static_cast<std::size_t>((event->rect().right() - TextLeft()) / Advance() + 2);
  const std::size_t end = std::min({reachEnd, first_ + VisibleCells() + 1, cells_.size()});
  const std::size_t from = std::min(reachFirst, end);
  const QFontMetrics metrics(font());
  const int baseline = kFrame + (cells.height() + metrics.ascent() - metrics.descent()) / 2;
  // The user's selection, lighter than the head cell.
  const std::size_t selFrom = std::max(std::min(anchor_, cursor_), first_);
  const std::size_t selTo = std::min(std::max(anchor_, cursor_), end);
  if (selFrom < selTo) {
    QColor light = pal.color(QPalette::Highlight);
    light.setAlpha(90);
    const QRect a = CellRect(selFrom), b = CellRect(selTo - 1);
    p.fillRect(QRect(a.topLeft(), b.bottomRight()), light);
  }
  p.setPen(pal.color(QPalette::Text));
  DrawCells(p, from, end - from, baseline);
  const bool headShown = marked_ >= 0 && static_cast<std::size_t>(marked_) >= first_ &&
                         static_cast<std::size_t>(marked_) < first_ + VisibleCells();
  if (headShown && static_cast<std::size_t>(marked_) < cells_.size()) {
    const QRect head = CellRect(static_cast<std::size_t>(marked_));
    p.fillRect(head.adjusted(0, 2, 0, -1), pal.brush(QPalette::Active, QPalette::Highlight));
    p.setPen(pal.color(QPalette::Active, QPalette::HighlightedText));
    DrawCells(p, static_cast<std::size_t>(marked_), 1, baseline);
  }
  if (caretShown_ && hasFocus() && cursor_ >= first_) {
    const int x = CellRect(cursor_).left();
    p.fillRect(QRect(x, cells.top() + 2, 1, cells.height() - 4), pal.color(QPalette::Text));
  }
  p.restore();
  if (withMarker_ && headShown) {
    p.setPen(pal.color(QPalette::WindowText));
    p.drawText(CellRect(static_cast<std::size_t>(marked_)).left(), CellsHeight() + metrics.ascent(),
               QStringLiteral("^"));
  }
}

// ---- Editing ----------------------------------------------------------------------

bool TapeField::event(QEvent* event) {
  // Editing keys are the field's own, not a shortcut's.
  if (event->type() == QEvent::ShortcutOverride) {
    auto* key = static_cast<QKeyEvent*>(event);
    if (key == QKeySequence::SelectAll || key == QKeySequence::Copy || key == QKeySequence::Cut ||
        key == QKeySequence::Paste || key->key() == Qt::Key_Home || key->key() == Qt::Key_End ||
        key->key() == Qt::Key_Backspace || key->key() == Qt::Key_Delete || key->key() == Qt::Key_Left ||
        key->key() == Qt::Key_Right ||
        (!key->text().isEmpty() && key->text().at(0).isPrint() &&
         !(key->modifiers() & (Qt::ControlModifier | Qt::AltModifier)))) {
      event->accept();
      return true;
    }
  }
  return QWidget::event(event);
}

void TapeField::keyPressEvent(QKeyEvent* event) {
  const bool shift = event->modifiers() & Qt::ShiftModifier;
  if (event == QKeySequence::SelectAll) {
    SelectAll();
  } else if (event == QKeySequence::Copy) {
    Copy();
  } else if (event == QKeySequence::Cut) {
    Cut();
  } else if (event == QKeySequence::Paste) {
    Paste();
  } else if (event->key() == Qt::Key_Left) {
    MoveCursor(!shift && HasSelection() ? std::min(anchor_, cursor_) : cursor_ > 0 ? cursor_ - 1 : 0, shift);
  } else if (event->key() == Qt::Key_Right) {
    MoveCursor(!shift && HasSelection() ? std::max(anchor_, cursor_) : cursor_ + 1, shift);
  } else if (event->key() == Qt::Key_Home) {
    MoveCursor(0, shift);
  } else if (event->key() == Qt::Key_End) {
    MoveCursor(cells_.size(), shift);
  } else if (event->key() == Qt::Key_Backspace || event->key() == Qt::Key_Delete) {
    if (!HasSelection()) {
      if (event->key() == Qt::Key_Backspace && cursor_ > 0) MoveCursor(cursor_ - 1, true);
      if (event->key() == Qt::Key_Delete && cursor_ < cells_.size()) MoveCursor(cursor_ + 1, true);
    }
    if (!HasSelection()) return;
    RemoveSelection();
    emit edited();
  } else if (!event->text().isEmpty() && event->text().at(0).isPrint() &&
             !(event->modifiers() & (Qt::ControlModifier | Qt::AltModifier))) {
    InsertTyped(ToMachine(event->text()));
  } else {
    event->ignore();
  }
}

void TapeField::mousePressEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton) {
    MoveCursor(PositionAt(event->position().toPoint().x()), event->modifiers() & Qt::ShiftModifier);
  } else if (event->button() == Qt::MiddleButton && QApplication::clipboard()->supportsSelection()) {
    // Middle-click pastes what is selected elsewhere, as line edits do.
    MoveCursor(PositionAt(event->position().toPoint().x()), false);
    const QString selection = QApplication::clipboard()->text(QClipboard::Selection);
    if (!selection.isEmpty()) InsertTyped(ToMachine(QString(selection).remove(QLatin1Char('\n'))));
  } else {
    QWidget::mousePressEvent(event);
  }
}

void TapeField::mouseMoveEvent(QMouseEvent* event) {
  if (event->buttons() & Qt::LeftButton) MoveCursor(PositionAt(event->position().toPoint().x()), true);
}

void TapeField::mouseDoubleClickEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton) SelectAll();
}

void TapeField::contextMenuEvent(QContextMenuEvent* event) {
  QMenu menu(this);
  QAction* cut = menu.addAction(QStringLiteral("&Ausschneiden"), this, &TapeField::Cut);
  QAction* copy = menu.addAction(QStringLiteral("&Kopieren"), this, &TapeField::Copy);
  QAction* paste = menu.addAction(QStringLiteral("Einf&ügen"), this, &TapeField::Paste);
  QAction* remove = menu.addAction(QStringLiteral("Löschen"), this, [this] {
    RemoveSelection();
    emit edited();
  });
  menu.addSeparator();
  menu.addAction(QStringLiteral("Alles auswählen"), this, &TapeField::SelectAll);
  cut->setEnabled(HasSelection());
  copy->setEnabled(HasSelection());
  remove->setEnabled(HasSelection());
  paste->setEnabled(!QApplication::clipboard()->text().isEmpty());
  menu.exec(event->globalPos());
}

void TapeField::focusInEvent(QFocusEvent* event) {
  QWidget::focusInEvent(event);
  RestartBlink();
}

void TapeField::focusOutEvent(QFocusEvent* event) {
  QWidget::focusOutEvent(event);
  blink_.stop();
  caretShown_ = false;
  update();
}

void TapeField::RestartBlink() {
  if (!hasFocus()) return;
  caretShown_ = true;
  const int flash = QApplication::cursorFlashTime();
  if (flash > 0)
    blink_.start(flash / 2, this);
  else
    blink_.stop();
}

void TapeField::timerEvent(QTimerEvent* event) {
  if (event->timerId() != blink_.timerId()) return QWidget::timerEvent(event);
  caretShown_ = !caretShown_;
  update(QRect(CellRect(cursor_).left() - 1, 0, 3, CellsHeight()));
}

void TapeField::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  if (marked_ >= 0) ScrollTo(static_cast<std::size_t>(marked_));
}

}  // namespace automaten
