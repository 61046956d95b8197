// The pane "Tests": the program's test cases, run off the GUI thread by the
// same simulation the command line uses, with their results.
#pragma once

#include <QWidget>
#include <atomic>
#include <memory>
#include <string>
#include <vector>

#include "control/headless.h"
#include "control/testcases.h"

class QLabel;
class QProgressBar;
class QPushButton;
class QTreeWidget;
class QTreeWidgetItem;

namespace automaten {

class TestPane : public QWidget {
  Q_OBJECT
 public:
  explicit TestPane(QWidget* parent = nullptr);
  ~TestPane() override;

  // Runs every case of the program (UTF-8 text and its machine-text lines);
  // a run still going is given up.
  void RunAll(MachineKind kind, const std::string& program, const std::vector<std::string>& lines);
  bool Running() const { return running_ != nullptr; }
  // The program or the kind changed: the results shown are another text's.
  // They are greyed, and the summary starts with "veraltet", until the next run.
  void MarkStale();
  bool Stale() const { return stale_; }

  QTreeWidget* List() const { return list_; }
  QString Summary() const;
  // The results of the current text, as a table with the summary under it
  // (HTML, for printing); empty while there are none, they are stale or a run goes on.
  QString CurrentResults() const;

 signals:
  void RunRequested();                       // the pane's button
  void WordChosen(const std::string& word);  // a case double-clicked: its word, machine text

 private:
  struct Run;
  void ShowResult(std::size_t index, const CaseResult& result);
  void Done();

  QTreeWidget* list_;
  QPushButton* run_;
  QProgressBar* progress_;
  QLabel* summary_;
  std::vector<TestCase> cases_;
  std::shared_ptr<Run> running_;
  int passed_ = 0, failed_ = 0;
  bool stale_ = false;
};

}  // namespace automaten
