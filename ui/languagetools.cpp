#include "languagetools.h"

#include <QAction>
#include <QWidget>

#include "control/document.h"
#include "control/kinds.h"
#include "control/simulation.h"
#include "control/tools.h"
#include "dialogs.h"
#include "io/programfile.h"
#include "machinetext.h"

namespace automaten {

LanguageTools::LanguageTools(QWidget& window, Simulation& sim, View& view, DocumentHost& host, DocumentSession& session,
                             Dialogs& dialogs)
    : window_(window), sim_(sim), view_(view), host_(host), session_(session), dialogs_(dialogs) {
  // The actions belong to the window, where menus and tests find them.
  const auto make = [&window](const char* name, const QString& text) {
    auto* a = new QAction(text, &window);
    a->setObjectName(QString::fromLatin1(name));
    return a;
  };
  convert_ = make("InAkzeptorUmwandeln", QStringLiteral("In Akzeptor umwandeln"));
  connect(convert_, &QAction::triggered, this, [this] { Convert(false); });
  minimize_ = make("AkzeptorMinimieren", QStringLiteral("Akzeptor minimieren"));
  connect(minimize_, &QAction::triggered, this, [this] { Convert(true); });
  compare_ = make("VergleichenMit", QStringLiteral("Vergleichen mit Programm..."));
  connect(compare_, &QAction::triggered, this, &LanguageTools::Compare);
  fromRegex_ = make("AusRegulaeremAusdruck", QStringLiteral("Aus regulärem Ausdruck..."));
  connect(fromRegex_, &QAction::triggered, this, [this] { FromText(false); });
  asRegex_ = make("AlsRegulaererAusdruck", QStringLiteral("Als regulären Ausdruck"));
  connect(asRegex_, &QAction::triggered, this, [this] { Describe(false); });
  asGrammar_ = make("AlsGrammatik", QStringLiteral("Als Grammatik"));
  connect(asGrammar_, &QAction::triggered, this, [this] { Describe(true); });
  fromGrammar_ = make("AusGrammatik", QStringLiteral("Aus Grammatik..."));
  connect(fromGrammar_, &QAction::triggered, this, [this] { FromText(true); });
  EnableFor(sim_.State().kind);
}

void LanguageTools::EnableFor(MachineKind kind) {
  convert_->setEnabled(Accepts(LanguageTool::MakeAcceptor, kind));
  minimize_->setEnabled(Accepts(LanguageTool::Minimize, kind));
  compare_->setEnabled(Accepts(LanguageTool::Compare, kind));
  // An expression or a grammar describes what an acceptor or NEA accepts.
  asRegex_->setEnabled(Accepts(LanguageTool::Minimize, kind));
  asGrammar_->setEnabled(Accepts(LanguageTool::Minimize, kind));
}

// A fault of a program is its message box; any other problem an error box.
void LanguageTools::ShowProblem(const ToolProblem& problem) {
  if (problem.cause == ToolProblem::Cause::Fault)
    view_.ShowMessage(ToMachine(QString::fromStdString(FaultMessage(problem))));
  else
    host_.ShowError(problem.text);
}

void LanguageTools::Convert(bool minimal) {
  const MadeAcceptor made = MakeAcceptor(sim_.State().kind, view_.ProgramLines(), minimal,
                                         minimal ? "Minimaler Akzeptor" : "Akzeptor aus dem NEA");
  if (made.problem) {
    ShowProblem(made.problem);
    return;
  }
  session_.OpenMade(MachineKind::Akz, made.text, ToMachine(QString::fromStdString(made.summary)));
}

void LanguageTools::Compare() {
  const MachineKind kind = sim_.State().kind;
  // The own program's fault is shown before a file is asked for.
  if (const ToolProblem problem = CheckForTool(LanguageTool::Compare, kind, view_.ProgramLines())) {
    ShowProblem(problem);
    return;
  }
  const std::string path = host_.ChooseFileToOpen("");
  if (path.empty()) return;
  const ProgramFile file = host_.ReadProgram(path);
  if (file.status != ProgramFile::Status::Ok) {
    host_.ShowError(path + ": " + (file.systemError.empty() ? std::string("nicht lesbar") : file.systemError));
    return;
  }
  const Comparison c = CompareWithText(kind, view_.ProgramLines(), DecodeProgram(file.bytes));
  if (c.problem) {
    ShowProblem(c.problem);
    return;
  }
  const QString text = QString::fromStdString(ComparisonText(kind, c.difference));
  if (dialogs_.ComparisonResult(&window_, text, !c.difference.equal)) {
    view_.SetFieldText(Field::EBand, c.difference.word);
    sim_.Reset();
  }
}

void LanguageTools::FromText(bool grammar) {
  QString& text = grammar ? lastGrammar_ : lastRegex_;
  const QString title = grammar ? QStringLiteral("Aus Grammatik") : QStringLiteral("Aus regulärem Ausdruck");
  const QString ask = grammar ? QStringLiteral("Rechtslineare Grammatik, eine Regel je Zeile (z. B. S -> 0A | 1S | ε):")
                              : QStringLiteral("Regulärer Ausdruck (z. B. (0|10*1)*; ε das leere Wort):");
  QString fault;
  while (true) {
    const std::optional<QString> given =
        dialogs_.AskText(&window_, title, fault.isEmpty() ? ask : fault + QStringLiteral("\n\n") + ask, text, grammar);
    if (!given) return;
    text = *given;
    const MadeAcceptor made = grammar ? AcceptorOfGrammar(text.toStdString(), "Minimaler Akzeptor zur Grammatik")
                                      : AcceptorOfRegex(text.trimmed().toStdString());
    if (made.problem.cause == ToolProblem::Cause::Fault) {  // asked again, the fault above
      fault = QString::fromStdString(made.problem.text);
      continue;
    }
    if (made.problem) {
      host_.ShowError(made.problem.text);
      return;
    }
    session_.OpenMade(MachineKind::Akz, made.text, ToMachine(QString::fromStdString(made.summary)));
    return;
  }
}

void LanguageTools::Describe(bool grammar) {
  const MachineKind kind = sim_.State().kind;
  const Description d =
      grammar ? GrammarOfProgram(kind, view_.ProgramLines()) : RegexOfProgram(kind, view_.ProgramLines());
  if (d.problem) {
    ShowProblem(d.problem);
    return;
  }
  dialogs_.ShowText(&window_, grammar ? QStringLiteral("Als Grammatik") : QStringLiteral("Als regulären Ausdruck"),
                    QString::fromStdString(d.text).trimmed());
}

}  // namespace automaten
