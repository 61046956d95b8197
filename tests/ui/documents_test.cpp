// Program files, printing, the change prompt and the configuration file,
// each test with a temporary folder of its own as TMPDIR, its configuration
// file there (AUTOMATEN_CONFIG).
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QDockWidget>
#include <QFile>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPrinter>
#include <QScreen>
#include <QSlider>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <memory>

#include "engine/encoding.h"
#include "support/field_text.h"
#include "support/prompt_case.h"
#include "support/small_disk.h"
#include "support/window_parts.h"
#include "ui/tform1.h"

QT_BEGIN_NAMESPACE
inline void PrintTo(const QString& s, std::ostream* os) { *os << '"' << s.toStdString() << '"'; }
QT_END_NAMESPACE

namespace automaten {
namespace {

using testing::SetTextOf;
using testing::TextOf;

class DocumentTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(dir.isValid());
    oldTmp = qgetenv("TMPDIR");
    qputenv("TMPDIR", dir.path().toLocal8Bit());
    qputenv("AUTOMATEN_CONFIG", Path(QStringLiteral("automaten.ini")).toLocal8Bit());
  }
  void TearDown() override {
    if (form) ui->Timer1->stop();
    ui.reset();
    form.reset();
    qputenv("TMPDIR", oldTmp);
    qunsetenv("AUTOMATEN_CONFIG");
  }

  // Creates and shows the window; its first layout pass restores the configuration.
  void Open() {
    form = std::make_unique<TForm1>(&script);
    ui = std::make_unique<testing::WindowParts>(*form);
    script.error = [this](const QString& e) { errors << e; };
    script.message = [this](const std::string& m) { messages.push_back(m); };
    script.question = [this](const std::string& q) {
      questions.push_back(q);
      return answer;
    };
    script.file = [this](Dialogs::File kind) {
      ++dialogs;
      return kind == Dialogs::File::Open ? openName : saveName;
    };
    script.printer = [] { return std::unique_ptr<QPrinter>(); };
    form->SetUserId(user);
    if (!startFile.isEmpty()) form->OpenAtStart(startFile);
    form->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(form.get()));
  }

  QString Path(const QString& name) const { return dir.filePath(name); }
  static std::string Std(const QString& s) { return s.toStdString(); }
  void Write(const QString& name, const QByteArray& bytes) {
    QFile f(Path(name));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
  }
  QByteArray Read(const QString& name) const {
    QFile f(Path(name));
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
  }
  QString Panel(int i) const { return ui->StatusPanels[static_cast<std::size_t>(i)]->text(); }
  void Type(const QString& text) {
    ui->MProgramm->setFocus();
    ui->MProgramm->moveCursor(QTextCursor::End);
    QTest::keyClicks(ui->MProgramm, text);
  }
  QString Program() const { return ui->MProgramm->toPlainText(); }
  bool Closed() {
    form->close();
    return !form->isVisible();
  }

  QTemporaryDir dir;
  QByteArray oldTmp;
  uint user = ::getuid();  // the user the window runs as
  QString startFile;       // named on the command line
  testing::ScriptedDialogs script;
  std::unique_ptr<TForm1> form;
  std::unique_ptr<testing::WindowParts> ui;
  QStringList errors;
  std::vector<std::string> messages;
  std::vector<std::string> questions;
  Answer answer = Answer::Nein;
  QString openName, saveName;
  int dialogs = 0;
};

// ---- Files -----------------------------------------------------------------------

TEST_F(DocumentTest, PlainFilesRoundTripByteForByte) {
  Open();
  const QList<QByteArray> files = {
      QByteArray("; f\xFCr alle\r\ne: a\r\na 1 -> a"),        // Windows-1252, no final break
      QByteArray("a 1 -> a\r\n\r\n"),                         // ends with empty lines
      QByteArray("; \xE2\x9C\x93 \xC3\xA4\r\na 1 -> a\r\n"),  // UTF-8 with a character 1252 lacks
      QByteArray(""),
      QByteArray("; Art: DEA\r\na 1 -> a"),  // the kind line is kept, not written twice
  };
  for (const QByteArray& bytes : files) {
    Write(QStringLiteral("p.txt"), bytes);
    ASSERT_TRUE(form->Session().Load(Std(Path(QStringLiteral("p.txt")))));
    EXPECT_EQ(Panel(2), QStringLiteral(" Datei %1 geöffnet.").arg(Path(QStringLiteral("p.txt"))));
    QFile::remove(Path(QStringLiteral("p.txt")));
    ui->MISpeichern->trigger();
    // The kind goes with the file as its first line; everything else as it was.
    EXPECT_EQ(Read(QStringLiteral("p.txt")), bytes.startsWith("; Art:") ? bytes : "; Art: DEA\r\n" + bytes);
    EXPECT_EQ(Panel(2), QStringLiteral(" Datei %1 gespeichert").arg(Path(QStringLiteral("p.txt"))));
  }
  EXPECT_EQ(dialogs, 0);
  EXPECT_TRUE(errors.isEmpty());
}

// The kind line a save adds is one edit of the text: one undo takes it back.
TEST_F(DocumentTest, TheKindLineIsOneEditOfTheText) {
  Open();
  Write(QStringLiteral("k.txt"), "a 1 -> a\r\nb 1 -> b");
  ASSERT_TRUE(form->Session().Load(Std(Path(QStringLiteral("k.txt")))));
  ui->MProgramm->moveCursor(QTextCursor::End);
  ASSERT_TRUE(form->Session().Save());
  EXPECT_EQ(Program(), QStringLiteral("; Art: DEA\na 1 -> a\nb 1 -> b"));
  EXPECT_TRUE(ui->MProgramm->textCursor().atEnd());  // the caret stays where the user left it
  EXPECT_FALSE(form->Session().Changed());
  ui->MProgramm->undo();
  EXPECT_EQ(Program(), QStringLiteral("a 1 -> a\nb 1 -> b"));
}

// A Turing program opened while the pushdown automaton is chosen: its fault
// box names the kind it fits and switches to it, keeping the text.
TEST_F(DocumentTest, AFaultBoxOffersTheKindTheProgramFits) {
  Open();
  ui->TBKinds[static_cast<int>(MachineKind::KA)]->trigger();
  Write(QStringLiteral("tm.txt"), "A 1 -> 1 R A\r\nA * -> * K E");
  ASSERT_TRUE(form->Session().Load(Std(Path(QStringLiteral("tm.txt")))));
  std::vector<std::string> offers;
  script.offer = [&offers](const std::string& text) {
    offers.push_back(text);
    return true;
  };
  QTest::keyClick(ui->MProgramm, Qt::Key_F8);
  ASSERT_EQ(offers.size(), 1u);
  EXPECT_NE(offers[0].find("Fehler: "), std::string::npos) << offers[0];
  EXPECT_NE(offers[0].find("\n\nDas Programm passt zur Maschinenart Turingmaschine."), std::string::npos);
  EXPECT_EQ(form->Sim().State().kind, MachineKind::TM);
  EXPECT_EQ(Program(), QStringLiteral("A 1 -> 1 R A\nA * -> * K E"));
  EXPECT_EQ(form->FileName(), Path(QStringLiteral("tm.txt")));
  EXPECT_FALSE(form->Session().Changed());
  QTest::keyClick(ui->MProgramm, Qt::Key_F8);
  EXPECT_EQ(ui->LZustand->text(), QStringLiteral("Zustand : Anfangszustand"));
}

TEST_F(DocumentTest, AnyLineEndsReadAndCrLfWritten) {
  Open();
  Write(QStringLiteral("lf.txt"), "a 1 -> a\nb 1 -> b\rc 1 -> c");
  ASSERT_TRUE(form->Session().Load(Std(Path(QStringLiteral("lf.txt")))));
  EXPECT_EQ(ui->MProgramm->document()->blockCount(), 3);
  ASSERT_TRUE(form->Session().Save());
  EXPECT_EQ(Read(QStringLiteral("lf.txt")), QByteArray("; Art: DEA\r\na 1 -> a\r\nb 1 -> b\r\nc 1 -> c"));
}

TEST_F(DocumentTest, TypedCharactersAreNeverLost) {
  Open();
  form->Session().New();
  ui->MProgramm->setPlainText(QStringLiteral("; Pfeil \u2192 und \u00C3\u00A4"));
  Type(QString());
  QTest::keyClick(ui->MProgramm, Qt::Key_End);  // as if typed: the program is changed
  saveName = Path(QStringLiteral("u.txt"));
  ASSERT_TRUE(form->Session().Save());  // no name yet: the save dialog
  EXPECT_EQ(dialogs, 1);
  EXPECT_EQ(Read(QStringLiteral("u.txt")), QStringLiteral("; Art: DEA\r\n; Pfeil \u2192 und \u00C3\u00A4").toUtf8());
  // Text the code page holds, but whose bytes would read back as UTF-8, goes out as UTF-8 too.
  ui->MProgramm->setPlainText(QStringLiteral("\u00C3\u00A4"));
  ASSERT_TRUE(form->Session().Save());
  ASSERT_TRUE(form->Session().Load(Std(Path(QStringLiteral("u.txt")))));
  EXPECT_EQ(Program(), QStringLiteral("; Art: DEA\n\u00C3\u00A4"));
}

TEST_F(DocumentTest, FailedReadsChangeNothing) {
  Open();
  Write(QStringLiteral("good.txt"), "a 1 -> a");
  ASSERT_TRUE(form->Session().Load(Std(Path(QStringLiteral("good.txt")))));
  QDir(dir.path()).mkdir(QStringLiteral("folder.txt"));
  Write(QStringLiteral("nul.txt"), QByteArray("a 1 -> a\0", 9));
  Write(QStringLiteral("big.txt"), QByteArray((1 << 20) + 1, 'a'));
  for (const char* name : {"folder.txt", "missing.txt", "nul.txt", "big.txt"}) {
    SCOPED_TRACE(name);
    errors.clear();
    EXPECT_FALSE(form->Session().Load(Std(Path(QString::fromLatin1(name)))));
    ASSERT_EQ(errors.size(), 1);
    EXPECT_TRUE(errors[0].startsWith(
        QStringLiteral("Datei %1 kann nicht geöffnet werden. ").arg(Path(QString::fromLatin1(name)))))
        << errors[0].toStdString();
    EXPECT_EQ(form->FileName(), Path(QStringLiteral("good.txt")));
    EXPECT_EQ(Program(), QStringLiteral("a 1 -> a"));
  }
}

TEST_F(DocumentTest, FailedWritesKeepTheName) {
  Open();
  Write(QStringLiteral("good.txt"), "a 1 -> a");
  ASSERT_TRUE(form->Session().Load(Std(Path(QStringLiteral("good.txt")))));
  Type(QStringLiteral("x"));
  QDir(dir.path()).mkdir(QStringLiteral("folder.txt"));
  EXPECT_FALSE(form->Session().SaveTo(Std(Path(QStringLiteral("folder.txt")))));
  ASSERT_EQ(errors.size(), 1);
  EXPECT_TRUE(errors[0].startsWith(
      QStringLiteral("Datei \"%1\" kann nicht erstellt werden. ").arg(Path(QStringLiteral("folder.txt")))));
  EXPECT_EQ(form->FileName(), Path(QStringLiteral("good.txt")));
  EXPECT_TRUE(form->Session().Changed());
  EXPECT_FALSE(form->Session().SaveTo(Std(Path(QStringLiteral("no/such/dir/p.txt")))));
  if (::geteuid() != 0) {  // root writes into read-only folders
    QDir(dir.path()).mkdir(QStringLiteral("ro"));
    QFile::setPermissions(Path(QStringLiteral("ro")), QFileDevice::ReadOwner | QFileDevice::ExeOwner);
    EXPECT_FALSE(form->Session().SaveTo(Std(Path(QStringLiteral("ro/p.txt")))));
    QFile::setPermissions(Path(QStringLiteral("ro")),
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
  }
  EXPECT_EQ(form->FileName(), Path(QStringLiteral("good.txt")));
  EXPECT_EQ(Read(QStringLiteral("good.txt")), QByteArray("a 1 -> a"));
}

// ---- The change prompt -----------------------------------------------------------

using testing::PromptCase;
using testing::PromptName;

class ChangePrompt : public DocumentTest, public ::testing::WithParamInterface<PromptCase> {};

TEST_P(ChangePrompt, AnswersDecideWhetherTheCommandGoesOn) {
  const PromptCase& c = GetParam();
  Open();
  if (c.named) {
    Write(QStringLiteral("p.txt"), "a 1 -> a");
    ASSERT_TRUE(form->Session().Load(Std(Path(QStringLiteral("p.txt")))));
  }
  Type(QStringLiteral(" ; edited"));
  const QString edited = Program();
  answer = c.answer;
  saveName.clear();  // a save dialog, if any, is cancelled
  openName = Path(QStringLiteral("other.txt"));
  Write(QStringLiteral("other.txt"), "b 1 -> b");
  const std::string command = c.command;
  bool carriedOn = false;
  if (command == "Neu") {
    ui->Neu->trigger();
    carriedOn = Program().isEmpty();
  } else if (command == "Oeffnen") {
    ui->Oeffnen->trigger();
    carriedOn = Program() == QStringLiteral("b 1 -> b");
  } else if (command == "MenuKind") {
    ui->MIKinds[4]->trigger();
    carriedOn = form->Sim().State().kind == MachineKind::TM;
  } else if (command == "ToolBarKind") {
    QTest::mouseClick(form->findChild<QToolButton*>(QStringLiteral("TB_KA")), Qt::LeftButton);
    carriedOn = form->Sim().State().kind == MachineKind::KA;
    if (!carriedOn) {
      EXPECT_FALSE(ui->TBKinds[3]->isChecked());
      EXPECT_TRUE(ui->TBKinds[0]->isChecked());
    }
  } else if (command == "Ende") {
    ui->MIEnde->trigger();
    carriedOn = !form->isVisible();
  }
  EXPECT_EQ(questions.size(), 1u);  // asked once, also by "&Ende"
  EXPECT_EQ(questions.front(), MachineText("Datei wurde geändert. Speichern?"));
  EXPECT_EQ(carriedOn, c.goesOn);
  if (!c.goesOn) {
    EXPECT_EQ(Program(), edited);
  }
  if (c.answer == Answer::Ja && c.named) {
    EXPECT_EQ(Read(QStringLiteral("p.txt")), "; Art: DEA\r\n" + edited.toUtf8().replace("\n", "\r\n"));
  }
}

INSTANTIATE_TEST_SUITE_P(Documents, ChangePrompt,
                         // The answers themselves are the document session's; here each command's wiring.
                         ::testing::Values(PromptCase{"Neu", Answer::Ja, false, false},
                                           PromptCase{"Oeffnen", Answer::Nein, true, true},
                                           PromptCase{"MenuKind", Answer::Ja, true, true},
                                           PromptCase{"ToolBarKind", Answer::Abbrechen, true, false},
                                           PromptCase{"Ende", Answer::Ja, true, true},
                                           PromptCase{"Ende", Answer::Abbrechen, true, false}),
                         PromptName);

// ---- Printing --------------------------------------------------------------------

// Ctrl+D prints the program on the default printer; with none set up it
// opens the print dialog, where the program is what is offered and ticked.
TEST_F(DocumentTest, PrintingWithoutAndWithAPrinter) {
  Open();
  ui->Neu->trigger();
  ui->MProgramm->setPlainText(QStringLiteral("a 1 -> a\n; für alle"));
  const QString pdf = Path(QStringLiteral("out.pdf"));
  const auto pdfPrinter = [pdf] {
    auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    printer->setOutputFormat(QPrinter::PdfFormat);
    printer->setOutputFileName(pdf);
    return printer;
  };
  int asked = 0;
  script.choosePrinter = [&asked](const PrintParts& offered, PrintParts& chosen) {
    ++asked;
    EXPECT_TRUE(offered.program && !offered.diagram && !offered.tests);  // no diagram drawn, no results
    EXPECT_TRUE(chosen.program && !chosen.diagram && !chosen.tests);
    return std::unique_ptr<QPrinter>();  // cancelled
  };
  QTest::keyClick(ui->MProgramm, Qt::Key_D, Qt::ControlModifier);
  EXPECT_EQ(asked, 1);
  EXPECT_TRUE(errors.isEmpty());
  EXPECT_EQ(Panel(2), QStringLiteral(" Neue Datei"));
  EXPECT_FALSE(QFile::exists(pdf));
  script.choosePrinter = [&](const PrintParts&, PrintParts&) { return pdfPrinter(); };
  QTest::keyClick(ui->MProgramm, Qt::Key_P, Qt::ControlModifier);  // "Drucken..." always asks
  EXPECT_EQ(Panel(2), QStringLiteral(" Datei  gedruckt."));
  EXPECT_TRUE(Read(QStringLiteral("out.pdf")).startsWith("%PDF"));
  QFile::remove(pdf);

  script.printer = pdfPrinter;
  script.choosePrinter = nullptr;  // with a default printer there is no dialog
  ui->Drucken->trigger();
  EXPECT_TRUE(errors.isEmpty());
  EXPECT_EQ(Panel(2), QStringLiteral(" Datei  gedruckt."));  // no name: two blanks in a row
  const QByteArray bytes = Read(QStringLiteral("out.pdf"));
  EXPECT_TRUE(bytes.startsWith("%PDF"));
  QByteArray title;  // the job's title, as the PDF stores it: UTF-16
  for (const char c : QByteArray("Automatenprogramm")) title.append('\0').append(c);
  EXPECT_TRUE(bytes.contains(title));
}

// ---- Configuration ---------------------------------------------------------------

TEST_F(DocumentTest, FirstStartAndTheFileWrittenAtClose) {
  Open();
  EXPECT_EQ(ui->TrackBar1->value(), 1);
  EXPECT_EQ(form->windowTitle(), QStringLiteral("Simulation endlicher Automat mit Ausgabe"));
  EXPECT_EQ(TextOf(ui->EBand), QStringLiteral("sskkss"));
  EXPECT_EQ(form->size(), QSize(640, 300));
  EXPECT_EQ(form->IniPath(), Path(QStringLiteral("automaten.ini")));
  ASSERT_TRUE(Closed());
  const QString expected = QStringLiteral(
                               "[Konfiguration]\nArbeitsmodus=0\nDatei=\nFrequenz=1\nBand=sskkss\nLeft=%1\nTop=%2\n"
                               "Width=640\nHeight=300\nZoom=100\nEndlosschleifen=1\nDiagramm=0\nDiagrammbreite="
                               "360\nTests=0\nTestsbreite=420\nSchrittspeicher=10000000\n")
                               .arg(form->x())
                               .arg(form->y());
  EXPECT_EQ(QString::fromUtf8(Read(QStringLiteral("automaten.ini"))), expected);
}

TEST_F(DocumentTest, RestoresAStoredTuringProgramWithItsTape) {
  Write(QStringLiteral("tm.txt"), "A 1 -> 1 R A\r\nA * -> * K E\r\n");
  Write(QStringLiteral("automaten.ini"), QStringLiteral("[Konfiguration]\nFrequenz=70\nArbeitsmodus=4\nDatei=%1\n"
                                                        "Band=111\nLeft=10\nTop=20\nWidth=700\nHeight=500\n")
                                             .arg(Path(QStringLiteral("tm.txt")))
                                             .toUtf8());
  Open();
  EXPECT_EQ(form->windowTitle(), QStringLiteral("Simulation Turingmaschine"));
  EXPECT_EQ(Program(), QStringLiteral("A 1 -> 1 R A\nA * -> * K E\n"));
  EXPECT_EQ(form->FileName(), Path(QStringLiteral("tm.txt")));
  EXPECT_EQ(ui->TrackBar1->value(), 70);
  EXPECT_EQ(ui->Timer1->interval(), 20);
  EXPECT_EQ(form->size(), QSize(700, 500));
  const int width = form->TapeWidth();
  EXPECT_EQ(TextOf(ui->EBand), QStringLiteral("111") + QString(width - 4, QLatin1Char('*')));
  EXPECT_EQ(form->Sim().State().lastTape, "111");
  EXPECT_FALSE(form->Session().Changed());
  ASSERT_TRUE(Closed());
  EXPECT_TRUE(Read(QStringLiteral("automaten.ini")).contains("Arbeitsmodus=4\n"));
}

// Both panes come back as they were left, side by side with their widths.
TEST_F(DocumentTest, ThePanesComeBackAsTheyWereLeft) {
  Write(QStringLiteral("automaten.ini"),
        "[Konfiguration]\nLeft=0\nTop=0\nWidth=1100\nHeight=500\nDiagramm=1\nDiagrammbreite=300\nTests=1\n"
        "Testsbreite=320\n");
  Open();
  QDockWidget* diagram = form->findChild<QDockWidget*>(QStringLiteral("DiagrammDock"));
  QDockWidget* tests = form->findChild<QDockWidget*>(QStringLiteral("TestsDock"));
  ASSERT_TRUE(QTest::qWaitFor([&] { return diagram->isVisible() && tests->isVisible(); }, 2000));
  EXPECT_TRUE(ui->MIDiagramm->isChecked());
  EXPECT_TRUE(ui->MITests->isChecked());
  EXPECT_TRUE(form->tabifiedDockWidgets(tests).isEmpty());
  EXPECT_LT(diagram->geometry().bottom(), tests->geometry().top());
  ui->MIDiagramm->trigger();  // the diagram closed, the tests left open
  const QByteArray width = QByteArray::number(tests->width());
  ASSERT_TRUE(Closed());
  const QByteArray ini = Read(QStringLiteral("automaten.ini"));
  EXPECT_TRUE(ini.contains("\nDiagramm=0\n")) << ini.toStdString();
  EXPECT_TRUE(ini.contains("\nTests=1\nTestsbreite=" + width + "\n")) << ini.toStdString();
}

TEST_F(DocumentTest, KindCodesOutsideTheFive) {
  Write(QStringLiteral("p.txt"), "a 1 -> a");
  Write(QStringLiteral("automaten.ini"),
        QStringLiteral("[Konfiguration]\nArbeitsmodus=65536\nDatei=%1\n").arg(Path(QStringLiteral("p.txt"))).toUtf8());
  Open();
  EXPECT_EQ(form->Sim().State().kind, MachineKind::DEA);  // its low 16 bits
  EXPECT_EQ(form->windowTitle(), QStringLiteral("Simulation endlicher Automat mit Ausgabe"));
  form.reset();

  Write(QStringLiteral("automaten.ini"), QStringLiteral("[Konfiguration]\nArbeitsmodus=7\nDatei=%1\nBand=xy\n")
                                             .arg(Path(QStringLiteral("p.txt")))
                                             .toUtf8());
  Open();
  EXPECT_EQ(form->windowTitle(), QStringLiteral("Simulation"));
  for (QAction* a : ui->TBKinds) EXPECT_FALSE(a->isChecked());
  EXPECT_EQ(Program(), QStringLiteral("a 1 -> a"));
  EXPECT_EQ(TextOf(ui->EBand), QStringLiteral("xy"));
  ASSERT_TRUE(Closed());
  EXPECT_TRUE(Read(QStringLiteral("automaten.ini")).contains("Arbeitsmodus=7\n"));
}

TEST_F(DocumentTest, SymbolicLinkInPlaceOfTheFileIsIgnoredAndReplaced) {
  Write(QStringLiteral("target.ini"), "[Konfiguration]\nFrequenz=50\n");
  ASSERT_TRUE(QFile::link(Path(QStringLiteral("target.ini")), Path(QStringLiteral("automaten.ini"))));
  Open();
  EXPECT_EQ(ui->TrackBar1->value(), 1);
  ASSERT_TRUE(Closed());
  EXPECT_FALSE(QFileInfo(Path(QStringLiteral("automaten.ini"))).isSymLink());
  EXPECT_TRUE(Read(QStringLiteral("automaten.ini")).startsWith("[Konfiguration]\nArbeitsmodus=0\n"));
  EXPECT_EQ(Read(QStringLiteral("target.ini")), QByteArray("[Konfiguration]\nFrequenz=50\n"));
}

TEST_F(DocumentTest, UnwritableConfigurationStillCloses) {
  Open();
  QDir(dir.path()).mkdir(QStringLiteral("automaten.ini"));  // a folder where the file should be
  ASSERT_TRUE(Closed());
  ASSERT_EQ(errors.size(), 1);
  EXPECT_EQ(errors[0],
            QStringLiteral("In %1 kann nicht geschrieben werden").arg(Path(QStringLiteral("automaten.ini"))));
}

// `automaten DATEI`: the file in place of the restored program, in the kind it names.
TEST_F(DocumentTest, AFileNamedAtStartReplacesTheRestoredProgram) {
  Write(QStringLiteral("akz.txt"), "a 1 -> a\r\n");
  Write(QStringLiteral("tm.txt"), "; Art: Turingmaschine\r\nA 1 -> 1 R A\r\n");
  Write(QStringLiteral("automaten.ini"),
        QStringLiteral("[Konfiguration]\nArbeitsmodus=1\nDatei=%1\n").arg(Path(QStringLiteral("akz.txt"))).toUtf8());
  startFile = Path(QStringLiteral("tm.txt"));
  Open();
  EXPECT_EQ(form->windowTitle(), QStringLiteral("Simulation Turingmaschine"));
  EXPECT_EQ(Program(), QStringLiteral("; Art: Turingmaschine\nA 1 -> 1 R A\n"));
  EXPECT_EQ(form->FileName(), startFile);
  EXPECT_FALSE(form->Session().Changed());
  form.reset();
  // One that cannot be read says why; the restored program stays.
  startFile = Path(QStringLiteral("fehlt.txt"));
  Open();
  ASSERT_EQ(errors.size(), 1);
  EXPECT_TRUE(errors[0].startsWith(QStringLiteral("Datei %1 kann nicht geöffnet werden.").arg(startFile)))
      << errors[0].toStdString();
  EXPECT_EQ(Program(), QStringLiteral("a 1 -> a\n"));
}

// A lab's settings, which only root can change, are read and never written,
// and the status bar says so. The tests' files are their user's own, so
// the window is told it runs as another user.
TEST_F(DocumentTest, ALabsFixedSettingsAreReadAndNeverWritten) {
  if (::getuid() != 0) GTEST_SKIP() << "needs a file of root's";
  const QByteArray lab = "[Konfiguration]\nFrequenz=40\n";
  const QString ini = Path(QStringLiteral("automaten.ini"));
  Write(QStringLiteral("automaten.ini"), lab);
  const auto readable =
      QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadGroup | QFileDevice::ReadOther;
  ASSERT_TRUE(QFile::setPermissions(ini, readable));
  user = 1000;
  Open();
  EXPECT_EQ(ui->TrackBar1->value(), 40);
  const auto* note = form->findChild<QLabel*>(QStringLiteral("FixedSettings"));
  ASSERT_NE(note, nullptr);
  EXPECT_TRUE(note->isVisible());
  EXPECT_TRUE(note->toolTip().contains(ini));
  ui->TrackBar1->setValue(80);
  ASSERT_TRUE(Closed());
  EXPECT_TRUE(errors.isEmpty());
  EXPECT_EQ(Read(QStringLiteral("automaten.ini")), lab);
  form.reset();

  // Writable by a group: anyone in it could plant settings, so they do not count.
  ASSERT_TRUE(QFile::setPermissions(ini, readable | QFileDevice::WriteGroup));
  Open();
  EXPECT_EQ(ui->TrackBar1->value(), 1);
  EXPECT_EQ(form->findChild<QLabel*>(QStringLiteral("FixedSettings")), nullptr);
}

TEST_F(DocumentTest, UnreadableStoredProgramShowsTheDeaExample) {
  Write(QStringLiteral("huge.txt"), QByteArray((1 << 20) + 10, 'a'));
  Write(QStringLiteral("automaten.ini"),
        QStringLiteral("[Konfiguration]\nArbeitsmodus=4\nDatei=%1\n").arg(Path(QStringLiteral("huge.txt"))).toUtf8());
  Open();
  EXPECT_EQ(errors.size(), 1);
  EXPECT_EQ(form->windowTitle(), QStringLiteral("Simulation endlicher Automat mit Ausgabe"));
  EXPECT_EQ(TextOf(ui->EBand), QStringLiteral("sskkss"));
  form->resize(700, 400);
  QTest::qWait(20);
  EXPECT_EQ(errors.size(), 1);  // the restoration ran once
}

// ---- Faults found by trial ---------------------------------------------------------

// A full disk: saving fails with the error box of a failed save and the old
// file stays byte for byte; the configuration file stays as well.
TEST_F(DocumentTest, AFullDiskKeepsTheOldFiles) {
  const testing::SmallDisk disk(Path(QStringLiteral("disk")));
  if (!disk.Ready()) GTEST_SKIP() << "no tmpfs can be mounted here (it needs root)";
  Write(QStringLiteral("disk/p.txt"), "a 1 -> a\r\n");
  Write(QStringLiteral("disk/automaten.ini"), "[Konfiguration]\nFrequenz=50\n");
  ASSERT_TRUE(disk.Fill());
  qputenv("AUTOMATEN_CONFIG", Path(QStringLiteral("disk/automaten.ini")).toLocal8Bit());
  Open();
  ASSERT_TRUE(form->Session().Load(Std(Path(QStringLiteral("disk/p.txt")))));
  Type(QStringLiteral(" ; x"));
  EXPECT_FALSE(form->Session().Save());
  ASSERT_EQ(errors.size(), 1);
  EXPECT_TRUE(errors[0].startsWith(
      QStringLiteral("Datei \"%1\" kann nicht erstellt werden. ").arg(Path(QStringLiteral("disk/p.txt")))));
  EXPECT_EQ(Read(QStringLiteral("disk/p.txt")), QByteArray("a 1 -> a\r\n"));
  EXPECT_TRUE(form->Session().Changed());
  answer = Answer::Ja;  // "&Ja" at close saves, fails the same way, and the window stays
  EXPECT_FALSE(Closed());
  EXPECT_EQ(Read(QStringLiteral("disk/p.txt")), QByteArray("a 1 -> a\r\n"));
  answer = Answer::Nein;  // now it closes; the configuration cannot be written
  ASSERT_TRUE(Closed());
  EXPECT_EQ(errors.last(),
            QStringLiteral("In %1 kann nicht geschrieben werden").arg(Path(QStringLiteral("disk/automaten.ini"))));
  EXPECT_EQ(Read(QStringLiteral("disk/automaten.ini")), QByteArray("[Konfiguration]\nFrequenz=50\n"));
}

// A named pipe would block the reader for ever: it gets the error box of a
// file that cannot be opened, also as the stored program at start-up.
TEST_F(DocumentTest, ANamedPipeIsNoProgram) {
  ASSERT_EQ(::mkfifo(Path(QStringLiteral("pipe")).toLocal8Bit().constData(), 0600), 0);
  Write(QStringLiteral("automaten.ini"),
        QStringLiteral("[Konfiguration]\nArbeitsmodus=4\nDatei=%1\n").arg(Path(QStringLiteral("pipe"))).toUtf8());
  Open();
  ASSERT_EQ(errors.size(), 1);
  EXPECT_EQ(errors[0], QStringLiteral("Datei %1 kann nicht geöffnet werden. Es ist keine gewöhnliche Datei.")
                           .arg(Path(QStringLiteral("pipe"))));
  EXPECT_EQ(form->windowTitle(), QStringLiteral("Simulation endlicher Automat mit Ausgabe"));
  openName = Path(QStringLiteral("pipe"));
  ui->Oeffnen->trigger();
  EXPECT_EQ(errors.size(), 2);
}

TEST_F(DocumentTest, StoredBoundsBeyondTheScreenAreClamped) {
  Write(QStringLiteral("automaten.ini"), "[Konfiguration]\nLeft=100000\nTop=-50\nWidth=0x7fffffff\nHeight=100000\n");
  Open();
  const QRect free = QGuiApplication::primaryScreen()->availableGeometry();
  EXPECT_LE(form->width(), free.width());
  EXPECT_LE(form->height(), free.height());
  EXPECT_TRUE(free.contains(QRect(form->pos(), form->size())));
}

// More than is read of it would be lost: such a file is not written at all,
// and the window says so once. Ours is written for the user alone.
// An oversized settings file (never one the program wrote: it keeps the tape
// only as far as it reads it back) is replaced by a fresh one, after a notice
// the first time; ours is private.
TEST_F(DocumentTest, AnOversizedConfigurationIsReplacedAndOursIsPrivate) {
  const QByteArray huge = "[Konfiguration]\nFrequenz=70\n;" + QByteArray(10 << 20, 'x') + "\n";
  Write(QStringLiteral("automaten.ini"), huge);
  Open();
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_NE(messages[0].find("ist gr\xF6\xDF"
                             "er als 1 MiB"),
            std::string::npos)
      << messages[0];
  EXPECT_EQ(ui->TrackBar1->value(), 70);
  // A tape of two million cells: the file keeps what it reads back.
  SetTextOf(ui->EBand, QString(2000000, QLatin1Char('1')));
  ui->MIAnfangszustand->trigger();
  ASSERT_TRUE(Closed());
  const QByteArray fresh = Read(QStringLiteral("automaten.ini"));
  EXPECT_LT(fresh.size(), 4096) << fresh.size();
  EXPECT_TRUE(fresh.contains("Frequenz=70\n"));
  form.reset();
  messages.clear();
  Open();  // no second notice
  EXPECT_TRUE(messages.empty());
  ASSERT_TRUE(Closed());
  form.reset();

  Write(QStringLiteral("automaten.ini"), "[Konfiguration]\nFrequenz=70\n");
  QFile::setPermissions(Path(QStringLiteral("automaten.ini")), QFileDevice::Permissions(0x6666));  // rw for all
  Open();
  ASSERT_TRUE(Closed());
  const QFileDevice::Permissions others = QFileDevice::ReadGroup | QFileDevice::WriteGroup | QFileDevice::ExeGroup |
                                          QFileDevice::ReadOther | QFileDevice::WriteOther | QFileDevice::ExeOther;
  EXPECT_EQ(QFileInfo(Path(QStringLiteral("automaten.ini"))).permissions() & others, QFileDevice::Permissions());
}

// Settings survive a reboot: kept where desktop programs keep them; what an
// earlier version left in the temporary folder is read once.
TEST_F(DocumentTest, SettingsLiveWhereDesktopProgramsKeepThem) {
  const QByteArray oldConfigHome = qgetenv("XDG_CONFIG_HOME");
  qunsetenv("AUTOMATEN_CONFIG");
  qputenv("XDG_CONFIG_HOME", Path(QStringLiteral("config")).toLocal8Bit());
  Write(QStringLiteral("automaten.ini"), "[Konfiguration]\nFrequenz=70\nZoom=150\nEndlosschleifen=0\n");
  Open();
  EXPECT_EQ(form->IniPath(), Path(QStringLiteral("config/automaten/automaten.ini")));
  EXPECT_EQ(ui->TrackBar1->value(), 70);
  EXPECT_EQ(form->Zoom(), 150);
  EXPECT_FALSE(ui->MIEndlosschleifen->isChecked());
  ASSERT_TRUE(Closed());
  EXPECT_TRUE(Read(QStringLiteral("config/automaten/automaten.ini")).contains("Frequenz=70\n"));
  EXPECT_TRUE(Read(QStringLiteral("config/automaten/automaten.ini")).contains("Zoom=150\n"));
  form.reset();
  Write(QStringLiteral("automaten.ini"), "[Konfiguration]\nFrequenz=20\n");  // the new place wins from now on
  Open();
  EXPECT_EQ(ui->TrackBar1->value(), 70);
  form.reset();
  qputenv("XDG_CONFIG_HOME", oldConfigHome);
}

}  // namespace
}  // namespace automaten

namespace automaten {
namespace {

// The menu's shortcuts work wherever the focus is, also in the text fields.
TEST_F(DocumentTest, ShortcutsFromEveryField) {
  Open();
  ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
  for (QWidget* field : std::initializer_list<QWidget*>{ui->EBand, ui->EAusgabe, ui->MProgramm}) {
    SCOPED_TRACE(field->objectName().toStdString());
    int printDialogs = 0;
    script.choosePrinter = [&printDialogs](const PrintParts&, PrintParts&) {
      ++printDialogs;
      return std::unique_ptr<QPrinter>();
    };
    field->setFocus();
    QTest::keyClick(field, Qt::Key_D, Qt::ControlModifier);  // "&Drucken": no printer here, so the dialog
    QTest::keyClick(field, Qt::Key_P, Qt::ControlModifier);  // "Drucken..."
    EXPECT_EQ(printDialogs, 2);
    QTest::keyClick(field, Qt::Key_N, Qt::ControlModifier);  // "&Neu"
    EXPECT_EQ(Panel(2), QStringLiteral(" Neue Datei"));
    QTest::keyClick(field, Qt::Key_F8);
    EXPECT_EQ(Panel(2), QStringLiteral(" In den Anfangszustand gesetzt."));
  }
  ui->EBand->setFocus();
  QTest::keyClick(ui->EBand, Qt::Key_E, Qt::ControlModifier);  // "&Ende"
  EXPECT_FALSE(form->isVisible());
}

}  // namespace
}  // namespace automaten

namespace automaten {
namespace {

// Where a platform's text fields claim Ctrl+E and Ctrl+D for editing (X11
// does), the window takes them back for its menu.
class ClaimShortcuts : public QObject {
 public:
  bool eventFilter(QObject*, QEvent* e) override {
    if (e->type() == QEvent::ShortcutOverride) e->accept();
    return false;
  }
};

TEST_F(DocumentTest, MenuShortcutsWinOverTheFieldsEditingKeys) {
  Open();
  ClaimShortcuts claim;
  for (QWidget* field : std::initializer_list<QWidget*>{ui->EBand, ui->EAusgabe, ui->MProgramm}) {
    field->installEventFilter(&claim);  // runs before the window's own filter
    for (Qt::Key key : {Qt::Key_E, Qt::Key_D, Qt::Key_N}) {
      QKeyEvent override(QEvent::ShortcutOverride, key, Qt::ControlModifier);
      QApplication::sendEvent(field, &override);
      EXPECT_FALSE(override.isAccepted()) << field->objectName().toStdString();
    }
    QKeyEvent home(QEvent::ShortcutOverride, Qt::Key_Home, Qt::NoModifier);
    QApplication::sendEvent(field, &home);
    EXPECT_TRUE(home.isAccepted());  // other keys stay the field's
    field->removeEventFilter(&claim);
  }
}

}  // namespace
}  // namespace automaten
