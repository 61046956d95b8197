// The menu "&Werkzeuge": an NEA made into an acceptor, an acceptor or NEA
// made minimal, and the comparison with another program's language. The
// tools and their texts are control/'s; the window asks and shows.
#include <QAction>

#include "control/tools.h"
#include "engine/encoding.h"
#include "io/programfile.h"
#include "tform1.h"

namespace automaten {

void TForm1::CreateTools() {
  InAkzeptorUmwandeln = new QAction(QStringLiteral("In Akzeptor umwandeln"), this);
  InAkzeptorUmwandeln->setObjectName(QStringLiteral("InAkzeptorUmwandeln"));
  connect(InAkzeptorUmwandeln, &QAction::triggered, this, [this] { ConvertToAcceptor(false); });
  AkzeptorMinimieren = new QAction(QStringLiteral("Akzeptor minimieren"), this);
  AkzeptorMinimieren->setObjectName(QStringLiteral("AkzeptorMinimieren"));
  connect(AkzeptorMinimieren, &QAction::triggered, this, [this] { ConvertToAcceptor(true); });
  VergleichenMit = new QAction(QStringLiteral("Vergleichen mit Programm..."), this);
  VergleichenMit->setObjectName(QStringLiteral("VergleichenMit"));
  connect(VergleichenMit, &QAction::triggered, this, &TForm1::CompareWithProgram);
  EnableTools(sim_.State().kind);
}

void TForm1::EnableTools(MachineKind kind) {
  InAkzeptorUmwandeln->setEnabled(Accepts(LanguageTool::MakeAcceptor, kind));
  AkzeptorMinimieren->setEnabled(Accepts(LanguageTool::Minimize, kind));
  VergleichenMit->setEnabled(Accepts(LanguageTool::Compare, kind));
}

// A fault of a program is its message box; any other problem an error box.
void TForm1::ShowToolProblem(const ToolProblem& problem) {
  if (problem.cause == ToolProblem::Cause::Fault)
    ShowMessage(ToMachineText((problem.other ? "Das andere Programm: " : "") + problem.text));
  else
    ShowError(problem.text);
}

void TForm1::ConvertToAcceptor(bool minimal) {
  const MadeAcceptor made =
      MakeAcceptor(sim_.State().kind, ProgramLines(), minimal, minimal ? "Minimaler Akzeptor" : "Akzeptor aus dem NEA");
  if (made.problem) {
    ShowToolProblem(made.problem);
    return;
  }
  session_.OpenMade(MachineKind::Akz, made.text, ToMachineText(made.summary));
}

void TForm1::CompareWithProgram() {
  const MachineKind kind = sim_.State().kind;
  // The own program's fault is shown before a file is asked for.
  if (const ToolProblem problem = CheckForTool(LanguageTool::Compare, kind, ProgramLines())) {
    ShowToolProblem(problem);
    return;
  }
  const std::string path = ChooseFileToOpen("");
  if (path.empty()) return;
  const ProgramFile file = ReadProgram(path);
  if (file.status != ProgramFile::Status::Ok) {
    ShowError(path + ": " + (file.systemError.empty() ? std::string("nicht lesbar") : file.systemError));
    return;
  }
  const Comparison c = CompareWith(kind, ProgramLines(), MachineLines(DecodeProgram(file.bytes)));
  if (c.problem) {
    ShowToolProblem(c.problem);
    return;
  }
  const QString text = QString::fromStdString(ComparisonText(kind, c.difference));
  if (dialogs_.ComparisonResult(this, text, !c.difference.equal)) {
    SetFieldText(Field::EBand, c.difference.word);
    sim_.Reset();
  }
}

}  // namespace automaten
