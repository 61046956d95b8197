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
  EnableFor(sim_.State().kind);
}

void LanguageTools::EnableFor(MachineKind kind) {
  convert_->setEnabled(Accepts(LanguageTool::MakeAcceptor, kind));
  minimize_->setEnabled(Accepts(LanguageTool::Minimize, kind));
  compare_->setEnabled(Accepts(LanguageTool::Compare, kind));
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

}  // namespace automaten
