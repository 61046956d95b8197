#include "testcases.h"

#include "control/simulation.h"
#include "control/stringview.h"
#include "engine/encoding.h"
#include "engine/text.h"

namespace automaten {

namespace {

// A word as a case writes it: "" is the empty word.
std::string Word(const std::string& text) { return text == "\"\"" ? "" : text; }

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
  std::string digits = std::to_string(n), out;
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

std::string ExpectationText(const TestCase& c) {
  const auto word = [](const std::string& w) { return w.empty() ? std::string("\"\"") : Cp1252ToUtf8(w); };
  switch (c.expect) {
    case TestCase::Expect::Accepted: return "akzeptiert";
    case TestCase::Expect::NotAccepted: return "nicht akzeptiert";
    case TestCase::Expect::Output: return "Ausgabe " + word(c.value);
    case TestCase::Expect::Value: return "Wert " + Cp1252ToUtf8(c.value);
    case TestCase::Expect::Endless: break;
  }
  return "Endlosschleife";
}

CaseResult RunTestCase(MachineKind kind, const std::string& program, const TestCase& c, unsigned long long maxSteps) {
  StringView view;
  Simulation sim(view);
  sim.KeepHistory(false);
  sim.SetLoopCheck(true);
  sim.SetTapeWidth(60);  // as automaten-cli without --width
  sim.SelectKind(kind);
  view.SetProgramText(program);
  view.SetFieldText(Field::EBand, c.word);
  sim.StartOrStop();
  sim.RunTicks(maxSteps);

  CaseResult r;
  const RunOutcome outcome = sim.Outcome();
  bool halted = true;
  switch (outcome.kind) {
    case RunOutcome::Kind::ParseFault: r.got = "Fehler im Programm: " + Cp1252ToUtf8(outcome.faults.front()); return r;
    case RunOutcome::Kind::Accepted: r.got = "akzeptiert"; break;
    case RunOutcome::Kind::FunctionValue: r.got = "Wert " + Cp1252ToUtf8(outcome.value); break;
    case RunOutcome::Kind::NotAccepted:
      r.got = kind == MachineKind::TM ? "Wert undefiniert" : "nicht akzeptiert";
      break;
    case RunOutcome::Kind::EndlessLoop: r.got = "Endlosschleife"; break;
    case RunOutcome::Kind::Running:
      halted = !sim.Running();
      // Stopped without a verdict (in the error state F) counts as not accepted.
      r.got = halted ? "nicht akzeptiert" : "nach " + Grouped(maxSteps) + " Schritten nicht angehalten";
      break;
  }
  const bool green = outcome.kind == RunOutcome::Kind::Accepted || outcome.kind == RunOutcome::Kind::FunctionValue;
  switch (c.expect) {
    case TestCase::Expect::Accepted: r.passed = green; break;
    case TestCase::Expect::NotAccepted:
      r.passed = halted && !green && outcome.kind != RunOutcome::Kind::EndlessLoop;
      break;
    case TestCase::Expect::Endless: r.passed = outcome.kind == RunOutcome::Kind::EndlessLoop; break;
    case TestCase::Expect::Value:
      r.passed = outcome.kind == RunOutcome::Kind::FunctionValue && outcome.value == c.value;
      break;
    case TestCase::Expect::Output: {
      const std::string output = TrimRight(view.FieldText(Field::EAusgabe));
      if (halted && outcome.kind != RunOutcome::Kind::EndlessLoop) {
        r.got = "Ausgabe " + (output.empty() ? std::string("\"\"") : Cp1252ToUtf8(output));
        r.passed = output == TrimRight(c.value);
      }
      break;
    }
  }
  return r;
}

}  // namespace automaten
