// The document session on PlainView and an in-memory host: the change
// prompt, opening and saving, the settings and the start-up restoration.
#include "control/document.h"

#include <gtest/gtest.h>

#include <map>

#include "control/examples.h"
#include "control/kinds.h"
#include "control/plainview.h"
#include "control/simulation.h"
#include "engine/encoding.h"
#include "support/prompt_case.h"

namespace automaten {
namespace {

// Files in memory; a name in `failing` cannot be written.
class MemoryHost : public DocumentHost {
 public:
  std::string ChooseFileToOpen(const std::string& suggestion) override {
    suggestions.push_back(suggestion);
    ++dialogs;
    return openName;
  }
  std::string ChooseFileToSave() override {
    ++dialogs;
    return saveName;
  }
  ProgramFile ReadProgram(const std::string& path) override {
    const auto it = files.find(path);
    if (it == files.end()) return {ProgramFile::Status::Unreadable, "No such file or directory", ""};
    return CheckProgramBytes(it->second);
  }
  bool WriteProgram(const std::string& path, const std::string& bytes, std::string& error) override {
    if (path == failing) {
      error = "Disk full";
      return false;
    }
    files[path] = bytes;
    return true;
  }
  bool IsFile(const std::string& path) const override { return files.count(path) > 0; }
  std::string ReadConfiguration() override { return configuration; }
  bool WriteConfiguration(const std::string& bytes, std::string& error) override {
    if (configurationFails) {
      error = "In /tmp/automaten.ini kann nicht geschrieben werden";
      return false;
    }
    configuration = bytes;
    return true;
  }
  void ShowError(const std::string& text) override { errors.push_back(text); }

  std::map<std::string, std::string> files;
  std::string failing;
  std::string configuration;
  bool configurationFails = false;
  std::string openName, saveName;
  int dialogs = 0;
  std::vector<std::string> suggestions;
  std::vector<std::string> errors;
};

class DocumentTest : public ::testing::Test {
 protected:
  PlainView view;
  Simulation sim{view};
  MemoryHost host;
  DocumentSession session{sim, view, host};

  void Edit(const std::string& text) {
    view.SetProgramText(text);
    session.ProgramEdited(true);
  }
  std::string Message() const { return view.Panel(StatusPanel::Message); }
};

TEST_F(DocumentTest, FilesReadInEitherEncodingAndSavedBack) {
  host.files["/p/latin.txt"] = "; f\xFCr alle\r\ne: a\r\na 1 -> a";
  ASSERT_TRUE(session.Load("/p/latin.txt"));
  EXPECT_EQ(view.ProgramText(), "; für alle\ne: a\na 1 -> a");
  EXPECT_EQ(Message(), MachineText(" Datei /p/latin.txt geöffnet."));
  EXPECT_EQ(session.FileName(), "/p/latin.txt");
  host.files.clear();
  ASSERT_TRUE(session.Save());
  EXPECT_EQ(host.files["/p/latin.txt"], "; Art: DEA\r\n; f\xFCr alle\r\ne: a\r\na 1 -> a");
  EXPECT_EQ(Message(), " Datei /p/latin.txt gespeichert");
  EXPECT_EQ(host.dialogs, 0);

  Edit("; Pfeil \u2192\n");  // no such character in Windows-1252: saved as UTF-8
  ASSERT_TRUE(session.Save());
  EXPECT_EQ(host.files["/p/latin.txt"], "; Art: DEA\r\n; Pfeil \u2192\r\n");
  EXPECT_FALSE(session.Changed());
  ASSERT_TRUE(session.Load("/p/latin.txt"));
  EXPECT_EQ(view.ProgramText(), "; Art: DEA\n; Pfeil \u2192\n");
}

TEST_F(DocumentTest, DtaFilesInRichAndPlainFormBecomeTxt) {
  host.files["/p/beispiel.DTA"] = "{\\rtf1\\ansi{\\fonttbl{\\f0 Courier New;}}\\f0 ; f\\'fcr\\par a 1 -> a\\par}";
  ASSERT_TRUE(session.Load("/p/beispiel.DTA"));
  EXPECT_EQ(view.ProgramText(), "; für\na 1 -> a\n");
  EXPECT_EQ(session.FileName(), "/p/beispiel.txt");
  host.files["/p/plain.Dta"] = "a 0 -> 1\r\n";
  ASSERT_TRUE(session.Load("/p/plain.Dta"));
  EXPECT_EQ(view.ProgramText(), "a 0 -> 1\n");
  EXPECT_EQ(session.FileName(), "/p/plain.txt");
  host.files["/p/other.dat"] = "{\\rtf1 x}";
  ASSERT_TRUE(session.Load("/p/other.dat"));
  EXPECT_EQ(view.ProgramText(), "{\\rtf1 x}");  // not .dta: read as it stands
}

TEST_F(DocumentTest, FailedReadsAndWritesChangeNothing) {
  host.files["/p/good.txt"] = "a 1 -> a";
  ASSERT_TRUE(session.Load("/p/good.txt"));
  host.files["/p/nul.txt"] = std::string("a\0", 2);
  host.files["/p/big.txt"] = std::string(kMaxProgramBytes + 1, 'a');
  const std::pair<const char*, const char*> failures[] = {
      {"/p/missing.txt", "No such file or directory"},
      {"/p/nul.txt", "Die Datei enthält Nullbytes und ist daher kein Automatenprogramm."},
      {"/p/big.txt", "Die Datei ist größer als 1 MiB und daher kein Automatenprogramm."}};
  for (const auto& [name, reason] : failures) {
    host.errors.clear();
    EXPECT_FALSE(session.Load(name));
    EXPECT_EQ(host.errors,
              std::vector<std::string>{std::string("Datei ") + name + " kann nicht geöffnet werden. " + reason});
    EXPECT_EQ(session.FileName(), "/p/good.txt");
    EXPECT_EQ(view.ProgramText(), "a 1 -> a");
  }
  Edit("a 1 -> b");
  host.failing = "/p/good.txt";
  host.errors.clear();
  EXPECT_FALSE(session.Save());
  EXPECT_EQ(host.errors, std::vector<std::string>{"Datei \"/p/good.txt\" kann nicht erstellt werden. Disk full"});
  EXPECT_TRUE(session.Changed());
  EXPECT_EQ(host.files["/p/good.txt"], "a 1 -> a");
}

TEST(KindLine, TheFirstLineNamesTheKind) {
  MachineKind kind = MachineKind::DEA;
  EXPECT_EQ(KindLine(MachineKind::TM), "; Art: Turingmaschine");
  for (MachineKind k : kKinds) {
    ASSERT_TRUE(KindOfProgram(KindLine(k) + "\na 1 -> a", kind));
    EXPECT_EQ(kind, k);
  }
  EXPECT_TRUE(KindOfProgram(";art:   kellerautomat  \r\n", kind));  // blanks and case as a user may write them
  EXPECT_EQ(kind, MachineKind::KA);
  EXPECT_TRUE(HasKindLine("; Art: Mealy\n"));  // a kind line, but no kind of ours
  EXPECT_FALSE(KindOfProgram("; Art: Mealy\n", kind));
  EXPECT_FALSE(HasKindLine("a 1 -> a\n; Art: NEA"));  // only the first line counts
  EXPECT_FALSE(HasKindLine("; Artig: NEA"));
  EXPECT_FALSE(HasKindLine(""));
}

TEST(PlainView, ReplaceProgramLines) {
  PlainView view;
  view.SetProgramText("a\nb\nc");
  view.ReplaceProgramLines(0, 0, "x");
  EXPECT_EQ(view.ProgramText(), "x\na\nb\nc");
  view.ReplaceProgramLines(1, 2, "y\nz\nw");
  EXPECT_EQ(view.ProgramText(), "x\ny\nz\nw\nc");
  view.ReplaceProgramLines(4, 1, "");
  EXPECT_EQ(view.ProgramText(), "x\ny\nz\nw\n");
  view.ReplaceProgramLines(9, 0, "end");  // beyond the last line: appended
  EXPECT_EQ(view.ProgramText(), "x\ny\nz\nw\n\nend");
}

TEST_F(DocumentTest, TheKindGoesWithTheFile) {
  session.SelectKind(MachineKind::DEA);
  view.SetFieldText(Field::EBand, "111#11");
  // Opening a file that names its kind switches to it; no example replaces program or tape.
  host.files["/p/tm.txt"] = "; Art: Turingmaschine\r\nA 1 -> 1 R A\r\nA * -> * K E";
  ASSERT_TRUE(session.Load("/p/tm.txt"));
  EXPECT_EQ(sim.State().kind, MachineKind::TM);
  EXPECT_EQ(view.caption, "Simulation Turingmaschine");
  EXPECT_EQ(view.ProgramText(), "; Art: Turingmaschine\nA 1 -> 1 R A\nA * -> * K E");
  EXPECT_EQ(view.FieldText(Field::EBand), "111#11");
  EXPECT_EQ(session.FileName(), "/p/tm.txt");
  EXPECT_FALSE(session.Changed());
  // Saved again: the line is kept, never written twice.
  ASSERT_TRUE(session.Save());
  EXPECT_EQ(host.files["/p/tm.txt"], "; Art: Turingmaschine\r\nA 1 -> 1 R A\r\nA * -> * K E");
  // A line that names another kind is updated in place.
  Edit("; Art: NEA\nA 1 -> 1 R A");
  ASSERT_TRUE(session.Save());
  EXPECT_EQ(host.files["/p/tm.txt"], "; Art: Turingmaschine\r\nA 1 -> 1 R A");
  // The settings name the file's kind, so the next start opens it under that kind.
  ASSERT_TRUE(session.Close());
  EXPECT_EQ(ReadSettings(host.configuration).kindCode, static_cast<std::uint16_t>(MachineKind::TM));
  EXPECT_EQ(ReadSettings(host.configuration).file, "/p/tm.txt");
}

TEST_F(DocumentTest, SaveAsAddsTxtToANameWithoutADot) {
  session.SelectKind(MachineKind::Akz);
  host.saveName = "/p.d/neu";  // a dot in a folder's name does not count
  ASSERT_TRUE(session.SaveAs());
  EXPECT_EQ(session.FileName(), "/p.d/neu.txt");
  EXPECT_EQ(host.files.count("/p.d/neu.txt"), 1u);
  host.saveName = "/p/alt.dta";  // a name with an ending keeps it, and ".dta" stays readable
  ASSERT_TRUE(session.SaveAs());
  EXPECT_EQ(session.FileName(), "/p/alt.dta");
  EXPECT_EQ(WithTxtEnding("C:\\Schule\\band"), "C:\\Schule\\band.txt");
}

TEST_F(DocumentTest, NeuAndOeffnen) {
  session.New();
  EXPECT_EQ(view.ProgramText(), "");
  EXPECT_EQ(Message(), " Neue Datei");
  host.openName = "/p/a.txt";
  host.files["/p/a.txt"] = "a 1 -> a";
  session.Open();
  EXPECT_EQ(view.ProgramText(), "a 1 -> a");
  host.openName.clear();  // cancelled
  session.Open();
  EXPECT_EQ(Message(), MachineText(" Datei öffnen"));
  EXPECT_EQ(host.suggestions, (std::vector<std::string>{"", "/p/a.txt"}));  // the dialog starts at the last choice
  EXPECT_TRUE(view.questions.empty());
}

// ---- The change prompt -----------------------------------------------------------

using testing::PromptCase;
using testing::PromptName;

class ChangePrompt : public DocumentTest, public ::testing::WithParamInterface<PromptCase> {};

TEST_P(ChangePrompt, AnswersDecideWhetherTheCommandGoesOn) {
  const PromptCase& c = GetParam();
  if (c.named) {
    host.files["/p/p.txt"] = "a 1 -> a";
    ASSERT_TRUE(session.Load("/p/p.txt"));
  }
  Edit("a 1 -> a ; edited");
  view.answer = c.answer;
  host.openName = "/p/other.txt";
  host.files["/p/other.txt"] = "b 1 -> b";
  const std::string command = c.command;
  bool carriedOn = false;
  if (command == "Neu") {
    session.New();
    carriedOn = view.ProgramText().empty();
  } else if (command == "Oeffnen") {
    session.Open();
    carriedOn = view.ProgramText() == "b 1 -> b";
  } else if (command == "Kind") {
    sim.SelectKind(MachineKind::DEA);  // the buttons show DEA
    Edit("a 1 -> a ; edited");
    session.SelectKind(MachineKind::TM);
    carriedOn = sim.State().kind == MachineKind::TM;
    EXPECT_EQ(view.KindButtonDown(MachineKind::DEA), !carriedOn);  // a refused click springs back
  } else if (command == "Close") {
    carriedOn = session.Close();
    EXPECT_EQ(host.configuration.empty(), !carriedOn);
  }
  EXPECT_EQ(view.questions, std::vector<std::string>{MachineText("Datei wurde geändert. Speichern?")});
  EXPECT_EQ(carriedOn, c.goesOn);
  if (!c.goesOn) {
    EXPECT_EQ(view.ProgramText(), "a 1 -> a ; edited");
  }
  if (c.answer == Answer::Ja && c.named) {
    EXPECT_EQ(host.files["/p/p.txt"], "; Art: DEA\r\na 1 -> a ; edited");
  }
}

INSTANTIATE_TEST_SUITE_P(
    Documents, ChangePrompt,
    ::testing::Values(PromptCase{"Neu", Answer::Ja, true, true}, PromptCase{"Neu", Answer::Nein, false, true},
                      PromptCase{"Neu", Answer::Abbrechen, true, false},
                      PromptCase{"Neu", Answer::Ja, false, false},  // the save dialog is cancelled
                      PromptCase{"Oeffnen", Answer::Ja, true, true}, PromptCase{"Oeffnen", Answer::Nein, true, true},
                      PromptCase{"Oeffnen", Answer::Abbrechen, true, false}, PromptCase{"Kind", Answer::Ja, true, true},
                      PromptCase{"Kind", Answer::Nein, true, true}, PromptCase{"Kind", Answer::Abbrechen, true, false},
                      PromptCase{"Kind", Answer::Ja, false, false}, PromptCase{"Close", Answer::Ja, true, true},
                      PromptCase{"Close", Answer::Nein, true, true},
                      PromptCase{"Close", Answer::Abbrechen, true, false},
                      PromptCase{"Close", Answer::Ja, false, false}),
    PromptName);

// ---- Settings and the start-up restoration ---------------------------------------

TEST_F(DocumentTest, TheChangedMarkFollowsTheFileAndIsClearedAtOnceByANewExample) {
  session.SelectKind(MachineKind::DEA);
  EXPECT_FALSE(session.Changed());
  Edit("a s -> w a");
  EXPECT_TRUE(session.Changed());
  EXPECT_EQ(view.Panel(StatusPanel::Changed), MachineText(" geändert "));
  view.answer = Answer::Nein;
  session.SelectKind(MachineKind::Akz);  // the example belongs to no file and is no change
  EXPECT_FALSE(session.Changed());
  EXPECT_EQ(view.Panel(StatusPanel::Changed), "");
  EXPECT_TRUE(session.FileName().empty());
  // A program a tool made is a change at once.
  ASSERT_TRUE(session.OpenMade(MachineKind::Akz, "a 1 -> e", "gemacht"));
  EXPECT_TRUE(session.Changed());
  EXPECT_EQ(view.Panel(StatusPanel::Changed), MachineText(" geändert"));
}

// The page asks before the command: the question, whether "Ja" needs a name,
// and whether the command goes on after each answer.
TEST_F(DocumentTest, ThePendingQuestionForAPageThatAsksFirst) {
  session.SelectKind(MachineKind::DEA);
  EXPECT_EQ(session.PendingQuestion(), "");
  EXPECT_TRUE(session.GoesOn(Answer::Abbrechen, false));  // nothing to ask: it goes on
  Edit("a s -> w a");
  EXPECT_EQ(session.PendingQuestion(), MachineText("Datei wurde geändert. Speichern?"));
  EXPECT_TRUE(session.NeedsSaveName());
  EXPECT_FALSE(session.GoesOn(Answer::Abbrechen, true));
  EXPECT_TRUE(session.GoesOn(Answer::Nein, false));
  EXPECT_FALSE(session.GoesOn(Answer::Ja, false));
  EXPECT_TRUE(session.GoesOn(Answer::Ja, true));
  ASSERT_TRUE(session.SaveTo("/p/a.txt"));
  EXPECT_EQ(session.PendingQuestion(), "");
  Edit("a k -> w a");
  EXPECT_FALSE(session.NeedsSaveName());  // "Ja" saves under its file
  EXPECT_TRUE(session.GoesOn(Answer::Ja, false));
}

TEST_F(DocumentTest, FirstStartAndTheFileWrittenAtClose) {
  session.Restore();
  EXPECT_EQ(view.SliderPosition(), 1);
  EXPECT_EQ(view.caption, "Simulation endlicher Automat mit Ausgabe");
  EXPECT_EQ(view.FieldText(Field::EBand), "sskkss");
  EXPECT_EQ(view.bounds.width, 400);
  EXPECT_TRUE(host.errors.empty());
  view.bounds = {10, 20, 640, 300};
  ASSERT_TRUE(session.Close());
  EXPECT_EQ(host.configuration,
            "[Konfiguration]\nArbeitsmodus=0\nDatei=\nFrequenz=1\nBand=sskkss\nLeft=10\nTop=20\nWidth=640\nHeight="
            "300\nZoom=100\nEndlosschleifen=1\nDiagramm=0\nDiagrammbreite=360\nTests=0\nTestsbreite=420\n"
            "Schrittspeicher=10000000\n");
}

TEST_F(DocumentTest, RestoresAStoredTuringProgramWithItsTape) {
  host.files["/p/tm.txt"] = "A 1 -> 1 R A\r\nA * -> * K E\r\n";
  host.configuration =
      "; my settings\n[Konfiguration]\nFrequenz=70\nArbeitsmodus=4\nDatei=/p/tm.txt\nBand=111\xC3\xA4\n"
      ";Band=not this\nLeft=10\nTop=20\nWidth=700\nHeight=500\nExtra=kept\n";
  session.Restore();
  EXPECT_EQ(view.caption, "Simulation Turingmaschine");
  EXPECT_EQ(view.ProgramText(), "A 1 -> 1 R A\nA * -> * K E\n");
  EXPECT_EQ(session.FileName(), "/p/tm.txt");
  EXPECT_EQ(view.SliderPosition(), 70);
  EXPECT_EQ(view.bounds.height, 500);
  EXPECT_EQ(view.FieldText(Field::EBand), "111\xE4");
  EXPECT_EQ(sim.State().lastTape, "111\xE4");
  EXPECT_FALSE(session.Changed());
  ASSERT_TRUE(session.Close());
  EXPECT_EQ(host.configuration,
            "; my settings\n[Konfiguration]\nFrequenz=70\nArbeitsmodus=4\nDatei=/p/tm.txt\nBand=111\xC3\xA4\n"
            ";Band=not "
            "this\nLeft=10\nTop=20\nWidth=700\nHeight=500\nExtra=kept\nZoom=100\nEndlosschleifen=1\nDiagramm="
            "0\nDiagrammbreite=360\nTests=0\nTestsbreite=420\nSchrittspeicher=10000000\n");
}

TEST_F(DocumentTest, StoredValuesOutsideTheRules) {
  host.files["/p/p.txt"] = "a 1 -> a";
  host.configuration = "[Konfiguration]\nArbeitsmodus=7\nDatei=/p/p.txt\nBand=xy\nFrequenz=fast\nWidth=wide\n";
  session.Restore();
  EXPECT_EQ(view.SliderPosition(), 1);
  EXPECT_EQ(view.bounds.width, 400);
  EXPECT_EQ(view.caption, "");  // kind 7 names no kind: nothing is chosen
  for (MachineKind k : kKinds) EXPECT_FALSE(view.KindButtonDown(k));
  EXPECT_EQ(view.ProgramText(), "a 1 -> a");
  EXPECT_EQ(view.FieldText(Field::EBand), "xy");
  ASSERT_TRUE(session.Close());
  EXPECT_NE(host.configuration.find("Arbeitsmodus=7\n"), std::string::npos);

  host.configuration = "[Konfiguration]\nArbeitsmodus=65536\nDatei=/p/p.txt\n";  // its low 16 bits
  session.Restore();
  EXPECT_EQ(sim.State().kind, MachineKind::DEA);
  EXPECT_EQ(view.ProgramText(), "a 1 -> a");
}

TEST_F(DocumentTest, StoredDtaNameBecomesTxtAndAnEmptyTapeStaysEmpty) {
  host.files["/p/old.dta"] = "{\\rtf1 a 1 -> a\\par}";
  host.configuration = "[Konfiguration]\nDatei=/p/old.dta\nBand=\n";
  session.Restore();
  EXPECT_EQ(session.FileName(), "/p/old.txt");
  EXPECT_EQ(view.FieldText(Field::EBand), "");
  ASSERT_TRUE(session.Close());
  EXPECT_NE(host.configuration.find("Datei=/p/old.txt\n"), std::string::npos);
}

TEST_F(DocumentTest, MissingOrUnreadableStoredProgramShowsTheDeaExample) {
  host.configuration = "[Konfiguration]\nArbeitsmodus=4\nDatei=/p/gone.txt\nBand=0101\n";
  session.Restore();
  EXPECT_EQ(view.caption, "Simulation endlicher Automat mit Ausgabe");
  EXPECT_EQ(session.FileName(), "");
  EXPECT_TRUE(host.errors.empty());
  sim.RestoreLastTape();  // the stored tape is there before any reset
  EXPECT_EQ(view.FieldText(Field::EBand), "0101");

  host.files["/p/huge.txt"] = std::string(kMaxProgramBytes + 10, 'a');
  host.configuration = "[Konfiguration]\nArbeitsmodus=4\nDatei=/p/huge.txt\n";
  session.Restore();
  EXPECT_EQ(host.errors.size(), 1u);
  EXPECT_EQ(view.caption, "Simulation endlicher Automat mit Ausgabe");
  EXPECT_EQ(view.FieldText(Field::EBand), "sskkss");
}

TEST_F(DocumentTest, AFailedConfigurationWriteIsShownAndStillCloses) {
  host.configurationFails = true;
  EXPECT_TRUE(session.Close());
  EXPECT_EQ(host.errors, std::vector<std::string>{"In /tmp/automaten.ini kann nicht geschrieben werden"});
}

TEST(Settings, ThePaneSizesStayWithinTheirLimits) {
  const auto width = [](const std::string& value) {
    return ReadSettings("[Konfiguration]\nDiagrammbreite=" + value + "\n").panes.diagram.size;
  };
  EXPECT_EQ(width("119"), 120);
  EXPECT_EQ(width("120"), 120);
  EXPECT_EQ(width("121"), 121);
  EXPECT_EQ(width("4000"), 4000);
  EXPECT_EQ(width("4001"), 4000);
  EXPECT_EQ(width("-5"), 120);
  EXPECT_EQ(width("breit"), 360);  // unreadable: the default
  const Settings tests = ReadSettings("[Konfiguration]\nTests=1\nTestsbreite=9\n");
  EXPECT_TRUE(tests.panes.tests.shown);
  EXPECT_EQ(tests.panes.tests.size, 120);
  EXPECT_FALSE(tests.panes.diagram.shown);
  EXPECT_EQ(ReadSettings("").panes.tests.size, 420);
}

// "Schrittspeicher" names how many steps "Schritt zurück" keeps, from one to
// 100 million; the session gives it to the simulation and writes it back.
TEST_F(DocumentTest, TheHistoryBoundComesFromTheSettings) {
  const auto bound = [](const std::string& value) {
    return ReadSettings("[Konfiguration]\nSchrittspeicher=" + value + "\n").historySteps;
  };
  EXPECT_EQ(bound("0"), 1);
  EXPECT_EQ(bound("250"), 250);
  EXPECT_EQ(bound("100000001"), 100000000);
  EXPECT_EQ(bound("viele"), 10000000);
  host.configuration = "[Konfiguration]\nSchrittspeicher=3\n";
  session.Restore();
  EXPECT_EQ(sim.Steps().Bound(), 3u);
  ASSERT_TRUE(session.Close());
  EXPECT_NE(host.configuration.find("Schrittspeicher=3\n"), std::string::npos);
}

TEST(Settings, ZoomStepsAndLimits) {
  EXPECT_EQ(ReadSettings("").zoom, 100);
  EXPECT_EQ(ReadSettings("[Konfiguration]\nZoom=1000\n").zoom, 400);
  EXPECT_EQ(ReadSettings("[Konfiguration]\nZoom=10\n").zoom, 70);
  EXPECT_EQ(ReadSettings("[Konfiguration]\nZoom=x\n").zoom, 100);
  EXPECT_EQ(ZoomIn(100), 110);
  EXPECT_EQ(ZoomIn(400), 400);
  EXPECT_EQ(ZoomIn(105), 110);  // an odd stored value joins the steps
  EXPECT_EQ(ZoomOut(100), 90);
  EXPECT_EQ(ZoomOut(70), 70);
  EXPECT_EQ(ZoomOut(260), 250);
}

TEST(Settings, LongValuesAreCutAt2047Characters) {
  const std::string tape(3000, 'x');
  const Settings s = ReadSettings("[Konfiguration]\nBand=" + tape + "\nDatei=" + std::string(3000, 'y') + "\n");
  EXPECT_EQ(s.lastTape.size(), 2047u);
  EXPECT_EQ(s.file.size(), 2047u);
  const std::string umlauts = ReadSettings("[Konfiguration]\nBand=" +
                                           [] {
                                             std::string u;
                                             for (int i = 0; i < 3000; ++i) u += "\xC3\xA4";
                                             return u;
                                           }() +
                                           "\n")
                                  .lastTape;
  EXPECT_EQ(umlauts, std::string(2047, '\xE4'));  // characters, not bytes
}

}  // namespace
}  // namespace automaten
