// GUI rate probe: runs a never-halting Turing machine (a binary counter, which
// the loop detector watches without end) in the real window on
// the offscreen platform at slider positions 50, 70 and 100 and reports the
// achieved steps per second against the nominal frequency, the cost of one
// step with its display refresh and painting, and the resident memory; with
// --right MINUTES, a machine moving right at 500 Hz while its tape grows.
// With --tests, "Alle Tests ausführen" on 100 cases of a Turing machine while
// a 5 ms timer measures the longest stall of the event loop.
// PROBE_DIAGRAM=1 runs it with the pane "Zustandsdiagramm" shown, the mark
// following every step.
// With --startup, the window as the program opens it, ended at its first
// paint (scripts/bench-window.sh times it against bench/empty_window); with
// --timer SECONDS, the counter at 500 Hz and the steps it reached a second.
// PROBE_PARTS=1 with --startup prints where the start's time goes: the
// application, the window, help and info, showing, and the first paint.
#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QPrinter>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

#include "ui/diagrampane.h"
#include "ui/tapefield.h"
#include "ui/testpane.h"
#include "ui/tfhilfe.h"
#include "ui/tfinfo.h"
#include "ui/tform1.h"

namespace {

// A part of the window, found by its object name.
template <typename T>
T* Part(QObject& form, const char* name) {
  return form.findChild<T*>(QString::fromLatin1(name));
}

// Message boxes go to standard error, so that nothing waits for a user.
struct PrintedMessages : automaten::Dialogs {
  void Message(QWidget*, const QString& text) override { std::fprintf(stderr, "message: %s\n", qPrintable(text)); }
  bool MessageWithSwitch(QWidget*, const QString& text) override {
    Message(nullptr, text);
    return false;
  }
  automaten::Answer SaveQuestion(QWidget*, const QString&) override { return automaten::Answer::Nein; }
  void Error(QWidget*, const QString& text) override { Message(nullptr, text); }
  QString ChooseFile(QWidget*, File, const QString&) override { return {}; }
  std::unique_ptr<QPrinter> DefaultPrinter() override { return nullptr; }
  std::unique_ptr<QPrinter> ChoosePrinter(QWidget*, const automaten::PrintParts&, automaten::PrintParts&) override {
    return nullptr;
  }
  bool ComparisonResult(QWidget*, const QString&, bool) override { return false; }
  std::optional<QString> AskText(QWidget*, const QString&, const QString&, const QString&, bool) override {
    return std::nullopt;
  }
  void ShowText(QWidget*, const QString&, const QString& text) override { Message(nullptr, text); }
};

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

// Steps with the whole display refresh, painting included: the median of 15
// batches of 200 steps, so that a moment of load on the machine does not count.
void MeasureStep(automaten::TForm1& form, const char* what) {
  std::vector<double> step, total;
  for (int batch = 0; batch < 15; ++batch) {
    qint64 stepNs = 0, paintNs = 0;
    for (int i = 0; i < 200; ++i) {
      QElapsedTimer clock;
      clock.start();
      form.Sim().SingleStep();
      stepNs += clock.nsecsElapsed();
      clock.restart();
      QApplication::processEvents();
      paintNs += clock.nsecsElapsed();
    }
    step.push_back(stepNs / 1e3 / 200);
    total.push_back((stepNs + paintNs) / 1e3 / 200);
  }
  std::sort(step.begin(), step.end());
  std::sort(total.begin(), total.end());
  std::printf("%s: one step with its display refresh %.1f us, with the painting %.1f us (tape %zu cells)\n", what,
              step[step.size() / 2], total[total.size() / 2], Part<automaten::TapeField>(form, "EBand")->Size());
}

// A Turing machine moving right for ever at 500 Hz: the rate in each minute
// while its tape grows, then the cost of a step on the long tape.
int RunRight(automaten::TForm1& form, int minutes) {
  form.Session().SelectKind(automaten::MachineKind::TM);
  form.SetProgramText("a * -> * R a\n");
  form.Sim().ClearTape();  // blanks only
  if (std::getenv("PROBE_TAPE"))
    form.SetFieldText(automaten::Field::EBand, std::string(std::atoi(std::getenv("PROBE_TAPE")), '*'));
  form.Sim().Reset();
  form.SetSliderPosition(100);
  if (std::getenv("PROBE_BEFORE")) MeasureStep(form, "before the run");
  QElapsedTimer clock;
  qint64 ticks = 0;
  QObject::connect(Part<QTimer>(form, "Timer1"), &QTimer::timeout, [&] { ++ticks; });
  form.Sim().StartOrStop();
  clock.start();
  std::printf("minute  achieved/s  share   tape cells\n");
  for (int m = 1; m <= minutes; ++m) {
    const qint64 before = ticks, start = clock.nsecsElapsed();
    Spin(60000);
    const double rate = (ticks - before) / ((clock.nsecsElapsed() - start) / 1e9);
    std::printf("%-7d %-11.1f %-7.1f %zu\n", m, rate, rate / 5.0, Part<automaten::TapeField>(form, "EBand")->Size());
    std::fflush(stdout);
  }
  form.Sim().StartOrStop();
  MeasureStep(form, "after the run");
  return 0;
}

// 100 cases of the addition machine, each some hundred steps, run by Ctrl+T.
int RunTests(automaten::TForm1& form) {
  form.Session().SelectKind(automaten::MachineKind::TM);
  std::string program = form.ProgramText();
  for (int i = 0; i < 100; ++i) {
    const int a = 1 + i % 10, b = 1 + i / 10;
    program += "\n; Test: " + std::string(a, '1') + "#" + std::string(b, '1') + " -> Wert " + std::to_string(a + b);
  }
  form.SetProgramText(program);
  QElapsedTimer clock, total;
  qint64 last = 0, longest = 0;
  QTimer beat;
  QObject::connect(&beat, &QTimer::timeout, [&] {
    const qint64 now = clock.nsecsElapsed();
    longest = std::max(longest, now - last);
    last = now;
  });
  clock.start();
  beat.start(5);
  Spin(200);
  longest = 0;
  last = clock.nsecsElapsed();
  total.start();
  Part<QAction>(form, "MIAlleTests")->trigger();
  while (Part<automaten::TestPane>(form, "Tests")->Running()) Spin(5);
  const double seconds = total.nsecsElapsed() / 1e9;
  Spin(50);
  std::printf("100 cases in %.2f s, %s; longest stall of the event loop %.1f ms\n", seconds,
              Part<automaten::TestPane>(form, "Tests")->Summary().toStdString().c_str(), longest / 1e6);
  return 0;
}

QElapsedTimer sinceMain;  // started as main begins

// Ends the process once the widget it watches has painted for the first
// time: what start-up takes, without what closing takes.
struct QuitAtFirstPaint : QObject {
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::Paint)
      QTimer::singleShot(0, [] {
        if (std::getenv("PROBE_PARTS"))
          std::fprintf(stderr, "painted %.1f ms after main\n", sinceMain.nsecsElapsed() / 1e6);
        std::_Exit(0);
      });
    return QObject::eventFilter(watched, event);
  }
};

// The window as the program opens it (its help and info windows made, no
// file named), until its first paint.
int StartUp(QApplication& app) {
  QElapsedTimer clock;
  clock.start();
  automaten::TForm1 form;
  const qint64 made = clock.nsecsElapsed();
  automaten::TFHilfe help;
  automaten::TFInfo info;
  form.SetSecondaryWindows(&help, &info);
  const qint64 secondary = clock.nsecsElapsed();
  QuitAtFirstPaint quit;
  form.installEventFilter(&quit);
  form.show();
  if (std::getenv("PROBE_PARTS"))
    std::fprintf(stderr, "application %.1f ms, window %.1f ms, help and info %.1f ms, shown %.1f ms\n",
                 (sinceMain.nsecsElapsed() - clock.nsecsElapsed()) / 1e6, made / 1e6, (secondary - made) / 1e6,
                 (clock.nsecsElapsed() - secondary) / 1e6);
  return app.exec();
}

void SetCounter(automaten::TForm1& form) {
  form.Session().SelectKind(automaten::MachineKind::TM);
  // A binary counter that counts for ever: the loop detector watches every
  // step and never stops it.
  form.SetProgramText("A 1 -> 0 L A\nA 0 -> 1 R 2\nA * -> 1 R 2\n2 0 -> 0 R 2\n2 1 -> 1 R 2\n2 # -> # L A\n");
  form.SetFieldText(automaten::Field::EBand, "0#");
  form.Sim().Reset();
}

// The counter at the fastest position (2 ms), timed from the first tick to the last.
int TimerRate(automaten::TForm1& form, int seconds) {
  SetCounter(form);
  form.SetSliderPosition(100);
  QElapsedTimer clock;
  clock.start();
  qint64 first = -1, last = -1, ticks = 0;
  QObject::connect(Part<QTimer>(form, "Timer1"), &QTimer::timeout, [&] {
    last = clock.nsecsElapsed();
    if (first < 0) first = last;
    ++ticks;
  });
  form.Sim().StartOrStop();
  Spin(seconds * 1000);
  form.Sim().StartOrStop();
  std::printf("%.1f\n", ticks > 1 ? (ticks - 1) / ((last - first) / 1e9) : 0.0);
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  sinceMain.start();
  const bool startup = argc > 1 && std::string(argv[1]) == "--startup";
  const bool timer = argc > 2 && std::string(argv[1]) == "--timer";
  if (!startup && !timer) setenv("QT_QPA_PLATFORM", "offscreen", 0);
  QApplication app(argc, argv);
  if (startup) return StartUp(app);
  const bool right = argc > 2 && std::string(argv[1]) == "--right";
  const int seconds = argc > 1 && !right ? std::atoi(argv[1]) : 3;

  PrintedMessages dialogs;
  automaten::TForm1 form(&dialogs);
  automaten::TFHilfe help;
  automaten::TFInfo info;
  form.SetSecondaryWindows(&help, &info);
  form.show();
  Spin(300);
  if (right) return RunRight(form, std::atoi(argv[2]));
  if (argc > 1 && std::string(argv[1]) == "--tests") return RunTests(form);
  if (timer) return TimerRate(form, std::atoi(argv[2]));

  automaten::Simulation& sim = form.Sim();
  SetCounter(form);
  if (std::getenv("PROBE_DIAGRAM")) {
    Part<QAction>(form, "MIDiagramm")->trigger();
    while (Part<automaten::DiagramPane>(form, "Diagramm")->LayoutPending() ||
           Part<automaten::DiagramPane>(form, "Diagramm")->Shown().nodes.empty())
      Spin(20);
    std::printf("with the state diagram shown (%zu states)\n",
                Part<automaten::DiagramPane>(form, "Diagramm")->Shown().nodes.size());
  }

  std::printf("%-9s %-10s %-12s %-14s %s\n", "position", "interval", "nominal Hz", "achieved/s", "share");
  for (int position : {50, 70, 100}) {
    form.SetSliderPosition(position);
    const double nominal = 1000.0 / form.TimerInterval();
    // The rate is taken from the first tick to the last, so the wait for the
    // first tick does not count against it.
    QElapsedTimer clock;
    clock.start();
    qint64 first = -1, last = -1, ticks = 0;
    const auto connection = QObject::connect(Part<QTimer>(form, "Timer1"), &QTimer::timeout, [&] {
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

  MeasureStep(form, "counter");
  std::printf("resident memory: %.1f MB\n", ResidentKiB() / 1024.0);
  return 0;
}
