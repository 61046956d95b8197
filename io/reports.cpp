#include "reports.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <sstream>

#include "engine/encoding.h"
#include "engine/text.h"

namespace automaten {

namespace {

const char kReplacement[] = "\xEF\xBF\xBD";  // U+FFFD

// Text XML 1.0 may hold: control characters other than tab, line feed and
// carriage return, and U+FFFE and U+FFFF, become U+FFFD. In attributes the
// three kept ones are written as references, so that a reader keeps them.
std::string Xml(const std::string& bytes, bool attribute) {
  const std::string s = ReportText(bytes);
  std::string x;
  x.reserve(s.size());
  for (std::size_t i = 0; i < s.size(); ++i) {
    const unsigned char c = static_cast<unsigned char>(s[i]);
    if (c == 0xEF && i + 2 < s.size() && static_cast<unsigned char>(s[i + 1]) == 0xBF &&
        (static_cast<unsigned char>(s[i + 2]) == 0xBE || static_cast<unsigned char>(s[i + 2]) == 0xBF)) {
      x += kReplacement;
      i += 2;
      continue;
    }
    switch (c) {
      case '&': x += "&amp;"; break;
      case '<': x += "&lt;"; break;
      case '>': x += "&gt;"; break;
      case '"': x += "&quot;"; break;
      case '\t': x += attribute ? "&#9;" : "\t"; break;
      case '\n': x += attribute ? "&#10;" : "\n"; break;
      case '\r': x += "&#13;"; break;
      default: x += c < 0x20 || c == 0x7F ? std::string(kReplacement) : std::string(1, static_cast<char>(c));
    }
  }
  return x;
}

std::string Seconds(double s) {
  char text[32];
  std::snprintf(text, sizeof text, "%.6f", s);
  return text;
}

// The class a CI server groups a program's cases under: its path without
// the ending, dots replaced (Jenkins reads a dot as a package's end).
std::string ClassName(const std::string& path) {
  std::string name = path;
  const std::size_t slash = name.find_last_of('/');
  const std::size_t dot = name.find_last_of('.');
  if (dot != std::string::npos && (slash == std::string::npos || dot > slash + 1)) name.erase(dot);
  std::replace(name.begin(), name.end(), '.', '_');
  return name;
}

// One CSV cell: UTF-8 without control characters other than line ends,
// and inert in a spreadsheet (a leading =, +, -, @, tab or carriage return
// would start a formula).
std::string Cell(const std::string& bytes, CsvForm form) {
  std::string s;
  for (const char c : ReportText(bytes)) {
    const auto u = static_cast<unsigned char>(c);
    if ((u < 0x20 && c != '\n' && c != '\r' && c != '\t') || u == 0x7F)
      s += kReplacement;
    else
      s += c;
  }
  if (!s.empty() && std::string("=+-@\t\r").find(s[0]) != std::string::npos) s.insert(0, "'");
  const char separator = form == CsvForm::Plain ? ',' : ';';
  if (s.find_first_of(std::string(1, separator) + "\"\n\r") == std::string::npos) return s;
  std::string q = "\"";
  for (char c : s) q += c == '"' ? std::string("\"\"") : std::string(1, c);
  return q + "\"";
}

// A word in the quotes of a test line: a spreadsheet keeps it as text.
std::string QuotedWord(const CaseReport& c) {
  if (c.line == 0 || c.word.rfind('"', 0) == 0) return c.word;  // the row "Sprache", a word quoted already
  return "\"" + c.word + "\"";
}

class Table {
 public:
  explicit Table(CsvForm form) : form_(form) {
    if (form_ == CsvForm::Spreadsheet) text_ = "\xEF\xBB\xBF";
  }
  Table& operator<<(const std::string& cell) {
    if (!first_) text_ += form_ == CsvForm::Plain ? ',' : ';';
    text_ += Cell(cell, form_);
    first_ = false;
    return *this;
  }
  void EndRow() {
    text_ += form_ == CsvForm::Plain ? "\n" : "\r\n";
    first_ = true;
  }
  const std::string& Text() const { return text_; }

 private:
  CsvForm form_;
  std::string text_;
  bool first_ = true;
};

}  // namespace

std::string ReportText(const std::string& bytes) { return IsValidUtf8(bytes) ? bytes : Cp1252ToUtf8(bytes); }

std::size_t ProgramReport::Passed() const {
  return static_cast<std::size_t>(
      std::count_if(cases.begin(), cases.end(), [](const CaseReport& c) { return c.passed; }));
}

const CaseReport* ProgramReport::FirstFailure() const {
  for (const CaseReport& c : cases)
    if (!c.passed) return &c;
  return nullptr;
}

std::string ProgramReport::FirstProblem() const {
  if (!unreadable.empty()) return "nicht lesbar: " + unreadable;
  if (!fault.empty()) return fault;
  if (NoCases()) return "keine Testfälle";
  if (!lineFaults.empty()) return "Zeile " + Decimal(lineFaults.front().line) + ": " + lineFaults.front().reason;
  const CaseReport* c = FirstFailure();
  if (c == nullptr) return "";
  if (c->line == 0) return "Sprache: " + c->got;
  return "Zeile " + Decimal(c->line) + ": " + c->word + " -> " + c->expected + ", erhalten " + c->got;
}

std::string JUnitReport(const std::vector<ProgramReport>& reports) {
  std::size_t tests = 0, failures = 0, errors = 0;
  double seconds = 0;
  std::ostringstream suites;
  for (const ProgramReport& p : reports) {
    const std::string classname = Xml(ClassName(p.name), true);
    std::ostringstream body;  // the cases; the suite's counts go before them
    const auto open = [&](const std::string& name, int line, double time) {
      body << "    <testcase name=\"" << Xml(name, true) << "\" classname=\"" << classname << "\" time=\""
           << Seconds(time) << "\"";
      if (line > 0) body << "><properties><property name=\"zeile\" value=\"" << line << "\"/></properties>";
      return line > 0;
    };
    const auto problem = [&](const char* element, const std::string& text, bool opened) {
      if (!opened) body << ">";
      body << "<" << element << " message=\"" << Xml(text, true) << "\">" << Xml(text, false) << "</" << element
           << "></testcase>\n";
    };
    std::size_t suiteTests = 0, suiteFailures = 0, suiteErrors = 0;
    double suiteSeconds = 0;
    if (!p.unreadable.empty()) {
      problem("error", "nicht lesbar: " + p.unreadable, open("Datei", 0, 0));
      suiteTests = suiteErrors = 1;
    } else if (p.NoCases()) {
      problem("failure", p.fault.empty() ? "keine Testfälle" : p.fault, open("keine Testfälle", 0, 0));
      suiteTests = suiteFailures = 1;
    }
    for (const LineReport& f : p.lineFaults) {
      problem("failure", f.reason, open("Zeile " + Decimal(f.line), f.line, 0));
      ++suiteTests;
      ++suiteFailures;
    }
    for (const CaseReport& c : p.cases) {
      const bool opened = open(c.line == 0 ? c.word : c.word + " -> " + c.expected, c.line, c.seconds);
      suiteSeconds += c.seconds;
      ++suiteTests;
      if (c.passed) {
        body << (opened ? "</testcase>\n" : "/>\n");
      } else if (!p.fault.empty()) {
        problem("error", p.fault, opened);  // the program never ran
        ++suiteErrors;
      } else {
        problem("failure", "erwartet " + c.expected + ", erhalten " + c.got, opened);
        ++suiteFailures;
      }
    }
    suites << "  <testsuite name=\"" << Xml(p.name, true) << "\" tests=\"" << suiteTests << "\" failures=\""
           << suiteFailures << "\" errors=\"" << suiteErrors << "\" time=\"" << Seconds(suiteSeconds) << "\">\n"
           << body.str() << "  </testsuite>\n";
    tests += suiteTests;
    failures += suiteFailures;
    errors += suiteErrors;
    seconds += suiteSeconds;
  }
  return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<testsuites tests=\"" + Decimal(tests) + "\" failures=\"" +
         Decimal(failures) + "\" errors=\"" + Decimal(errors) + "\" time=\"" + Seconds(seconds) + "\">\n" +
         suites.str() + "</testsuites>\n";
}

std::string CsvReport(const std::vector<ProgramReport>& reports, CsvForm form) {
  Table t(form);
  t << "programm"
    << "zeile"
    << "wort"
    << "erwartet"
    << "ergebnis"
    << "bestanden";
  t.EndRow();
  for (const ProgramReport& p : reports) {
    if (!p.unreadable.empty() || p.NoCases()) {
      t << p.name << ""
        << ""
        << "" << p.FirstProblem() << "nein";
      t.EndRow();
    }
    for (const LineReport& f : p.lineFaults) {
      t << p.name << Decimal(f.line) << ""
        << "" << f.reason << "nein";
      t.EndRow();
    }
    for (const CaseReport& c : p.cases) {
      t << p.name << (c.line == 0 ? std::string() : Decimal(c.line)) << QuotedWord(c) << c.expected << c.got
        << (c.passed ? "ja" : "nein");
      t.EndRow();
    }
  }
  return t.Text();
}

std::string SummaryReport(const std::vector<ProgramReport>& reports, CsvForm form) {
  Table t(form);
  t << "programm"
    << "bestanden"
    << "gesamt"
    << "punkte"
    << "erster fehler";
  t.EndRow();
  for (const ProgramReport& p : reports) {
    const std::size_t total = p.unreadable.empty() ? std::max<std::size_t>(p.Total(), 1) : 1;
    const std::size_t passed = p.Passed();
    const double points = std::round(1000.0 * static_cast<double>(passed) / static_cast<double>(total)) / 10;
    char percent[16];
    std::snprintf(percent, sizeof percent, "%.1f", points);
    std::string shown = percent;
    if (form == CsvForm::Spreadsheet) std::replace(shown.begin(), shown.end(), '.', ',');
    t << p.name << Decimal(passed) << Decimal(total) << shown << p.FirstProblem();
    t.EndRow();
  }
  return t.Text();
}

}  // namespace automaten
