// The start-up of an empty Qt window, the measure for the window's own: a
// process that shows a window and ends at its first paint. With --timer
// SECONDS instead, the bare window of the rate measure: a 2 ms timer that
// only sets a label, and the ticks it reached a second.
#include <QApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <QLabel>
#include <QTimer>
#include <QVBoxLayout>
#include <QWidget>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

// Ends the process once the widget it watches has painted for the first
// time: what start-up takes, without what closing takes.
struct QuitAtFirstPaint : QObject {
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::Paint) QTimer::singleShot(0, [] { std::_Exit(0); });
    return QObject::eventFilter(watched, event);
  }
};

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QWidget window;
  window.resize(640, 400);
  auto* label = new QLabel(QStringLiteral("0"));
  (new QVBoxLayout(&window))->addWidget(label);
  if (argc > 2 && std::strcmp(argv[1], "--timer") == 0) {
    QTimer timer;
    timer.setTimerType(Qt::PreciseTimer);
    timer.setInterval(2);
    long long ticks = 0;
    qint64 first = -1, last = -1;
    QElapsedTimer clock;
    clock.start();
    QObject::connect(&timer, &QTimer::timeout, [&] {
      label->setText(QString::number(++ticks));
      last = clock.nsecsElapsed();
      if (first < 0) first = last;
    });
    window.show();
    timer.start();
    QTimer::singleShot(std::atoi(argv[2]) * 1000, &app, &QCoreApplication::quit);
    app.exec();
    std::printf("%.1f\n", ticks > 1 ? (ticks - 1) / ((last - first) / 1e9) : 0.0);
    return 0;
  }
  QuitAtFirstPaint quit;
  window.installEventFilter(&quit);
  window.show();
  return app.exec();
}
