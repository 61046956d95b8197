// The menu "&Werkzeuge": an NEA made into an acceptor, an acceptor or NEA
// made minimal, the comparison with another program's language, and regular
// expressions and grammars to and from acceptors. The tools, which kind each
// takes and their texts are control/'s; these actions ask and show.
#pragma once

#include <QList>
#include <QObject>

#include "control/kinds.h"

class QAction;
class QWidget;

namespace automaten {

class Dialogs;
class DocumentHost;
class DocumentSession;
class Simulation;
class View;
struct ToolProblem;

class LanguageTools : public QObject {
  Q_OBJECT
 public:
  LanguageTools(QWidget& window, Simulation& sim, View& view, DocumentHost& host, DocumentSession& session,
                Dialogs& dialogs);

  // "In Akzeptor umwandeln", "Akzeptor minimieren", "Vergleichen mit Programm...".
  QList<QAction*> Actions() const { return {convert_, minimize_, compare_}; }
  // "Aus regulärem Ausdruck...", "Als regulären Ausdruck", "Als Grammatik", "Aus Grammatik...".
  QList<QAction*> LanguageActions() const { return {fromRegex_, asRegex_, asGrammar_, fromGrammar_}; }
  // Each tool where the kind table says it decides its question.
  void EnableFor(MachineKind kind);

 private:
  void Convert(bool minimal);
  void Compare();
  // Asks for an expression or a grammar until it reads, then opens its acceptor.
  void FromText(bool grammar);
  void Describe(bool grammar);
  void ShowProblem(const ToolProblem& problem);

  QWidget& window_;
  Simulation& sim_;
  View& view_;
  DocumentHost& host_;
  DocumentSession& session_;
  Dialogs& dialogs_;
  QAction* convert_;
  QAction* minimize_;
  QAction* compare_;
  QAction* fromRegex_;
  QAction* asRegex_;
  QAction* asGrammar_;
  QAction* fromGrammar_;
  QString lastRegex_, lastGrammar_;  // what was asked for last, offered again
};

}  // namespace automaten
