// The command-line runner's contract: arguments, output block, trace, exit codes.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <regex>
#include <sstream>
#include <thread>

#include "cli_runner.h"
#include "control/examples.h"
#include "control/testcases.h"
#include "diagram/layout.h"
#include "engine/encoding.h"

namespace automaten {
namespace {

struct Result {
  int code;
  std::string out;
  std::string err;
};

Result RunArgs(const std::vector<std::string>& args, const std::string& stdinText = "") {
  std::istringstream in(stdinText);
  std::ostringstream out, err;
  const int code = RunCli(args, in, out, err);
  return {code, out.str(), err.str()};
}

std::string TempFile(const std::string& name, const std::string& bytes) {
  const std::string path = ::testing::TempDir() + name;
  std::ofstream(path, std::ios::binary) << bytes;
  return path;
}

TEST(Cli, DeaExample) {
  const Result r = RunArgs({"--kind", "dea", "--example"});
  EXPECT_EQ(r.code, 0);
  EXPECT_EQ(r.out,
            "Zustand : Anfangszustand\nÜbergang: \nSchritte: 6\nBand: sskkss\nAusgabe: wwwbbw\n"
            "Meldung: Das Wort wurde akzeptiert.\n");
  EXPECT_EQ(r.err, "");
}

TEST(Cli, ExamplesOfEveryKind) {
  EXPECT_NE(RunArgs({"--kind", "tm", "--example"}).out.find("Schritte: 14\n"), std::string::npos);
  EXPECT_NE(RunArgs({"--kind", "tm", "--example"}).out.find("Meldung: Der Funktionswert ist: 5\n"), std::string::npos);
  EXPECT_EQ(RunArgs({"--kind", "akz", "--example"}).code, 1);
  EXPECT_EQ(RunArgs({"--kind", "nea", "--example"}).code, 0);
  const Result ka = RunArgs({"--kind", "ka", "--example", "--tape", "(()"});
  EXPECT_EQ(ka.code, 1);
  EXPECT_NE(ka.out.find("Ausgabe: #(\n"), std::string::npos);
  EXPECT_EQ(RunArgs({"--kind", "akz", "--example"}).out.find("Ausgabe"), std::string::npos);
}

TEST(Cli, ParseFaultsGoToStderrInOrder) {
  const std::string path = TempFile("bad.txt", "a 1 -> a\r\n1 a\r\n");
  const Result r = RunArgs({"--kind", "akz", path});
  EXPECT_EQ(r.code, 2);
  EXPECT_EQ(r.err, "Fehler: falsches Befehlsformat in Befehl 2\nFehler: Übergangssymbol -> erwartet in Befehl 2\n");
  EXPECT_NE(r.out.find("Zustand : unbestimmt\n"), std::string::npos);
}

TEST(Cli, TraceHasTheResetAndEveryStep) {
  const Result r = RunArgs({"--trace", "--kind", "nea", "-", "--tape", "0"}, "a 0 -> 1\n1 _ -> e\n");
  EXPECT_EQ(r.code, 0);
  const std::string lines =
      "Schritte: 0\tZustand : {A}\tÜbergang: {A} 0 -> {1,E}\t0\n"
      "Schritte: 1\tZustand : {1,E}\tÜbergang: \t0\n";
  EXPECT_EQ(r.out.substr(0, lines.size()), lines);
  // A failed parse still traces what the choice of kind left.
  const Result bad = RunArgs({"--trace", "--kind", "dea", "-"}, "x");
  EXPECT_EQ(bad.out.substr(0, bad.out.find('\n')), "Schritte: \tZustand : unbestimmt\tÜbergang: \t");
}

// The last tape field of a trace: what follows the line's third tab.
std::string LastTracedTape(const std::string& out, std::size_t traceLines) {
  std::istringstream lines(out);
  std::string line, last;
  for (std::size_t i = 0; i < traceLines && std::getline(lines, line); ++i) last = line;
  for (int tab = 0; tab < 3; ++tab) last.erase(0, last.find('\t') + 1);
  return last;
}

TEST(Cli, ALongTapeIsTracedAsTheCellsAroundTheHead) {
  // A Turing tape that grows each step: its last 1024 cells, where the head is.
  const std::string grow = TempFile("grow.txt", "a * -> 1 R a\n");
  Result r = RunArgs({"--kind", "tm", "--trace", "--max-steps", "3000", "--no-loop-check", grow});
  EXPECT_EQ(r.code, 3);
  EXPECT_EQ(LastTracedTape(r.out, 1), std::string(60, '*'));
  const std::size_t at = r.out.find("Band: ") + 6;
  const std::string whole = r.out.substr(at, r.out.find('\n', at) - at);  // the block after the trace
  ASSERT_GT(whole.size(), 3000u);
  EXPECT_EQ(LastTracedTape(r.out, 3001), "\xE2\x80\xA6" + whole.substr(whole.size() - 1024));
  EXPECT_LT(r.out.size(), 3001u * 1100);
  // An input read in the middle: 512 cells before the head, cut ends on both sides.
  const std::string dea = TempFile("read.txt", "a 0 -> 0 a\na 1 -> 1 a\n");
  std::string tape(3000, '0');
  tape[1500] = '1';
  r = RunArgs({"--kind", "dea", "--trace", "--tape", tape, "--max-steps", "1500", dea});
  const std::string shown = LastTracedTape(r.out, 1501);
  EXPECT_EQ(shown, "\xE2\x80\xA6" + tape.substr(988, 1024) + "\xE2\x80\xA6");
  // The block after the trace still has the whole tape.
  EXPECT_NE(r.out.find("Band: " + tape + "\n"), std::string::npos);
}

TEST(Cli, StepBound) {
  const std::string loop = TempFile("loop.txt", "a * -> * R 1\n1 * -> * L a\n");
  Result r = RunArgs({"--kind", "tm", "--max-steps", "10", "--no-loop-check", loop});
  EXPECT_EQ(r.code, 3);
  EXPECT_NE(r.out.find("Schritte: 10\n"), std::string::npos);
  r = RunArgs({"--kind", "dea", "--example", "--max-steps", "0"});
  EXPECT_EQ(r.code, 3);
  EXPECT_NE(r.out.find("Schritte: 0\n"), std::string::npos);
  r = RunArgs({"--kind", "dea", "--example", "--max-steps", "3", "--max-steps", "100"});  // the last one counts
  EXPECT_EQ(r.code, 0);
}

TEST(Cli, MoveKCountsAsATick) {
  const std::string stay = TempFile("stay.txt", "a 1 -> 1 K a\n");
  const Result r = RunArgs({"--kind", "tm", "--tape", "1", "--max-steps", "5", "--trace", "--no-loop-check", stay});
  EXPECT_EQ(r.code, 3);
  EXPECT_EQ(std::count(r.out.begin(), r.out.end(), '\n'), 6 + 5);  // reset + 5 ticks, then the block
}

TEST(Cli, WidthShapesTheTuringTape) {
  const Result r = RunArgs({"--kind", "tm", "--example", "--width", "8", "--max-steps", "0"});
  EXPECT_NE(r.out.find("Band: 111#11***\n"), std::string::npos);
}

TEST(Cli, AnyLineEndsAndUtf8Files) {
  const std::string path = TempFile("ends.txt", "; f\xC3\xBCr alle\re: a\na 1 -> a\r\na 0 -> 1\r1 1 -> 1\n1 0 -> a");
  EXPECT_EQ(RunArgs({"--kind", "akz", "--tape", "00", path}).code, 0);
  EXPECT_EQ(RunArgs({"--kind", "akz", "--tape", "0", path}).code, 1);
  const std::string latin = TempFile("latin.txt", "; f\xFCr\r\ne: a\r\n");
  EXPECT_EQ(RunArgs({"--kind", "akz", latin}).code, 0);
}

TEST(Cli, TapeIsTakenAsWindows1252) {
  const std::string path = TempFile("umlaut.txt", "e: a\na \xC3\xA4 -> a\n");
  const Result r = RunArgs({"--kind", "akz", "--tape", "\xC3\xA4\xC3\xA4", path});
  EXPECT_EQ(r.code, 0);
  EXPECT_NE(r.out.find("Band: \xC3\xA4\xC3\xA4\n"), std::string::npos);
}

TEST(Cli, BadArguments) {
  const std::vector<std::vector<std::string>> cases = {
      {},
      {"--kind", "dea"},
      {"--example"},
      {"--kind", "xyz", "--example"},
      {"--kind"},
      {"--kind", "dea", "--example", "prog.txt"},
      {"--kind", "dea", "a.txt", "b.txt"},
      {"--kind", "dea", "--example", "--width", "7"},
      {"--kind", "dea", "--example", "--width", "65536"},
      {"--kind", "dea", "--example", "--width", "0x10"},
      {"--kind", "dea", "--example", "--max-steps", "-1"},
      {"--kind", "dea", "--example", "--max-steps", "99999999999999999999999"},
      {"--kind", "dea", "--example", "--tape", "\xE2\x9C\x93"},
      {"--kind", "dea", "--example", "--tape", "\xC3"},
      {"--kind", "dea", "--example", "--fast"},
      {"--kind", "dea", "--example", "--tape"},
  };
  for (const auto& args : cases) {
    std::string joined;
    for (const auto& a : args) joined += a + " ";
    SCOPED_TRACE(joined);
    const Result r = RunArgs(args);
    EXPECT_EQ(r.code, 64);
    EXPECT_NE(r.err.find("Aufruf: automaten-cli"), std::string::npos);
    EXPECT_EQ(r.out, "");
  }
  EXPECT_EQ(RunArgs({"--kind", "dea", "--example", "--width", "65535", "--max-steps", "0"}).code, 3);
}

// The usual conventions: help and version on standard output, --name=value,
// shortened names, "--" before a file that starts with "-", German messages.
TEST(Cli, TheCommandLinesConventions) {
  for (const std::vector<std::string>& args :
       std::vector<std::vector<std::string>>{{"--help"}, {"-h"}, {"--kind", "tm", "--help"}}) {
    const Result r = RunArgs(args);
    EXPECT_EQ(r.code, 0);
    EXPECT_EQ(r.err, "");
    EXPECT_EQ(r.out.rfind("Aufruf: automaten-cli --kind ART", 0), 0u) << r.out;
    for (const char* sub : {"automaten-cli test", "automaten-cli convert", "automaten-cli minimize",
                            "automaten-cli compare", "--version"})
      EXPECT_NE(r.out.find(sub), std::string::npos) << sub;
  }
  for (const char* sub : {"test", "convert", "minimize", "compare"}) {
    const Result r = RunArgs({sub, "--help"});
    EXPECT_EQ(r.code, 0) << sub;
    EXPECT_NE(r.out.find(std::string("automaten-cli ") + sub), std::string::npos) << r.out;
    EXPECT_EQ(RunArgs({sub, "-h"}).out, r.out);
  }
  const Result version = RunArgs({"--version"});
  EXPECT_EQ(version.code, 0);
  EXPECT_EQ(version.out.rfind("automaten-cli ", 0), 0u);
  EXPECT_EQ(RunArgs({"test", "--version"}).out, version.out);

  EXPECT_EQ(RunArgs({"--kind=akz", "--tape=0110", "--example"}).out,
            RunArgs({"--kind", "akz", "--example", "--tape", "0110"}).out);
  EXPECT_EQ(RunArgs({"--ki", "tm", "--exa"}).code, 0);  // an unambiguous shortening
  const std::string dashed = TempFile("-abgabe.txt", "e: a\na 1 -> a\n");
  char* before = ::getcwd(nullptr, 0);
  ASSERT_EQ(::chdir(::testing::TempDir().c_str()), 0);
  const Result program = RunArgs({"--kind", "akz", "--tape", "11", "--", "-abgabe.txt"});
  const Result graded = RunArgs({"test", "--kind", "akz", "--", "-abgabe.txt"});
  EXPECT_EQ(::chdir(before), 0);
  std::free(before);
  EXPECT_EQ(program.code, 0) << program.err;
  EXPECT_NE(graded.out.find("-abgabe.txt: 0/0, keine Testfälle"), std::string::npos) << graded.out << graded.err;

  const Result unknown = RunArgs({"--kind", "akz", "--schnell", "x.txt"});
  EXPECT_EQ(unknown.code, 64);
  EXPECT_EQ(unknown.err.rfind("automaten-cli: unbekannte Option '--schnell'\nAufruf:", 0), 0u) << unknown.err;
  EXPECT_EQ(RunArgs({"--kind"}).err.rfind("automaten-cli: --kind braucht einen Wert\n", 0), 0u);
  EXPECT_EQ(RunArgs({"--kind", "akz"}).err.rfind("automaten-cli: eine Programmdatei oder --example fehlt\n", 0), 0u);
  EXPECT_EQ(
      RunArgs({"compare", "--kind", "akz", "a"}).err.rfind("automaten-cli: compare braucht zwei Programmdateien\n", 0),
      0u);
}

TEST(Cli, UnreadableProgram) {
  const Result missing = RunArgs({"--kind", "dea", ::testing::TempDir() + "no-such-file.txt"});
  EXPECT_EQ(missing.code, 66);
  EXPECT_NE(missing.err.find("no-such-file.txt kann nicht gelesen werden: nicht vorhanden"), std::string::npos)
      << missing.err;
  EXPECT_EQ(RunArgs({"--kind", "dea", ::testing::TempDir()}).code, 66);  // a directory
  EXPECT_EQ(RunArgs({"--kind", "dea", "-"}, std::string("a s -> w a\0", 11)).code, 66);
  EXPECT_EQ(RunArgs({"--kind", "dea", "-"}, std::string((1 << 20) + 1, ' ')).code, 66);
}

TEST(Cli, ProgramsBeyondTheOldLimitsRun) {
  const Result top = RunArgs({"--kind", "akz", "--tape", "11", "-"}, "e: 65532\na 1 -> 65532\n65532 1 -> 65532\n");
  EXPECT_EQ(top.code, 0);
  EXPECT_NE(top.out.find("Zustand : 65532\n"), std::string::npos);
  std::string program = "E:";
  for (int i = 1; i <= 150; ++i) program += " " + std::to_string(i);
  program += "\n";
  for (int i = 1; i <= 150; ++i)
    program += (i == 1 ? std::string("a") : std::to_string(i - 1)) + " 1 -> " + std::to_string(i) + "\n";
  const Result big = RunArgs({"--kind", "akz", "--tape", std::string(150, '1'), "-"}, program);
  EXPECT_EQ(big.code, 0);
  EXPECT_NE(big.out.find("Schritte: 150\n"), std::string::npos);
}

TEST(Cli, TapeFromAFile) {
  const std::string program = TempFile("parity.txt", "e: a\na 1 -> 1\na 0 -> a\n1 1 -> a\n1 0 -> 1\n");
  std::string tape(1000000, '0');
  tape[12345] = '1';
  const std::string file = TempFile("tape.txt", tape + "\r\n");  // the break ends the line, it is no cell
  const Result r = RunArgs({"--kind", "akz", "--tape-file", file, program});
  EXPECT_EQ(r.code, 1);  // one 1: odd
  EXPECT_NE(r.out.find("Schritte: 1000000\n"), std::string::npos);
  EXPECT_NE(r.out.find("Band: " + tape + "\n"), std::string::npos);
  // From standard input when the program comes from a file; read like a program file.
  const Result in = RunArgs({"--kind", "akz", "--tape-file", "-", program},
                            "1\xC3\xA4"
                            "1\n");
  EXPECT_NE(in.out.find("Band: 1\xC3\xA4"
                        "1\n"),
            std::string::npos);
  EXPECT_EQ(RunArgs({"--kind", "akz", "--tape-file", TempFile("two.txt", "01\n10\n"), program}).code, 66);
  EXPECT_EQ(RunArgs({"--kind", "akz", "--tape-file", ::testing::TempDir() + "none.txt", program}).code, 66);
  EXPECT_EQ(RunArgs({"--kind", "akz", "--tape-file", "-", "-"}).code, 64);
  EXPECT_EQ(RunArgs({"--kind", "akz", "--tape", "1", "--tape-file", file, program}).code, 64);
}

// The run without --trace shows nothing until it stops, and then the same
// block as the run that traces every step.
TEST(Cli, TheSameEndWithAndWithoutTrace) {
  const std::vector<std::vector<std::string>> runs = {
      {"--kind", "tm", "--example"},
      {"--kind", "nea", "--example", "--tape", "0110"},
      {"--kind", "ka", "--example", "--tape", "(()))"},
      {"--kind", "dea", "--example", "--max-steps", "3"},
      {"--kind", "tm", "--max-steps", "77", "-"},
  };
  for (std::vector<std::string> args : runs) {
    const std::string program = "a * -> 1 R 1\n1 * -> * L a\n";
    const Result plain = RunArgs(args, program);
    args.push_back("--trace");
    const Result traced = RunArgs(args, program);
    EXPECT_EQ(plain.code, traced.code);
    ASSERT_GE(traced.out.size(), plain.out.size());
    EXPECT_EQ(traced.out.substr(traced.out.size() - plain.out.size()), plain.out);
  }
}

// An endless stream of zeros as the program: read only up to 1 MiB and a byte.
class EndlessZeros : public std::streambuf {
  char zeros_[4096] = {};
  int_type underflow() override {
    setg(zeros_, zeros_, zeros_ + sizeof zeros_);
    return 0;
  }
};

TEST(Cli, EndlessStreamsAndByteOrderMarks) {
  EndlessZeros zeros;
  std::istream in(&zeros);
  std::ostringstream out, err;
  EXPECT_EQ(RunCli({"--kind", "dea", "-"}, in, out, err), 66);
  EXPECT_NE(err.str().find("ist kein Programm: größer als 1 MiB"), std::string::npos);
  // A byte-order mark opens a UTF-8 file here as in the window.
  const Result marked = RunArgs({"--kind", "akz", "--tape", "1", "-"},
                                "\xEF\xBB\xBF"
                                "e: a\na 1 -> a\n");
  EXPECT_EQ(marked.code, 0);
  EXPECT_EQ(marked.err, "");
}

TEST(Cli, EndlessRunsEndWithStatusFour) {
  const std::string right = TempFile("right.txt", "a * -> 1 R a\n");
  const Result proved = RunArgs({"--kind", "tm", right});
  EXPECT_EQ(proved.code, 4);
  EXPECT_NE(
      proved.out.find("Meldung: Endlosschleife: die Maschine l\xC3\xA4uft ab Schritt 0 nach rechts ins leere Band.\n"),
      std::string::npos);
  const Result bound = RunArgs({"--kind", "tm", "--no-loop-check", "--max-steps", "500", right});
  EXPECT_EQ(bound.code, 3);
  EXPECT_NE(bound.out.find("Meldung: \n"), std::string::npos);
}

// A character Windows-1252 lacks is the fault of its line, not a '?' symbol.
TEST(Cli, ACharacterTheCodePageLacksIsAFault) {
  const Result beta = RunArgs({"--kind", "akz", "--tape", "?", "-"}, "a \xCE\xB2 -> e\n");
  EXPECT_EQ(beta.code, 2);
  EXPECT_EQ(beta.err, "Fehler: ung\xC3\xBCltiges Alphabetzeichen in Befehl 1\n");
  const Result epsilon = RunArgs({"--kind", "nea", "--tape", "0", "-"}, "a \xCE\xB5 -> 1\n1 0 -> e\n");
  EXPECT_EQ(epsilon.code, 0) << epsilon.err;
}

std::string ReadAll(const std::string& path);

TEST(Cli, TheStateDiagramInsteadOfARun) {
  const std::string dot = ::testing::TempDir() + "dea.dot";
  const Result r = RunArgs({"--kind", "dea", "--example", "--diagram", dot});
  if (!CanLayOut()) {  // a build without Graphviz says so
    EXPECT_EQ(r.code, 66);
    EXPECT_NE(r.err.find("zeichnet keine Diagramme"), std::string::npos) << r.err;
    GTEST_SKIP() << "built without Graphviz";
  }
  EXPECT_EQ(r.code, 0);
  EXPECT_EQ(r.out, "");
  std::ifstream in(dot);
  const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  for (const char* part : {"label=A", "label=1", "label=2", "s / w", "k / b", "doublecircle"})
    EXPECT_NE(text.find(part), std::string::npos) << part;
  EXPECT_EQ(RunArgs({"--kind", "dea", "--example", "--diagram", "x.pdf"}).code, 64);
  const Result faulty = RunArgs({"--kind", "akz", "--diagram", dot, "-"}, "a 1 a\n");
  EXPECT_EQ(faulty.code, 2);
  EXPECT_NE(faulty.err.find("Fehler: "), std::string::npos);
  EXPECT_EQ(RunArgs({"--kind", "dea", "--example", "--diagram", "/no/such/folder/x.svg"}).code, 66);
  // A program with places: the SVG has the states where the line puts them, one to another.
  const std::string svg = ::testing::TempDir() + "placed.svg";
  ASSERT_EQ(RunArgs({"--kind", "akz", "--diagram", svg, "-"}, "a 1 -> 1\n1 0 -> a\n; Lage: A 50,50 1 50,170\n").code,
            0);
  const std::string picture = ReadAll(svg);
  std::vector<double> xs, ys;
  const std::regex node(R"re(<title>n\d+</title>\s*<ellipse[^>]* cx="([-\d.]+)" cy="([-\d.]+)")re");
  for (std::sregex_iterator m(picture.begin(), picture.end(), node), end; m != end; ++m) {
    xs.push_back(std::stod((*m)[1]));
    ys.push_back(std::stod((*m)[2]));
  }
  ASSERT_EQ(xs.size(), 2u);
  EXPECT_NEAR(xs[1] - xs[0], 0, 1);
  EXPECT_NEAR(ys[1] - ys[0], 120, 1);  // SVG's y grows downwards, as the line's does
  // Ten thousand states: the size answers before Graphviz is asked.
  std::string huge;
  for (int s = 1; s <= 10000; ++s) huge += std::to_string(s) + " 1 -> 1 R " + std::to_string(s + 1) + "\n";
  const Result large = RunArgs({"--kind", "tm", "--diagram", dot, "-"}, huge);
  EXPECT_EQ(large.code, 65);
  EXPECT_NE(large.err.find("10002 Zustände"), std::string::npos) << large.err;
}

// ---- automaten-cli test -----------------------------------------------------

std::string ReadAll(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

// Reads XML back far enough to trust it: every tag closed in order, every
// attribute quoted, and the failure messages collected.
bool ReadXml(const std::string& xml, int& testcases, std::vector<std::string>& failures) {
  std::vector<std::string> open;
  std::size_t i = xml.find("?>");
  if (xml.rfind("<?xml", 0) != 0 || i == std::string::npos) return false;
  for (i = xml.find('<', i); i != std::string::npos; i = xml.find('<', i)) {
    const std::size_t end = xml.find('>', i);
    if (end == std::string::npos) return false;
    std::string tag = xml.substr(i + 1, end - i - 1);
    i = end + 1;
    if (tag[0] == '/') {
      if (open.empty() || open.back() != tag.substr(1)) return false;
      open.pop_back();
      continue;
    }
    const bool closed = tag.back() == '/';
    const std::string name = tag.substr(0, tag.find_first_of(" /"));
    if (name == "testcase") ++testcases;
    if (std::count(tag.begin(), tag.end(), '"') % 2 != 0 || tag.find('<') != std::string::npos) return false;
    if (name == "failure" || name == "error") {
      const std::size_t m = tag.find("message=\"");
      if (m == std::string::npos) return false;
      failures.push_back(tag.substr(m + 9, tag.find('"', m + 9) - m - 9));
    }
    if (!closed) open.push_back(name);
  }
  return open.empty();
}

TEST(Grading, AFolderOfGoodFailingFaultyAndUnreadablePrograms) {
  const std::string cases = "; Test: \"\" -> akzeptiert\n; Test: 11 -> akzeptiert\n; Test: 10 -> nicht akzeptiert\n";
  const std::string machine = "e: a\na 0 -> a\na 1 -> 1\n1 0 -> 2\n1 1 -> a\n2 0 -> 1\n2 1 -> 2\n";
  const std::string good = TempFile("good.txt", cases + machine);
  std::string wrongMachine = machine;
  wrongMachine.replace(wrongMachine.find("1 1 -> a"), 8, "1 1 -> 2");
  const std::string failing = TempFile("failing.txt", cases + wrongMachine);
  const std::string faulty = TempFile("faulty.txt", "; Test: 1 -> akzeptiert\n; Test: 1 -> vielleicht\na 1 ->\n");
  const std::string missing = ::testing::TempDir() + "missing.txt";
  const std::string junit = ::testing::TempDir() + "report.xml", csv = ::testing::TempDir() + "report.csv";

  Result r =
      RunArgs({"test", "--kind", "akz", "--jobs", "2", "--junit", junit, "--csv", csv, good, failing, faulty, missing});
  EXPECT_EQ(r.code, 66);  // the unreadable file; the others were still graded
  std::istringstream lines(r.out);
  std::vector<std::string> got;
  for (std::string line; std::getline(lines, line);) got.push_back(line);
  ASSERT_EQ(got.size(), 5u) << r.out;
  EXPECT_EQ(got[0], good + ": 3/3");
  EXPECT_EQ(got[1], failing + ": 2/3, Zeile 2: 11 -> akzeptiert, erhalten nicht akzeptiert");
  EXPECT_EQ(got[2], faulty + ": 0/2, Fehler: falsches Befehlsformat in Befehl 1");
  EXPECT_EQ(got[3], missing + ": nicht lesbar");
  EXPECT_EQ(got[4], "5 bestanden, 3 fehlgeschlagen");
  EXPECT_NE(r.err.find(missing + " kann nicht gelesen werden: nicht vorhanden"), std::string::npos);

  int testcases = 0;
  std::vector<std::string> failures;
  ASSERT_TRUE(ReadXml(ReadAll(junit), testcases, failures)) << ReadAll(junit);
  EXPECT_EQ(testcases, 3 + 3 + 2 + 1);
  ASSERT_EQ(failures.size(), 4u);
  EXPECT_EQ(failures[0], "erwartet akzeptiert, erhalten nicht akzeptiert");
  EXPECT_NE(failures[1].find("unbekannte Erwartung &quot;vielleicht&quot;"), std::string::npos);
  const std::string table = ReadAll(csv);
  EXPECT_EQ(std::count(table.begin(), table.end(), '\n'), 1 + 3 + 3 + 2 + 1);
  EXPECT_NE(table.find(failing + ",2,\"\"\"11\"\"\",akzeptiert,nicht akzeptiert,nein\n"), std::string::npos);
  EXPECT_NE(table.find(good + ",1,\"\"\"\"\"\",akzeptiert,akzeptiert,ja\n"), std::string::npos);

  // Without the unreadable file a fault decides; without the fault a failure; then all pass.
  EXPECT_EQ(RunArgs({"test", "--kind", "akz", good, failing, faulty}).code, 2);
  EXPECT_EQ(RunArgs({"test", "--kind", "akz", good, failing}).code, 1);
  EXPECT_EQ(RunArgs({"test", "--kind", "akz", good}).code, 0);
  // The teacher's own cases instead of the program's.
  const std::string tests = TempFile("cases.txt", "; kept from the students\n11 -> akzeptiert\n110 -> akzeptiert\n");
  r = RunArgs({"test", "--kind", "akz", "--tests", tests, good, failing});
  EXPECT_EQ(r.out, good + ": 2/2\n" + failing + ": 0/2, Zeile 2: 11 -> akzeptiert, erhalten nicht akzeptiert\n" +
                       "2 bestanden, 2 fehlgeschlagen\n");
}

// A case's verdict is the single run's: accepted (or a value) exactly when
// automaten-cli exits 0, for every kind and words on both sides.
TEST(Grading, ACaseAgreesWithTheSingleRun) {
  const std::vector<std::pair<MachineKind, std::vector<std::string>>> words = {
      {MachineKind::DEA, {"sskkss", "ssk", "", "kkkk"}},   {MachineKind::Akz, {"0110", "10", "", "1x"}},
      {MachineKind::NEA, {"00101110", "0110", "", "000"}}, {MachineKind::KA, {"(())", "(()", "", ")("}},
      {MachineKind::TM, {"111#11", "1#1", "#", ""}},
  };
  const char* names[] = {"dea", "akz", "nea", "ka", "tm"};
  for (const auto& [kind, list] : words) {
    const std::string program = ExampleText(kind);
    const std::string file = TempFile("example.txt", program);
    for (const std::string& word : list) {
      const int code = RunArgs({"--kind", names[static_cast<int>(kind)], "--tape", word, file}).code;
      TestCase c;
      c.word = word;
      c.expect = TestCase::Expect::Accepted;
      const CaseResult r = RunTestCase(kind, program, c, 1000000);
      EXPECT_EQ(r.passed, code == 0) << names[static_cast<int>(kind)] << " " << word << ": " << r.got;
      EXPECT_EQ(r.got == "nicht akzeptiert" || r.got == "Wert undefiniert", code == 1) << word << ": " << r.got;
    }
  }
}

// Against a reference the row "Sprache" holds the shortest word on which they differ.
TEST(Grading, AReferenceAddsTheRowSprache) {
  const std::string reference =
      TempFile("ref.txt", "e: a\na 0 -> a\na 1 -> 1\n1 0 -> 2\n1 1 -> a\n2 0 -> 1\n2 1 -> 2\n");
  // Passes its one case (11), but accepts 10 as well.
  const std::string wrong =
      TempFile("sub.txt", "; Test: 11 -> akzeptiert\ne: a\na 0 -> a\na 1 -> 1\n1 0 -> a\n1 1 -> a\n");
  const std::string junit = ::testing::TempDir() + "ref.xml";
  Result r = RunArgs({"test", "--kind", "akz", "--reference", reference, "--junit", junit, wrong, reference});
  EXPECT_EQ(r.code, 1);
  EXPECT_EQ(r.out, wrong + ": 1/2, Sprache: Gegenbeispiel 10: akzeptiert, die Referenz nicht\n" + reference +
                       ": 1/1\n2 bestanden, 1 fehlgeschlagen\n");
  int testcases = 0;
  std::vector<std::string> failures;
  ASSERT_TRUE(ReadXml(ReadAll(junit), testcases, failures));
  EXPECT_EQ(testcases, 3);
  ASSERT_EQ(failures.size(), 1u);
  EXPECT_EQ(failures[0], "erwartet wie " + reference + ", erhalten Gegenbeispiel 10: akzeptiert, die Referenz nicht");
  EXPECT_EQ(RunArgs({"test", "--kind", "tm", "--reference", reference, wrong}).code, 64);
  EXPECT_EQ(RunArgs({"test", "--kind", "akz", "--reference", TempFile("badref.txt", "a 1 ->\n"), wrong}).code, 2);
}

// File names and words of any bytes: every report is UTF-8 a parser reads,
// names not in UTF-8 read as Windows-1252, characters XML forbids replaced.
TEST(Reports, AnyFileNameOrWordGivesReadableReports) {
  const std::string cases = "; Test: 0110 -> akzeptiert\n; Test: =1+1 -> akzeptiert\ne: a\na 0 -> a\na 1 -> a\n";
  const std::string windows = TempFile("M\xFCller.txt", cases);  // "Müller" packed on Windows
  const std::string control = TempFile(
      "a\x01\x1b"
      "b.txt",
      cases);
  const std::string junit = ::testing::TempDir() + "names.xml", csv = ::testing::TempDir() + "names.csv";
  const Result r = RunArgs({"test", "--kind", "akz", "--junit", junit, "--csv", csv, windows, control});
  EXPECT_EQ(r.code, 1);  // "=1+1" holds symbols the program has no line for
  for (const std::string& report : {ReadAll(junit), ReadAll(csv)}) {
    EXPECT_TRUE(IsValidUtf8(report));
    EXPECT_EQ(std::count_if(report.begin(), report.end(),
                            [](char c) { return static_cast<unsigned char>(c) < 0x20 && c != '\n'; }),
              0);
    EXPECT_NE(report.find("M\xC3\xBCller"), std::string::npos);
    EXPECT_NE(report.find("a\xEF\xBF\xBD\xEF\xBF\xBD"
                          "b"),
              std::string::npos);  // two U+FFFD
  }
  int testcases = 0;
  std::vector<std::string> failures;
  EXPECT_TRUE(ReadXml(ReadAll(junit), testcases, failures));
  EXPECT_EQ(testcases, 4);
}

// JUnit as GitLab and Jenkins read it: the failure's text as content, a
// class per program without its ending, cases named by their test line,
// times, and a program that never ran as errors.
TEST(Reports, JUnitForCiServers) {
  const std::string good = TempFile("abgabe.max.txt",
                                    "; Test: 11 -> akzeptiert\n; Test: 10 -> akzeptiert\ne: a\n"
                                    "a 1 -> a\na 0 -> 1\n");
  const std::string faulty = TempFile("kaputt.txt", "; Test: 1 -> akzeptiert\na 1 ->\n");
  const Result r = RunArgs({"test", "--kind", "akz", "--junit", "-", good, faulty});
  EXPECT_EQ(r.code, 2);
  const std::string& xml = r.out;  // the report on standard output, the lines on standard error
  EXPECT_EQ(xml.rfind("<?xml", 0), 0u) << xml;
  EXPECT_NE(r.err.find(good + ": 1/2"), std::string::npos) << r.err;
  const std::string base = good.substr(0, good.size() - 4);
  std::string classname = base;
  std::replace(classname.begin(), classname.end(), '.', '_');
  EXPECT_NE(xml.find("<testcase name=\"10 -&gt; akzeptiert\" classname=\"" + classname + "\" time=\""),
            std::string::npos)
      << xml;
  EXPECT_NE(xml.find("<property name=\"zeile\" value=\"2\"/>"), std::string::npos);
  EXPECT_NE(xml.find(">erwartet akzeptiert, erhalten nicht akzeptiert</failure>"), std::string::npos);
  EXPECT_NE(xml.find("<error message=\"Fehler: falsches Befehlsformat in Befehl 1\">"), std::string::npos);
  EXPECT_NE(xml.find("<testsuite name=\"" + faulty + "\" tests=\"1\" failures=\"0\" errors=\"1\" time=\""),
            std::string::npos);
  // A report that cannot be written says why.
  const Result unwritable = RunArgs({"test", "--kind", "akz", "--junit", "/no/such/folder/r.xml", good});
  EXPECT_EQ(unwritable.code, 66);
  EXPECT_NE(unwritable.err.find("/no/such/folder/r.xml kann nicht geschrieben werden: nicht vorhanden"),
            std::string::npos)
      << unwritable.err;
  EXPECT_EQ(RunArgs({"test", "--kind", "akz", "--junit", "-", "--csv", "-", good}).code, 64);
}

// CSV as a spreadsheet opens it: words as text, no formulas, and the German form.
TEST(Reports, CsvAndSummaryForSpreadsheets) {
  const std::string ok = TempFile("ok.txt",
                                  "; Test: 0110 -> akzeptiert\n; Test: 1e5 -> akzeptiert\ne: a\na 0 -> a\n"
                                  "a 1 -> a\na e -> a\na 5 -> a\n");
  TempFile("=halb.txt",
           "; Test: 0 -> akzeptiert\n; Test: 1 -> akzeptiert\n; Test: 11 -> akzeptiert\ne: a\n"
           "a 0 -> a\na 1 -> 1\n1 1 -> a\n");
  // Named as a student may name it, from the folder it lies in.
  char* before = ::getcwd(nullptr, 0);
  ASSERT_EQ(::chdir(::testing::TempDir().c_str()), 0);
  const std::string half = "=halb.txt";
  const std::string none = TempFile("leer.txt", "e: a\na 0 -> a\n");
  const std::string csv = ::testing::TempDir() + "p.csv", excel = ::testing::TempDir() + "p-excel.csv",
                    summary = ::testing::TempDir() + "s.csv", summaryExcel = ::testing::TempDir() + "s-excel.csv";
  const Result r = RunArgs({"test", "--kind", "akz", "--csv", csv, "--csv-excel", excel, "--summary", summary,
                            "--summary-excel", summaryExcel, ok, half, none});
  EXPECT_EQ(::chdir(before), 0);
  std::free(before);
  EXPECT_EQ(r.code, 1);
  const std::string plain = ReadAll(csv);
  EXPECT_NE(plain.find(ok + ",1,\"\"\"0110\"\"\",akzeptiert,akzeptiert,ja\n"), std::string::npos) << plain;
  EXPECT_NE(plain.find("\"\"\"1e5\"\"\""), std::string::npos);
  EXPECT_NE(plain.find("\n'" + half + ","), std::string::npos) << plain;  // a leading = made inert
  const std::string german = ReadAll(excel);
  EXPECT_EQ(german.rfind("\xEF\xBB\xBFprogramm;zeile;wort;erwartet;ergebnis;bestanden\r\n", 0), 0u);
  EXPECT_NE(german.find(ok + ";1;\"\"\"0110\"\"\";akzeptiert;akzeptiert;ja\r\n"), std::string::npos) << german;
  EXPECT_EQ(ReadAll(summary), "programm,bestanden,gesamt,punkte,erster fehler\n" + ok + ",2,2,100.0,\n'" + half +
                                  ",2,3,66.7,\"Zeile 2: 1 -> akzeptiert, erhalten nicht akzeptiert\"\n" + none +
                                  ",0,1,0.0,keine Testfälle\n")
      << ReadAll(summary);
  EXPECT_NE(ReadAll(summaryExcel).find("'" + half + ";2;3;66,7;"), std::string::npos);
}

// No case is no pass; a program from a pipe or a named pipe is graded like a file.
TEST(Grading, NoFalsePassAndPipesLikeFiles) {
  const std::string none = TempFile("ohne.txt", "e: a\na 0 -> a\n");
  Result r = RunArgs({"test", "--kind", "akz", none});
  EXPECT_EQ(r.code, 1);
  EXPECT_EQ(r.out, none + ": 0/0, keine Testfälle\n0 bestanden, 1 fehlgeschlagen\n");
  const std::string fifo = ::testing::TempDir() + "abgabe.fifo";
  std::remove(fifo.c_str());
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  std::thread writer([&fifo] { std::ofstream(fifo) << "; Test: 0 -> akzeptiert\ne: a\na 0 -> a\n"; });
  std::this_thread::sleep_for(std::chrono::milliseconds(100));  // the writer waits in its open
  r = RunArgs({"test", "--kind", "akz", fifo});
  writer.join();
  EXPECT_EQ(r.code, 0) << r.out << r.err;
  EXPECT_EQ(r.out, fifo + ": 1/1\n1 bestanden, 0 fehlgeschlagen\n");
  std::remove(fifo.c_str());
}

// The classic homework: the NEA made deterministic by hand, compared with the
// NEA, by options or by the files' own kind lines, and graded against it.
TEST(LanguageTools, AnNeaAgainstAnAcceptor) {
  const std::string neaBody = "A 0 -> A\nA 1 -> A\nA 1 -> 1\n1 0 -> E\n1 1 -> E\n";
  const std::string akzBody =
      "E: 2 3\na 0 -> a\na 1 -> 1\n1 0 -> 2\n1 1 -> 3\n2 0 -> a\n2 1 -> 1\n3 0 -> 2\n3 1 -> 3\n";
  const std::string nea = TempFile("hausaufgabe-nea.txt", neaBody);
  const std::string akz = TempFile("hausaufgabe-akz.txt", "; Test: 10 -> akzeptiert\n" + akzBody);
  Result r = RunArgs({"compare", "--kind-a", "nea", "--kind-b", "akz", nea, akz});
  EXPECT_EQ(r.code, 0) << r.err;
  EXPECT_EQ(r.out, "gleich\n");
  // The kind lines name the kinds; one wrong state and the counterexample.
  const std::string namedNea = TempFile("named-nea.txt", "; Art: NEA\n" + neaBody);
  std::string wrong = akzBody;
  wrong.replace(wrong.find("3 1 -> 3"), 8, "3 1 -> a");
  const std::string namedAkz = TempFile("named-akz.txt", "; Art: Akzeptor\n" + wrong);
  r = RunArgs({"compare", namedNea, namedAkz});
  EXPECT_EQ(r.code, 1) << r.err;
  EXPECT_EQ(r.out, "Gegenbeispiel: 111\nakzeptiert von " + namedNea + ", nicht von " + namedAkz + "\n");
  // A DEA is compared only with a DEA; a file without kind and no --kind is told.
  EXPECT_EQ(RunArgs({"compare", "--kind-a", "dea", "--kind-b", "akz", nea, akz}).code, 64);
  const Result unnamed = RunArgs({"compare", nea, akz});
  EXPECT_EQ(unnamed.code, 64);
  EXPECT_NE(unnamed.err.find("--kind fehlt"), std::string::npos);
  // An NEA as the reference for acceptor submissions.
  r = RunArgs({"test", "--kind", "akz", "--reference", namedNea, akz, namedAkz});
  EXPECT_EQ(r.code, 1) << r.err;
  EXPECT_EQ(r.out, akz + ": 2/2\n" + namedAkz +
                       ": 0/1, Sprache: Gegenbeispiel 111: nicht akzeptiert, die Referenz schon\n" +
                       "2 bestanden, 1 fehlgeschlagen\n");
}

// A file name is no program line: a line break in it stays inside the comment.
TEST(LanguageTools, ANameWithALineBreakStaysAComment) {
  const std::string nea = TempFile("name\nE: A.txt", "A 0 -> A\nA 1 -> 1\n1 0 -> E\n");
  const Result r = RunArgs({"convert", "--kind", "nea", nea});
  ASSERT_EQ(r.code, 0) << r.err;
  EXPECT_NE(r.out.find("; Akzeptor aus dem NEA " + ::testing::TempDir() + "name?E: A.txt\r\n"), std::string::npos)
      << r.out;
  EXPECT_EQ(r.out.find("\nE: A"), std::string::npos);
  // The acceptor accepts what the NEA accepts, and nothing more.
  const std::string akz = TempFile("name-akz.txt", r.out);
  EXPECT_EQ(RunArgs({"compare", "--kind-a", "nea", "--kind-b", "akz", nea, akz}).out, "gleich\n");
}

// A DEA is told apart by its outputs and by its verdict: which differs is said.
TEST(LanguageTools, DeaProgramsByOutputsAndVerdicts) {
  const std::string ends = TempFile("dea-ends.txt", "e: a\na 0 -> x 1\n1 0 -> y a\n");
  const std::string other = TempFile("dea-other.txt", "e: 1\na 0 -> x 1\n1 0 -> y a\n");
  Result r = RunArgs({"compare", "--kind", "dea", ends, other});
  EXPECT_EQ(r.code, 1);
  EXPECT_EQ(r.out, "Gegenbeispiel: \"\"\nAusgabe " + ends + ": \"\"\nAusgabe " + other + ": \"\"\nakzeptiert von " +
                       ends + ", nicht von " + other + "\n");
  EXPECT_EQ(RunArgs({"compare", "--kind", "dea", ends, ends}).out, "gleich\n");
}

// Against a reference, words over the reference's symbols: an extra line on a
// symbol it never reads fails no one, unless --alphabet names that symbol.
TEST(Grading, TheReferencesAlphabetByDefault) {
  const std::string reference = TempFile("ref01.txt", "e: a\na 0 -> a\na 1 -> 1\n1 1 -> a\n");
  const std::string extra =
      TempFile("extra.txt", "; Test: 11 -> akzeptiert\ne: a\na 0 -> a\na 1 -> 1\n1 1 -> a\na x -> a\n");
  Result r = RunArgs({"test", "--kind", "akz", "--reference", reference, extra});
  EXPECT_EQ(r.code, 0) << r.out;
  r = RunArgs({"test", "--kind", "akz", "--reference", reference, "--alphabet", "01x", extra});
  EXPECT_EQ(r.code, 1);
  EXPECT_NE(r.out.find("Sprache: Gegenbeispiel x: akzeptiert, die Referenz nicht"), std::string::npos) << r.out;
  EXPECT_EQ(RunArgs({"test", "--kind", "akz", "--alphabet", "01", extra}).code, 64);
}

// Words in the notation of a test line: quoted when empty or holding a blank, " or \.
TEST(Grading, WordsInTheNotationOfATestLine) {
  EXPECT_EQ(WordText(""), "\"\"");
  EXPECT_EQ(WordText("0110"), "0110");
  EXPECT_EQ(WordText("\"\""), "\"\\\"\\\"\"");  // two quotes are no empty word
  EXPECT_EQ(WordText("a b\\"), "\"a b\\\\\"");
  const TestSuite s = TestCasesOfProgram(
      {"; Test: \"\\\"\\\"\" -> akzeptiert", "; Test: \"a b\" -> Ausgabe \" y\"", "; Test: \"\" -> akzeptiert"});
  ASSERT_EQ(s.cases.size(), 3u);
  EXPECT_EQ(s.cases[0].word, "\"\"");
  EXPECT_EQ(s.cases[1].word, "a b");
  EXPECT_EQ(s.cases[1].value, " y");
  EXPECT_EQ(s.cases[2].word, "");
  for (const TestCase& c : s.cases)
    EXPECT_EQ(TestCasesOfProgram({"; Test: " + ToMachineText(WordText(c.word)) + " -> akzeptiert"}).cases.at(0).word,
              c.word);
}

TEST(Grading, ArgumentsAndTheSingleRunLeftAsItWas) {
  EXPECT_EQ(RunArgs({"test", "--kind", "akz"}).code, 64);
  EXPECT_EQ(RunArgs({"test", "x.txt"}).code, 64);
  EXPECT_EQ(RunArgs({"test", "--kind", "akz", "--jobs", "0", "x.txt"}).code, 64);
  EXPECT_EQ(RunArgs({"test", "--kind", "akz", "--tests", "/no/such/file", "x.txt"}).code, 66);
  // "test" names a subcommand only as the first argument.
  const std::string program = TempFile("test", "e: a\na 1 -> a\n");
  EXPECT_EQ(RunArgs({"--kind", "akz", "--tape", "11", program}).code, 0);
}

// ---- automaten-cli convert, minimize, compare -------------------------------------

TEST(LanguageTools, ConvertMinimizeAndCompareWithTheirExitCodes) {
  const std::string nea =
      TempFile("third.txt", "a 0 -> a\na 1 -> a\na 1 -> 1\n1 0 -> 2\n1 1 -> 2\n2 0 -> e\n2 1 -> e\n");
  Result r = RunArgs({"convert", "--kind", "nea", nea});
  ASSERT_EQ(r.code, 0) << r.err;
  EXPECT_NE(r.out.find("; 3 = {A,1,2}\r\n"), std::string::npos) << r.out;  // CR LF, as the file writer writes
  EXPECT_NE(r.out.find("E: 4 5 6 7\r\n"), std::string::npos);
  const std::string akz = TempFile("third-akz.txt", r.out);
  EXPECT_EQ(RunArgs({"compare", "--kind", "akz", akz, akz}).out, "gleich\n");

  // Six states for divisibility by 3 become three.
  const std::string six = TempFile("six.txt",
                                   "e: a 3\na 0 -> 3\na 1 -> 1\n1 0 -> 2\n1 1 -> 3\n2 0 -> 1\n2 1 -> 2\n3 0 -> a\n"
                                   "3 1 -> 4\n4 0 -> 5\n4 1 -> a\n5 0 -> 4\n5 1 -> 5\n");
  r = RunArgs({"minimize", "--kind", "akz", six});
  ASSERT_EQ(r.code, 0);
  EXPECT_NE(r.out.find("; 2 = 2 5\r\nE: A\r\n"), std::string::npos) << r.out;
  const std::string min = TempFile("min.txt", r.out);
  r = RunArgs({"compare", "--kind", "akz", six, min});
  EXPECT_EQ(r.code, 0);
  EXPECT_EQ(r.out, "gleich\n");

  // A mistake on "10": the shortest word, and who accepts it.
  const std::string wrong = TempFile("wrong.txt", "e: a\na 0 -> a\na 1 -> 1\n1 0 -> a\n1 1 -> a\n2 0 -> 1\n2 1 -> 2\n");
  r = RunArgs({"compare", "--kind", "akz", six, wrong});
  EXPECT_EQ(r.code, 1);
  EXPECT_EQ(r.out, "Gegenbeispiel: 10\nakzeptiert von " + wrong + ", nicht von " + six + "\n");

  // DEA programs by their outputs.
  const std::string copy = TempFile("copy.txt", "a 0 -> 0 a\na 1 -> 1 a\n");
  const std::string swap = TempFile("swap.txt", "a 0 -> 0 a\na 1 -> 1 1\n1 1 -> 0 a\n1 0 -> 0 a\n");
  r = RunArgs({"compare", "--kind", "dea", copy, swap});
  EXPECT_EQ(r.code, 1);
  EXPECT_EQ(r.out, "Gegenbeispiel: 11\nAusgabe " + copy + ": 11\nAusgabe " + swap + ": 10\n");

  // Kinds the tools do not decide, faults, bad arguments, unreadable files.
  r = RunArgs({"compare", "--kind", "tm", copy, swap});
  EXPECT_EQ(r.code, 64);
  EXPECT_NE(r.err.find("Turingmaschine"), std::string::npos);
  EXPECT_EQ(RunArgs({"compare", "--kind", "ka", copy, swap}).code, 64);
  EXPECT_EQ(RunArgs({"convert", "--kind", "akz", six}).code, 64);
  EXPECT_EQ(RunArgs({"compare", "--kind", "akz", six}).code, 64);
  const Result fault = RunArgs({"minimize", "--kind", "akz", TempFile("bad.txt", "a 1 ->\n")});
  EXPECT_EQ(fault.code, 2);
  EXPECT_NE(fault.err.find("Fehler: falsches Befehlsformat in Befehl 1"), std::string::npos);
  EXPECT_EQ(RunArgs({"minimize", "--kind", "akz", "/no/such/file"}).code, 66);
}

}  // namespace
}  // namespace automaten
