// Every image is drawn on a 16 x 16 grid and scaled to the size asked for.
#include "icons.h"

#include <QApplication>
#include <QIconEngine>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QStyle>
#include <QStyleOption>
#include <algorithm>
#include <iterator>

namespace automaten {

namespace {

const QColor kInk(40, 40, 40);
const QColor kPaper(250, 250, 245);
const QColor kBlue(40, 90, 180);
const QColor kGreen(30, 140, 60);
const QColor kRed(200, 40, 40);
const QColor kOrange(220, 130, 30);
const QColor kPurple(120, 60, 160);
const QColor kYellow(240, 200, 70);

QPen Pen(const QColor& c, double w = 1.0) { return QPen(c, w, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin); }

void Page(QPainter& p) {
  QPainterPath page;
  page.moveTo(3.5, 1.5);
  page.lineTo(10, 1.5);
  page.lineTo(13.5, 5);
  page.lineTo(13.5, 14.5);
  page.lineTo(3.5, 14.5);
  page.closeSubpath();
  p.setPen(Pen(kInk));
  p.setBrush(kPaper);
  p.drawPath(page);
  p.drawPolyline(QPolygonF({QPointF(10, 1.5), QPointF(10, 5), QPointF(13.5, 5)}));
}

void Floppy(QPainter& p) {
  p.setPen(Pen(kInk));
  p.setBrush(kBlue);
  p.drawRoundedRect(QRectF(1.5, 1.5, 13, 13), 1, 1);
  p.setBrush(kPaper);
  p.drawRect(QRectF(4, 1.5, 8, 5));
  p.setBrush(QColor(200, 200, 200));
  p.drawRect(QRectF(4, 9.5, 8, 5));
  p.setPen(Pen(kInk, 1.5));
  p.drawLine(QPointF(9.5, 2.5), QPointF(9.5, 5.5));
}

void Tape(QPainter& p, double y = 4.5) {
  p.setPen(Pen(kInk));
  p.setBrush(kPaper);
  p.drawRect(QRectF(0.5, y, 15, 5));
  for (double x = 4.5; x < 15; x += 4) p.drawLine(QPointF(x, y), QPointF(x, y + 5));
}

void StateCircle(QPainter& p, const QPointF& c, double r, const QColor& fill) {
  p.setPen(Pen(kInk));
  p.setBrush(fill);
  p.drawEllipse(c, r, r);
}

void Arrow(QPainter& p, const QPointF& from, const QPointF& to, const QColor& c) {
  p.setPen(Pen(c, 1.2));
  p.drawLine(from, to);
  const QLineF line(to, from);
  QLineF wing1 = line, wing2 = line;
  wing1.setLength(3);
  wing2.setLength(3);
  wing1.setAngle(line.angle() + 30);
  wing2.setAngle(line.angle() - 30);
  p.drawLine(wing1);
  p.drawLine(wing2);
}

void Letter(QPainter& p, const QRectF& r, const QString& text, const QColor& c, double pixel) {
  QFont f("DejaVu Sans");
  f.setPixelSize(static_cast<int>(pixel));
  f.setBold(true);
  p.setFont(f);
  p.setPen(c);
  p.drawText(r, Qt::AlignCenter, text);
}

void Draw(QPainter& p, int index) {
  switch (index) {
    case kImgNew:
      Page(p);
      p.setPen(Pen(kYellow, 1.5));
      p.drawLine(QPointF(11, 10), QPointF(15, 10));
      p.drawLine(QPointF(13, 8), QPointF(13, 12));
      break;
    case kImgOpen: {
      p.setPen(Pen(kInk));
      p.setBrush(QColor(230, 180, 70));
      p.drawPolygon(QPolygonF({QPointF(1.5, 3.5), QPointF(6, 3.5), QPointF(7.5, 5), QPointF(13.5, 5),
                               QPointF(13.5, 13.5), QPointF(1.5, 13.5)}));
      p.setBrush(kYellow);
      p.drawPolygon(QPolygonF({QPointF(1.5, 13.5), QPointF(4, 7.5), QPointF(15.5, 7.5), QPointF(13.5, 13.5)}));
      break;
    }
    case kImgSave: Floppy(p); break;
    case kImgSaveAs:
      Floppy(p);
      p.setPen(Pen(kInk));
      p.setBrush(kOrange);
      p.drawPolygon(
          QPolygonF({QPointF(8, 15), QPointF(8.5, 12.5), QPointF(14.5, 6.5), QPointF(16, 8), QPointF(10, 14)}));
      break;
    case kImgPrint:
      p.setPen(Pen(kInk));
      p.setBrush(kPaper);
      p.drawRect(QRectF(4.5, 1.5, 7, 5));
      p.setBrush(QColor(150, 150, 160));
      p.drawRoundedRect(QRectF(1.5, 6.5, 13, 6), 1, 1);
      p.setBrush(kPaper);
      p.drawRect(QRectF(4.5, 10.5, 7, 4));
      p.setPen(Pen(kGreen, 1.2));
      p.drawPoint(QPointF(12.5, 8.5));
      break;
    case kImgExit:
      p.setPen(Pen(kInk));
      p.setBrush(QColor(160, 110, 60));
      p.drawRect(QRectF(2.5, 1.5, 7, 13));
      Arrow(p, QPointF(7, 8), QPointF(15, 8), kRed);
      break;
    case kImgSpare: Tape(p, 5.5); break;
    case kImgStart:
      p.setPen(Pen(kInk));
      p.setBrush(kGreen);
      p.drawPolygon(QPolygonF({QPointF(3.5, 2), QPointF(13.5, 8), QPointF(3.5, 14)}));
      break;
    case kImgStop:
      p.setPen(Pen(kInk));
      p.setBrush(kRed);
      p.drawRoundedRect(QRectF(3, 3, 10, 10), 1, 1);
      break;
    case kImgStep:
      p.setPen(Pen(kInk));
      p.setBrush(kGreen);
      p.drawPolygon(QPolygonF({QPointF(2.5, 3), QPointF(10, 8), QPointF(2.5, 13)}));
      p.setBrush(kInk);
      p.drawRect(QRectF(11, 3, 2.5, 10));
      break;
    case kImgStepBack:
      p.setPen(Pen(kInk));
      p.setBrush(kBlue);
      p.drawPolygon(QPolygonF({QPointF(13.5, 3), QPointF(6, 8), QPointF(13.5, 13)}));
      p.setBrush(kInk);
      p.drawRect(QRectF(2.5, 3, 2.5, 10));
      break;
    case kImgDEA:  // two states, a move between them, and an output mark
      StateCircle(p, QPointF(4, 8), 3, QColor(200, 220, 250));
      StateCircle(p, QPointF(12.5, 8), 3, QColor(200, 220, 250));
      Arrow(p, QPointF(7, 8), QPointF(9.5, 8), kBlue);
      p.setPen(Pen(kOrange, 1.5));
      p.drawLine(QPointF(8, 2), QPointF(8, 5));
      break;
    case kImgAkz:  // an accepting state: a double circle
      StateCircle(p, QPointF(8, 8), 6.5, QColor(210, 240, 210));
      p.setBrush(Qt::NoBrush);
      p.setPen(Pen(kGreen, 1.2));
      p.drawEllipse(QPointF(8, 8), 4, 4);
      break;
    case kImgNEA:  // one state, two moves on the same symbol
      StateCircle(p, QPointF(3.5, 8), 3, QColor(225, 205, 245));
      Arrow(p, QPointF(6.5, 7), QPointF(14.5, 2.5), kPurple);
      Arrow(p, QPointF(6.5, 9), QPointF(14.5, 13.5), kPurple);
      break;
    case kImgKA:  // a stack
      p.setPen(Pen(kInk));
      for (int i = 0; i < 4; ++i) {
        p.setBrush(i == 0 ? kOrange : QColor(250, 220, 170));
        p.drawRect(QRectF(3.5, 2.5 + i * 3, 9, 3));
      }
      p.drawLine(QPointF(2, 14.5), QPointF(14, 14.5));
      break;
    case kImgTM:  // the tape with the head under one cell
      Tape(p, 2.5);
      p.setPen(Pen(kInk));
      p.setBrush(kRed);
      p.drawPolygon(QPolygonF({QPointF(6.5, 9.5), QPointF(10.5, 15), QPointF(2.5, 15)}));
      break;
    case kImgReset:
      p.setPen(Pen(kInk));
      p.setBrush(kInk);
      p.drawRect(QRectF(2, 3, 2, 10));
      p.setBrush(kBlue);
      p.drawPolygon(QPolygonF({QPointF(14, 3), QPointF(5, 8), QPointF(14, 13)}));
      break;
    case kImgClearTape:
      Tape(p);
      p.setPen(Pen(kRed, 2));
      p.drawLine(QPointF(4, 10), QPointF(12, 15.5));
      p.drawLine(QPointF(12, 10), QPointF(4, 15.5));
      break;
    case kImgLastTape: {
      Tape(p, 1.5);
      p.setPen(Pen(kGreen, 1.5));
      p.setBrush(Qt::NoBrush);
      p.drawArc(QRectF(4, 7.5, 8, 7.5), 30 * 16, 270 * 16);
      p.setBrush(kGreen);
      p.setPen(Pen(kGreen));
      p.drawPolygon(QPolygonF({QPointF(11, 7.5), QPointF(14.5, 8.5), QPointF(11.5, 11)}));
      break;
    }
    case kImgHelp:
      StateCircle(p, QPointF(8, 8), 7, kBlue);
      Letter(p, QRectF(0, 0, 16, 16), "?", Qt::white, 12);
      break;
    case kImgInfo:
      StateCircle(p, QPointF(8, 8), 7, kBlue);
      Letter(p, QRectF(0, 0, 16, 16), "i", Qt::white, 12);
      break;
    default: break;
  }
}

}  // namespace

QPixmap MachinePixmap(int index, int size) {
  QPixmap pixmap(size, size);
  pixmap.fill(Qt::transparent);
  QPainter p(&pixmap);
  p.setRenderHint(QPainter::Antialiasing);
  p.setRenderHint(QPainter::TextAntialiasing);
  p.scale(size / 16.0, size / 16.0);
  Draw(p, index);
  return pixmap;
}

namespace {

// An icon drawn when it is first shown, and only at the size shown: the
// next of 16, 24, 32 and 48 pixels, scaled down to sizes between them. The
// window's start draws only what its first paint shows (the tool bar's
// icons at one size), not every menu's icons at four.
class DrawnIconEngine : public QIconEngine {
 public:
  explicit DrawnIconEngine(int index) : index_(index) {}
  void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State state) override {
    const qreal ratio = painter->device() != nullptr ? painter->device()->devicePixelRatio() : 1.0;
    painter->drawPixmap(rect, pixmap((QSizeF(rect.size()) * ratio).toSize(), mode, state));
  }
  QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State) override {
    if (size.isEmpty()) return {};
    const int drawn = Drawn(std::max(size.width(), size.height()));
    QPixmap& kept = drawn_[Slot(drawn)];
    if (kept.isNull()) kept = MachinePixmap(index_, drawn);
    QPixmap shown = drawn > size.width() || drawn > size.height()
                        ? kept.scaled(size, Qt::KeepAspectRatio, Qt::SmoothTransformation)
                        : kept;
    if (mode == QIcon::Normal) return shown;
    QStyleOption option;
    option.palette = QGuiApplication::palette();
    return QApplication::style()->generatedIconPixmap(mode, shown, &option);
  }
  QSize actualSize(const QSize& size, QIcon::Mode, QIcon::State) override {
    const int drawn = Drawn(std::max(size.width(), size.height()));
    return QSize(drawn, drawn).scaled(size.boundedTo(QSize(drawn, drawn)), Qt::KeepAspectRatio);
  }
  QList<QSize> availableSizes(QIcon::Mode, QIcon::State) override {
    return {QSize(16, 16), QSize(24, 24), QSize(32, 32), QSize(48, 48)};
  }
  QIconEngine* clone() const override { return new DrawnIconEngine(index_); }
  QString key() const override { return QStringLiteral("automaten-drawn"); }

 private:
  static constexpr int kSizes[] = {16, 24, 32, 48};
  // The drawing for a size: the smallest at least as large, else the largest.
  static int Drawn(int side) {
    for (int drawn : kSizes)
      if (drawn >= side) return drawn;
    return kSizes[3];
  }
  static std::size_t Slot(int drawn) {
    return static_cast<std::size_t>(std::find(std::begin(kSizes), std::end(kSizes), drawn) - std::begin(kSizes));
  }

  int index_;
  QPixmap drawn_[4];
};

}  // namespace

QIcon MachineIcon(int index) { return QIcon(new DrawnIconEngine(index)); }

}  // namespace automaten
