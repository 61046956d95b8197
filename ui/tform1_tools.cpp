// The menu "&Werkzeuge": an NEA made into an acceptor, an acceptor made
// minimal, and the comparison with another program's language.
#include <QAction>
#include <QMessageBox>
#include <QPushButton>

#include "engine/encoding.h"
#include "engine/language.h"
#include "engine/parser.h"
#include "io/programfile.h"
#include "machinetext.h"
#include "tform1.h"

namespace automaten {

namespace {

QString Shown(const std::string& word) { return word.empty() ? QStringLiteral("\"\"") : FromMachine(word); }

}  // namespace

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
  EnableTools(sim_.Kind());
}

// Each tool where its question is decidable.
void TForm1::EnableTools(MachineKind kind) {
  InAkzeptorUmwandeln->setEnabled(kind == MachineKind::NEA);
  AkzeptorMinimieren->setEnabled(kind == MachineKind::Akz);
  VergleichenMit->setEnabled(kind == MachineKind::Akz || kind == MachineKind::NEA || kind == MachineKind::DEA);
}

void TForm1::ConvertToAcceptor(bool minimal) {
  const Program program = ParseProgram(sim_.Kind(), ProgramLines());
  if (!program.Ok()) {
    ShowMessage(FaultMessage(program.faults.front()));
    return;
  }
  Dfa dfa;
  std::string error, text;
  const bool made = MakeDfa(program, dfa, error);
  if (made && minimal) dfa = Minimize(dfa);
  if (!made || !AcceptorText(dfa, minimal ? "Minimaler Akzeptor" : "Akzeptor aus dem NEA", text, error)) {
    ShowError(error);
    return;
  }
  session_.OpenMade(
      MachineKind::Akz, text,
      MachineText(minimal ? "Minimiert: " : "Umgewandelt: ") + std::to_string(dfa.Size()) + MachineText(" Zustände"));
}

void TForm1::CompareWithProgram() {
  const MachineKind kind = sim_.Kind();
  const Program own = ParseProgram(kind, ProgramLines());
  if (!own.Ok()) {
    ShowMessage(FaultMessage(own.faults.front()));
    return;
  }
  const std::string path = ChooseFileToOpen("");
  if (path.empty()) return;
  const ProgramFile file = ReadProgram(path);
  if (file.status != ProgramFile::Status::Ok) {
    ShowError(path + ": " + (file.systemError.empty() ? std::string("nicht lesbar") : file.systemError));
    return;
  }
  const Program other = ParseProgram(kind, MachineLines(DecodeProgram(file.bytes)));
  if (!other.Ok()) {
    ShowMessage(MachineText("Das andere Programm: ") + FaultMessage(other.faults.front()));
    return;
  }
  Difference d;
  std::string error;
  if (!ComparePrograms(own, other, d, error)) {
    ShowError(error);
    return;
  }
  QString text;
  if (d.equal)
    text = kind == MachineKind::DEA ? QStringLiteral("Die Programme geben für jedes Wort dieselbe Ausgabe.")
                                    : QStringLiteral("Die Programme akzeptieren dieselbe Sprache.");
  else if (kind == MachineKind::DEA)
    text = QStringLiteral("Unterschied: beim Wort %1 gibt dieses Programm %2 aus, das andere %3.")
               .arg(Shown(d.word), Shown(d.firstOutput), Shown(d.secondOutput));
  else if (d.firstAccepts)
    text = QStringLiteral("Unterschied: das Wort %1 wird von diesem Programm akzeptiert, vom anderen nicht.")
               .arg(Shown(d.word));
  else
    text = QStringLiteral("Unterschied: das Wort %1 wird vom anderen Programm akzeptiert, von diesem nicht.")
               .arg(Shown(d.word));
  bool useWord = false;
  if (compareHook) {
    useWord = compareHook(text, !d.equal);
  } else {
    QMessageBox box(QMessageBox::Information, QStringLiteral("Vergleichen"), text, QMessageBox::Ok, this);
    QPushButton* onTape =
        d.equal ? nullptr : box.addButton(QStringLiteral("Wort auf das Band"), QMessageBox::ActionRole);
    box.exec();
    useWord = onTape != nullptr && box.clickedButton() == onTape;
  }
  if (useWord) {
    SetFieldText(Field::EBand, d.word);
    sim_.Reset();
  }
}

}  // namespace automaten
