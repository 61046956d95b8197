// A label of plain text in a fixed-pitch font that paints its glyphs itself:
// the status labels change at every step, and QLabel lays its text out anew
// at every paint. The glyphs are looked up, not shaped, and placed one cell
// apart. A text wider than the label wraps, after a blank where the line has
// one: the window gives the label the lines it needs (Lines), so no text is
// ever cut off.
#pragma once

#include <QFontMetricsF>
#include <QGlyphRun>
#include <QLabel>
#include <QPainter>
#include <QRawFont>
#include <algorithm>
#include <utility>
#include <vector>

namespace automaten {

class PlainLabel : public QLabel {
 public:
  using QLabel::QLabel;

  // The width of one cell of the font.
  qreal Advance() const {
    Prepare();
    return advance_;
  }
  // The lines the text takes in a label of this width.
  int Lines(int width) const { return static_cast<int>(Wrapped(text(), CellsIn(width)).size()); }

  // [start, end) of each line of a text wrapped at `cells` characters: after
  // the last blank of a line where it has one, else at the last cell.
  static std::vector<std::pair<int, int>> Wrapped(const QString& text, int cells) {
    std::vector<std::pair<int, int>> lines;
    const int n = static_cast<int>(text.size());
    int start = 0;
    while (n - start > cells) {
      int end = start + cells;
      const int blank = static_cast<int>(text.lastIndexOf(QLatin1Char(' '), end));
      if (blank > start) end = blank + 1;
      lines.emplace_back(start, end);
      start = end;
    }
    lines.emplace_back(start, n);
    return lines;
  }

 protected:
  void changeEvent(QEvent* event) override {
    if (event->type() == QEvent::FontChange) rawFont_ = QRawFont();
    QLabel::changeEvent(event);
  }

  void paintEvent(QPaintEvent*) override {
    Prepare();
    const QString shown = text();
    const QList<quint32> glyphs = rawFont_.glyphIndexesForString(shown);
    QList<QPointF> positions;
    positions.reserve(glyphs.size());
    // One line a row; glyphs and characters correspond one to one in the fixed-pitch font.
    const qreal lineHeight = QFontMetricsF(font()).height();
    int row = 0;
    for (const auto& [start, end] : Wrapped(shown, CellsIn(contentsRect().width()))) {
      for (int i = start; i < end && i < glyphs.size(); ++i)
        positions.append(QPointF((i - start) * advance_, row * lineHeight));
      ++row;
    }
    while (positions.size() < glyphs.size()) positions.append(QPointF(-1000, 0));
    QGlyphRun run;
    run.setRawFont(rawFont_);
    run.setGlyphIndexes(glyphs);
    run.setPositions(positions);
    QPainter p(this);
    p.setPen(palette().color(foregroundRole()));
    p.drawGlyphRun(contentsRect().topLeft() + QPointF(0, ascent_), run);
  }

 private:
  void Prepare() const {
    if (rawFont_.isValid()) return;
    rawFont_ = QRawFont::fromFont(font());
    advance_ = QFontMetricsF(font()).horizontalAdvance(QString(100, QLatin1Char('0'))) / 100;
    ascent_ = QFontMetricsF(font()).ascent();
  }
  int CellsIn(int width) const { return std::max(1, static_cast<int>(width / std::max(Advance(), 1.0))); }

  mutable QRawFont rawFont_;
  mutable qreal advance_ = 0;
  mutable qreal ascent_ = 0;
};

}  // namespace automaten
