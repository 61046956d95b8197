// A label of one line of plain text in a fixed-pitch font that paints its
// glyphs itself: the status labels change at every step, and QLabel lays its
// text out anew at every paint. The glyphs are looked up, not shaped, and
// placed one cell apart.
#pragma once

#include <QFontMetricsF>
#include <QGlyphRun>
#include <QLabel>
#include <QPainter>
#include <QRawFont>

namespace automaten {

class PlainLabel : public QLabel {
 public:
  using QLabel::QLabel;

 protected:
  void changeEvent(QEvent* event) override {
    if (event->type() == QEvent::FontChange) rawFont_ = QRawFont();
    QLabel::changeEvent(event);
  }

  void paintEvent(QPaintEvent*) override {
    if (!rawFont_.isValid()) {
      rawFont_ = QRawFont::fromFont(font());
      advance_ = QFontMetricsF(font()).horizontalAdvance(QString(100, QLatin1Char('0'))) / 100;
      ascent_ = QFontMetricsF(font()).ascent();
    }
    const QString shown = text();
    const QList<quint32> glyphs = rawFont_.glyphIndexesForString(shown);
    QList<QPointF> positions;
    positions.reserve(glyphs.size());
    for (qsizetype i = 0; i < glyphs.size(); ++i) positions.append(QPointF(i * advance_, 0));
    QGlyphRun run;
    run.setRawFont(rawFont_);
    run.setGlyphIndexes(glyphs);
    run.setPositions(positions);
    QPainter p(this);
    p.setPen(palette().color(foregroundRole()));
    p.drawGlyphRun(contentsRect().topLeft() + QPointF(0, ascent_), run);
  }

 private:
  QRawFont rawFont_;
  qreal advance_ = 0;
  qreal ascent_ = 0;
};

}  // namespace automaten
