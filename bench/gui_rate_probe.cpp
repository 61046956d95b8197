// GUI rate probe: runs a never-halting Turing machine in the real window on
// the offscreen platform at slider positions 50, 70 and 100, and reports the
// achieved steps per second against the nominal frequency, the cost of one
// step with its display refresh, and the resident memory of the window.
#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>

#include "ui/tfhilfe.h"
#include "ui/tfinfo.h"
#include "ui/tform1.h"

namespace {

long ResidentKiB() {
  std::ifstream status("/proc/self/status");
  std::string key;
  while (status >> key) {
    if (key == "VmRSS:") {
      long kib = 0;
      status >> kib;
      return kib;
    }
    status.ignore(1 << 12, '\n');
  }
  return -1;
}

void Spin(int ms) {
  QEventLoop loop;
  QTimer::singleShot(ms, &loop, &QEventLoop::quit);
  loop.exec();
}

}  // namespace

int main(int argc, char** argv) {
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  QApplication app(argc, argv);
  const int seconds = argc > 1 ? std::atoi(argv[1]) : 3;

  automaten::TForm1 form;
  automaten::TFHilfe help;
  automaten::TFInfo info;
  form.SetSecondaryWindows(&help, &info);
  form.messageHook = [](const std::string& m) { std::fprintf(stderr, "message: %s\n", m.c_str()); };
  form.show();
  Spin(300);

  automaten::Simulation& sim = form.Sim();
  form.Session().SelectKind(automaten::MachineKind::TM);
  form.SetProgramText("a $ -> $ R a\r\na * -> * R a\r\na # -> # L 1\r\n1 * -> * L 1\r\n1 $ -> $ R a\r\n");
  form.SetFieldText(automaten::Field::EBand, "$" + std::string(58, '*') + "#");
  sim.Reset();

  std::printf("%-9s %-10s %-12s %-14s %s\n", "position", "interval", "nominal Hz", "achieved/s", "share");
  for (int position : {50, 70, 100}) {
    form.SetSliderPosition(position);
    const double nominal = 1000.0 / form.TimerInterval();
    // The rate is taken from the first tick to the last, so the wait for the
    // first tick does not count against it.
    QElapsedTimer clock;
    clock.start();
    qint64 first = -1, last = -1, ticks = 0;
    const auto connection = QObject::connect(form.Timer1, &QTimer::timeout, [&] {
      last = clock.nsecsElapsed();
      if (first < 0) first = last;
      ++ticks;
    });
    sim.StartOrStop();
    Spin(seconds * 1000);
    sim.StartOrStop();
    QObject::disconnect(connection);
    const double achieved = ticks > 1 ? (ticks - 1) / ((last - first) / 1e9) : 0.0;
    std::printf("%-9d %-10d %-12.1f %-14.1f %.1f %%\n", position, form.TimerInterval(), nominal, achieved,
                100.0 * achieved / nominal);
  }

  // One step with its whole display refresh, painting included.
  const int steps = 3000;
  qint64 stepNs = 0, paintNs = 0;
  for (int i = 0; i < steps; ++i) {
    QElapsedTimer clock;
    clock.start();
    sim.SingleStep();
    stepNs += clock.nsecsElapsed();
    clock.restart();
    QApplication::processEvents();
    paintNs += clock.nsecsElapsed();
  }
  std::printf("one step with its display refresh (Step and ShowState on the widgets): %.1f us\n", stepNs / 1e3 / steps);
  std::printf("the same with the painting of the changed widgets: %.1f us\n", (stepNs + paintNs) / 1e3 / steps);
  std::printf("resident memory: %.1f MB\n", ResidentKiB() / 1024.0);
  return 0;
}
