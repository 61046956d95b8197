// A one-line field of tape cells in a fixed-pitch font. It paints only the
// cells it shows, so a tape of any length costs the same per step; the head
// cell is highlighted whether or not the field has the keyboard focus, and
// the tape's head marker '^' is drawn under it by the same paint, so it can
// never drift. The user edits it like a line edit: keys, mouse selection,
// copy, cut and paste. Its text is machine text (Windows-1252), one byte a
// cell; a character the code page lacks becomes '?'.
#pragma once

#include <QBasicTimer>
#include <QList>
#include <QRawFont>
#include <QWidget>
#include <string>

#include "engine/types.h"

class QMenu;
class QPainter;

namespace automaten {

class TapeField : public QWidget {
  Q_OBJECT
 public:
  // With a marker row, the field is taller by one line for the '^'.
  explicit TapeField(bool withMarker, QWidget* parent = nullptr);

  std::string Text() const { return cells_.Text(); }
  std::size_t Size() const { return cells_.size(); }
  // The whole text; the field then shows it from its first cell.
  void SetText(const std::string& text);
  // Replaces `removed` cells from `index` on; the cursor and the view stay on
  // the cells they showed.
  void Replace(std::size_t index, std::size_t removed, const std::string& inserted);
  // The head cell (0-based), scrolled into view; -1 for none.
  void MarkCell(long long index);
  long long MarkedCell() const { return marked_; }

  void SetCursorPosition(std::size_t position);
  std::size_t Cursor() const { return cursor_; }
  std::size_t Anchor() const { return anchor_; }  // the other end of the selection
  void Select(std::size_t from, std::size_t to);
  bool HasSelection() const { return anchor_ != cursor_; }
  // An edit as the user's (from a screen reader): replaces the cells and
  // sends edited().
  void EditAt(std::size_t index, std::size_t removed, const std::string& inserted);
  std::string SelectedText() const;
  void SelectAll();
  void Copy() const;
  void Cut();
  void Paste();

  // Geometry of the cells, for the layout and for tests.
  std::size_t FirstVisibleCell() const { return first_; }
  std::size_t VisibleCells() const;
  QRect CellRect(std::size_t index) const;  // of a visible cell, in widget coordinates
  QRect MarkerRect() const;                 // the row under the cells

  QSize sizeHint() const override;

 signals:
  // The user changed the text (never sent for SetText or Replace).
  void edited();

 protected:
  void paintEvent(QPaintEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void contextMenuEvent(QContextMenuEvent* event) override;
  void focusInEvent(QFocusEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void timerEvent(QTimerEvent* event) override;
  bool event(QEvent* event) override;
  void changeEvent(QEvent* event) override;

 private:
  std::size_t PositionAt(int x) const;  // the cell boundary nearest to x
  void MoveCursor(std::size_t position, bool select);
  void InsertTyped(const std::string& cells);  // replaces the selection
  void RemoveSelection();
  void ScrollTo(std::size_t index);
  void KeepCaretInView();
  QRect HeadRect(
      std::size_t index) const;  // the cell and its marker below  // makes the cell (or the cursor place) visible
  void RestartBlink();
  int TextLeft() const;
  int CellsHeight() const;
  int MarkerHeight() const;
  qreal Advance() const;  // the width of one cell
  void PrepareGlyphs() const;
  void DrawCells(QPainter& p, std::size_t from, std::size_t count, int baseline) const;

  char Cell(std::size_t index) const { return cells_.At(static_cast<std::uint32_t>(index + 1)); }

  Tape cells_;  // cells put in front cost no copy of the whole text
  std::size_t cursor_ = 0;
  std::size_t anchor_ = 0;  // the other end of the selection
  std::size_t first_ = 0;   // the first visible cell
  long long marked_ = -1;
  bool withMarker_;
  bool caretShown_ = false;
  QBasicTimer blink_;
  mutable qreal advance_ = 0;  // measured again after a change of font
  mutable QRawFont rawFont_;
  mutable QList<quint32> glyphs_;  // per cell value
};

}  // namespace automaten
