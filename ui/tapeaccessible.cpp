#include "tapeaccessible.h"

#include <algorithm>

#include "machinetext.h"
#include "tapefield.h"

namespace automaten {

TapeAccessible::TapeAccessible(TapeField* field) : QAccessibleWidget(field, QAccessible::EditableText) {}

QAccessibleInterface* TapeAccessible::Factory(const QString&, QObject* object) {
  auto* field = qobject_cast<TapeField*>(object);
  return field ? new TapeAccessible(field) : nullptr;
}

TapeField* TapeAccessible::Field() const { return static_cast<TapeField*>(widget()); }

void* TapeAccessible::interface_cast(QAccessible::InterfaceType type) {
  if (type == QAccessible::TextInterface) return static_cast<QAccessibleTextInterface*>(this);
  if (type == QAccessible::EditableTextInterface) return static_cast<QAccessibleEditableTextInterface*>(this);
  return QAccessibleWidget::interface_cast(type);
}

QAccessible::State TapeAccessible::state() const {
  QAccessible::State s = QAccessibleWidget::state();
  s.editable = true;
  s.selectableText = true;
  return s;
}

QString TapeAccessible::text(QAccessible::Text t) const {
  if (t == QAccessible::Value) return FromMachine(Field()->Text());
  return QAccessibleWidget::text(t);
}

// The user's selection, or else the head cell.
void TapeAccessible::selection(int selectionIndex, int* startOffset, int* endOffset) const {
  *startOffset = *endOffset = 0;
  if (selectionIndex != 0 || selectionCount() == 0) return;
  const TapeField* f = Field();
  if (f->HasSelection()) {
    *startOffset = static_cast<int>(std::min(f->Anchor(), f->Cursor()));
    *endOffset = static_cast<int>(std::max(f->Anchor(), f->Cursor()));
  } else {
    *startOffset = static_cast<int>(f->MarkedCell());
    *endOffset = *startOffset + 1;
  }
}

int TapeAccessible::selectionCount() const {
  const TapeField* f = Field();
  return f->HasSelection() || (f->MarkedCell() >= 0 && static_cast<std::size_t>(f->MarkedCell()) < f->Size()) ? 1 : 0;
}

void TapeAccessible::addSelection(int startOffset, int endOffset) { setSelection(0, startOffset, endOffset); }

void TapeAccessible::removeSelection(int) { Field()->SetCursorPosition(Field()->Cursor()); }

void TapeAccessible::setSelection(int, int startOffset, int endOffset) {
  Field()->Select(static_cast<std::size_t>(std::max(startOffset, 0)), static_cast<std::size_t>(std::max(endOffset, 0)));
}

int TapeAccessible::cursorPosition() const { return static_cast<int>(Field()->Cursor()); }

void TapeAccessible::setCursorPosition(int position) {
  Field()->SetCursorPosition(static_cast<std::size_t>(std::max(position, 0)));
}

QString TapeAccessible::text(int startOffset, int endOffset) const {
  const std::string cells = Field()->Text();
  const auto from = static_cast<std::size_t>(std::clamp(startOffset, 0, static_cast<int>(cells.size())));
  const auto to =
      static_cast<std::size_t>(std::clamp(endOffset, static_cast<int>(from), static_cast<int>(cells.size())));
  return FromMachine(cells.substr(from, to - from));
}

int TapeAccessible::characterCount() const { return static_cast<int>(Field()->Size()); }

QRect TapeAccessible::characterRect(int offset) const {
  const TapeField* f = Field();
  const auto cell = static_cast<std::size_t>(std::max(offset, 0));
  if (cell < f->FirstVisibleCell() || cell >= f->FirstVisibleCell() + f->VisibleCells()) return {};
  const QRect r = f->CellRect(cell);
  return {f->mapToGlobal(r.topLeft()), r.size()};
}

int TapeAccessible::offsetAtPoint(const QPoint& point) const {
  const TapeField* f = Field();
  const QPoint local = f->mapFromGlobal(point);
  for (std::size_t c = f->FirstVisibleCell(); c < std::min(f->Size(), f->FirstVisibleCell() + f->VisibleCells()); ++c)
    if (f->CellRect(c).contains(local)) return static_cast<int>(c);
  return -1;
}

void TapeAccessible::scrollToSubstring(int startIndex, int) {
  Field()->SetCursorPosition(static_cast<std::size_t>(std::max(startIndex, 0)));
}

QString TapeAccessible::attributes(int offset, int* startOffset, int* endOffset) const {
  *startOffset = *endOffset = offset;
  return {};
}

void TapeAccessible::deleteText(int startOffset, int endOffset) { replaceText(startOffset, endOffset, {}); }

void TapeAccessible::insertText(int offset, const QString& text) { replaceText(offset, offset, text); }

void TapeAccessible::replaceText(int startOffset, int endOffset, const QString& text) {
  const auto from = static_cast<std::size_t>(std::max(startOffset, 0));
  Field()->EditAt(from, static_cast<std::size_t>(std::max(endOffset, startOffset)) - from, ToMachine(text));
}

}  // namespace automaten
