#include "testpane.h"

#include <QLabel>
#include <QPointer>
#include <QProgressBar>
#include <QPushButton>
#include <QThread>
#include <QTimer>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "machinetext.h"

namespace automaten {

namespace {

constexpr unsigned long long kMaxSteps = kDefaultStepBound;  // as automaten-cli test
enum Column { kLine, kWord, kExpected, kGot, kMark };

QString Text(const std::string& utf8) { return QString::fromStdString(utf8); }

}  // namespace

// One run of the cases on its worker thread; given up when `cancelled`.
struct TestPane::Run {
  std::atomic<bool> cancelled{false};
  QThread* thread = nullptr;
};

TestPane::TestPane(QWidget* parent)
    : QWidget(parent),
      list_(new QTreeWidget),
      run_(new QPushButton(QStringLiteral("Alle Tests ausführen"))),
      progress_(new QProgressBar),
      summary_(new QLabel) {
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(2, 2, 2, 2);
  layout->addWidget(list_, 1);
  layout->addWidget(progress_);
  layout->addWidget(summary_);
  layout->addWidget(run_);
  list_->setObjectName(QStringLiteral("TestListe"));
  list_->setRootIsDecorated(false);
  list_->setHeaderLabels({QStringLiteral("Zeile"), QStringLiteral("Wort"), QStringLiteral("Erwartet"),
                          QStringLiteral("Ergebnis"), QString()});
  list_->setUniformRowHeights(true);
  progress_->hide();
  run_->setObjectName(QStringLiteral("TestsAusfuehren"));
  connect(run_, &QPushButton::clicked, this, &TestPane::RunRequested);
  // A double-click or Enter on a case: its word on the tape.
  connect(list_, &QTreeWidget::itemActivated, this, [this](QTreeWidgetItem* item) {
    const QVariant index = item->data(kLine, Qt::UserRole);
    if (index.isValid() && index.toUInt() < cases_.size()) emit WordChosen(cases_[index.toUInt()].word);
  });
}

TestPane::~TestPane() {
  if (running_) {
    running_->cancelled = true;
    running_->thread->wait();
  }
}

QString TestPane::Summary() const { return summary_->text(); }

QString TestPane::CurrentResults() const {
  if (stale_ || running_ || list_->topLevelItemCount() == 0) return {};
  QString html = QStringLiteral("<table cellspacing=\"0\" cellpadding=\"3\" border=\"1\"><tr>");
  for (int column = 0; column < list_->columnCount(); ++column)
    html += QStringLiteral("<th align=\"left\">%1</th>").arg(list_->headerItem()->text(column).toHtmlEscaped());
  html += QStringLiteral("</tr>");
  for (int i = 0; i < list_->topLevelItemCount(); ++i) {
    html += QStringLiteral("<tr>");
    for (int column = 0; column < list_->columnCount(); ++column)
      html += QStringLiteral("<td>%1</td>").arg(list_->topLevelItem(i)->text(column).toHtmlEscaped());
    html += QStringLiteral("</tr>");
  }
  return html + QStringLiteral("</table><p>%1</p>").arg(Summary().toHtmlEscaped());
}

void TestPane::RunAll(MachineKind kind, const std::string& program, const std::vector<std::string>& lines) {
  // A run still going is given up between two cases and waited for, so
  // there is never more than one worker and the pane can always wait for it.
  if (running_) {
    running_->cancelled = true;
    running_->thread->wait();
  }
  const TestSuite suite = TestCasesOfProgram(lines);
  stale_ = false;
  cases_ = suite.cases;
  passed_ = failed_ = 0;
  list_->clear();
  for (const TestLineFault& f : suite.faults) {
    auto* item = new QTreeWidgetItem(
        list_, {QString::number(f.line), QString(), QString(), Text(f.reason), QStringLiteral("✗")});
    item->setForeground(kMark, Qt::red);
    ++failed_;
  }
  for (std::size_t i = 0; i < cases_.size(); ++i) {
    const TestCase& c = cases_[i];
    auto* item = new QTreeWidgetItem(
        list_, {QString::number(c.line), c.word.empty() ? QStringLiteral("\"\"") : FromMachine(c.word),
                Text(ExpectationText(c)), QString(), QString()});
    item->setData(kLine, Qt::UserRole, static_cast<unsigned>(i));
  }
  for (int column = 0; column < list_->columnCount(); ++column) list_->resizeColumnToContents(column);
  if (cases_.empty()) {
    summary_->setText(Text(suite.faults.empty() ? std::string(kNoTestCases) : TestSummaryText(0, failed_)));
    running_.reset();
    return;
  }
  summary_->setText(Text(kTestsRunning));
  progress_->setRange(0, static_cast<int>(cases_.size()));
  progress_->setValue(0);
  run_->setEnabled(false);

  auto run = std::make_shared<Run>();
  running_ = run;
  QPointer<TestPane> self(this);
  const std::vector<TestCase> cases = cases_;
  run->thread = QThread::create([self, run, kind, program, cases] {
    for (std::size_t i = 0; i < cases.size() && !run->cancelled; ++i) {
      const CaseResult result = RunTestCase(kind, program, cases[i], kMaxSteps);
      QMetaObject::invokeMethod(
          self.data(),
          [self, run, i, result] {
            if (self && self->running_ == run) self->ShowResult(i, result);
          },
          Qt::QueuedConnection);
    }
  });
  connect(run->thread, &QThread::finished, this, [this, run] {
    run->thread->deleteLater();
    if (running_ == run) Done();
  });
  // Short runs show no bar.
  QTimer::singleShot(300, this, [this, run] {
    if (running_ == run) progress_->show();
  });
  run->thread->start();
}

void TestPane::MarkStale() {
  if (stale_ || list_->topLevelItemCount() == 0) return;
  // A run still going belongs to the old text: its results are given up.
  if (running_) {
    running_->cancelled = true;
    running_->thread->wait();
    running_.reset();
    progress_->hide();
    run_->setEnabled(true);
  }
  stale_ = true;
  for (int i = 0; i < list_->topLevelItemCount(); ++i)
    for (int column = 0; column < list_->columnCount(); ++column)
      list_->topLevelItem(i)->setForeground(column, palette().color(QPalette::Disabled, QPalette::Text));
  summary_->setText(Text(kTestsStale) + summary_->text());
}

void TestPane::ShowResult(std::size_t index, const CaseResult& result) {
  QTreeWidgetItem* item = list_->topLevelItem(static_cast<int>(list_->topLevelItemCount() - cases_.size() + index));
  if (item == nullptr) return;
  item->setText(kGot, Text(result.got));
  item->setText(kMark, result.passed ? QStringLiteral("✓") : QStringLiteral("✗"));
  item->setForeground(kMark, result.passed ? QColor(0, 128, 0) : QColor(Qt::red));
  ++(result.passed ? passed_ : failed_);
  progress_->setValue(static_cast<int>(index) + 1);
}

void TestPane::Done() {
  // Once at the end: columns fitted to every result at each one would cost the loop its pace.
  for (int column = 0; column < list_->columnCount(); ++column) list_->resizeColumnToContents(column);
  running_.reset();
  progress_->hide();
  run_->setEnabled(true);
  summary_->setText(Text(TestSummaryText(passed_, failed_)));
}

}  // namespace automaten
