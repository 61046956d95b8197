#include "testcases.h"

#include "control/headless.h"
#include "engine/encoding.h"
#include "engine/text.h"

namespace automaten {

namespace {

// A word as a case writes it: bare, or in double quotes with \" and \\ inside
// ("" is the empty word, " y" starts with a blank).
std::string Word(const std::string& text) {
  if (text.size() < 2 || text.front() != '"' || text.back() != '"') return text;
  std::string word;
  for (std::size_t i = 1; i + 1 < text.size(); ++i) {
    if (text[i] == '\\' && i + 2 < text.size() && (text[i + 1] == '"' || text[i + 1] == '\\')) ++i;
    word += text[i];
  }
  return word;
}

// Whether `text` starts with the keyword and then a blank or its end; the rest trimmed.
bool Keyword(const std::string& text, const std::string& keyword, std::string& rest) {
  if (UpperCase(text.substr(0, keyword.size())) != UpperCase(keyword)) return false;
  if (text.size() > keyword.size() && text[keyword.size()] != ' ' && text[keyword.size()] != '\t') return false;
  rest = Trim(text.substr(keyword.size()));
  return true;
}

// One "WORT -> ERWARTUNG"; false with the reason.
bool ParseCase(const std::string& text, TestCase& c, std::string& reason) {
  const std::size_t arrow = text.rfind("->");
  if (arrow == std::string::npos) {
    reason = "kein \"->\" zwischen Wort und Erwartung";
    return false;
  }
  c.word = Word(Trim(text.substr(0, arrow)));
  const std::string expected = Trim(text.substr(arrow + 2));
  std::string rest;
  if (Keyword(expected, "nicht akzeptiert", rest) && rest.empty()) {
    c.expect = TestCase::Expect::NotAccepted;
  } else if (Keyword(expected, "akzeptiert", rest) && rest.empty()) {
    c.expect = TestCase::Expect::Accepted;
  } else if (Keyword(expected, "endlosschleife", rest) && rest.empty()) {
    c.expect = TestCase::Expect::Endless;
  } else if (Keyword(expected, "ausgabe", rest)) {
    if (rest.empty()) {
      reason = "nach \"Ausgabe\" fehlt das Wort (\"\" für das leere)";
      return false;
    }
    c.expect = TestCase::Expect::Output;
    c.value = Word(rest);
  } else if (Keyword(expected, "wert", rest)) {
    if (rest.empty()) {
      reason = "nach \"Wert\" fehlt der Funktionswert";
      return false;
    }
    c.expect = TestCase::Expect::Value;
    c.value = rest;
  } else {
    reason = "unbekannte Erwartung \"" + Cp1252ToUtf8(expected) +
             "\" (akzeptiert, nicht akzeptiert, Ausgabe WORT, Wert N oder Endlosschleife)";
    return false;
  }
  return true;
}

void Add(TestSuite& suite, const std::string& text, int line) {
  TestCase c;
  c.line = line;
  std::string reason;
  if (ParseCase(text, c, reason))
    suite.cases.push_back(c);
  else
    suite.faults.push_back({line, reason});
}

// 1000000 as "1.000.000".
std::string Grouped(unsigned long long n) {
  std::string digits = Decimal(n), out;
  for (std::size_t i = 0; i < digits.size(); ++i) {
    if (i > 0 && (digits.size() - i) % 3 == 0) out += '.';
    out += digits[i];
  }
  return out;
}

std::string TrimRight(std::string s) {
  while (!s.empty() && s.back() == ' ') s.pop_back();
  return s;
}

}  // namespace

TestSuite TestCasesOfProgram(const std::vector<std::string>& lines) {
  TestSuite suite;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    const std::string line = Trim(lines[i]);
    if (line.empty() || line[0] != ';') continue;
    const std::string comment = Trim(line.substr(1));
    if (UpperCase(comment.substr(0, 5)) == "TEST:") Add(suite, Trim(comment.substr(5)), static_cast<int>(i) + 1);
  }
  return suite;
}

TestSuite TestCasesOfFile(const std::vector<std::string>& lines) {
  TestSuite suite;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    const std::string line = Trim(lines[i]);
    if (line.empty() || line[0] == ';') continue;
    Add(suite, line, static_cast<int>(i) + 1);
  }
  return suite;
}

std::string WordText(const std::string& machineWord) {
  if (!machineWord.empty() && machineWord.find_first_of(" \"\\") == std::string::npos) return Cp1252ToUtf8(machineWord);
  std::string quoted = "\"";
  for (char c : machineWord) {
    if (c == '"' || c == '\\') quoted += '\\';
    quoted += c;
  }
  return Cp1252ToUtf8(quoted + "\"");
}

std::string ExpectationText(const TestCase& c) {
  switch (c.expect) {
    case TestCase::Expect::Accepted: return "akzeptiert";
    case TestCase::Expect::NotAccepted: return "nicht akzeptiert";
    case TestCase::Expect::Output: return "Ausgabe " + WordText(c.value);
    case TestCase::Expect::Value: return "Wert " + Cp1252ToUtf8(c.value);
    case TestCase::Expect::Endless: break;
  }
  return "Endlosschleife";
}

CaseRunner::CaseRunner(MachineKind kind, std::string program, unsigned long long maxSteps)
    : kind_(kind), program_(std::move(program)), maxSteps_(maxSteps) {}

CaseRunner::~CaseRunner() = default;

std::uint64_t CaseRunner::Parses() const { return run_ ? run_->Parses() : 0; }

CaseResult RunTestCase(MachineKind kind, const std::string& program, const TestCase& c, unsigned long long maxSteps) {
  return CaseRunner(kind, program, maxSteps).Run(c);
}

CaseResult CaseRunner::Run(const TestCase& c) {
  if (run_) {
    run_->Restart(c.word);
  } else {
    HeadlessSetup setup;
    setup.kind = kind_;
    setup.program = program_;
    setup.tape = c.word;
    run_ = std::make_unique<HeadlessRun>(setup);
  }
  HeadlessRun& run = *run_;
  const MachineKind kind = kind_;
  const unsigned long long maxSteps = maxSteps_;
  const RunOutcome outcome = run.Run(maxSteps);

  using Result = RunOutcome::Result;
  CaseResult r;
  switch (outcome.result) {
    case Result::ParseFault: r.got = "Fehler im Programm: " + Cp1252ToUtf8(outcome.faults.front()); return r;
    case Result::Accepted: r.got = "akzeptiert"; break;
    case Result::FunctionValue: r.got = "Wert " + Cp1252ToUtf8(outcome.value); break;
    case Result::NotAccepted: r.got = kind == MachineKind::TM ? "Wert undefiniert" : "nicht akzeptiert"; break;
    case Result::EndlessRun: r.got = "Endlosschleife"; break;
    case Result::ErrorState:
    case Result::Stopped: r.got = "nicht akzeptiert"; break;
    case Result::Running: r.got = "nach " + Grouped(maxSteps) + " Schritten nicht angehalten"; break;
  }
  // Stopped without a verdict (in the error state F) counts as not accepted.
  const bool halted = outcome.Halted() || outcome.result == Result::Stopped;
  switch (c.expect) {
    case TestCase::Expect::Accepted: r.passed = outcome.Green(); break;
    case TestCase::Expect::NotAccepted: r.passed = halted && !outcome.Green(); break;
    case TestCase::Expect::Endless: r.passed = outcome.result == Result::EndlessRun; break;
    case TestCase::Expect::Value: r.passed = outcome.result == Result::FunctionValue && outcome.value == c.value; break;
    case TestCase::Expect::Output: {
      const std::string output = TrimRight(run.Screen().FieldText(Field::EAusgabe));
      if (halted) {
        r.got = "Ausgabe " + WordText(output);
        r.passed = output == TrimRight(c.value);
      }
      break;
    }
  }
  return r;
}

std::string TestSummaryText(int passed, int failed) {
  return Decimal(passed) + " bestanden, " + Decimal(failed) + " fehlgeschlagen";
}

const char kTestsRunning[] = "Läuft ...";
const char kNoTestCases[] = "Keine Testfälle: Zeilen wie \"; Test: 0110 -> akzeptiert\" im Programm.";
const char kTestsStale[] = "veraltet: ";

}  // namespace automaten
