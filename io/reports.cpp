#include "reports.h"

#include <algorithm>
#include <sstream>

namespace automaten {

namespace {

std::string Xml(const std::string& s) {
  std::string x;
  for (char c : s) {
    switch (c) {
      case '&': x += "&amp;"; break;
      case '<': x += "&lt;"; break;
      case '>': x += "&gt;"; break;
      case '"': x += "&quot;"; break;
      default: x += c;
    }
  }
  return x;
}

std::string Csv(const std::string& s) {
  if (s.find_first_of(",\"\n") == std::string::npos) return s;
  std::string q = "\"";
  for (char c : s) q += c == '"' ? std::string("\"\"") : std::string(1, c);
  return q + "\"";
}

}  // namespace

std::size_t ProgramReport::Passed() const {
  return static_cast<std::size_t>(
      std::count_if(cases.begin(), cases.end(), [](const CaseReport& c) { return c.passed; }));
}

const CaseReport* ProgramReport::FirstFailure() const {
  for (const CaseReport& c : cases)
    if (!c.passed) return &c;
  return nullptr;
}

std::string JUnitReport(const std::vector<ProgramReport>& reports) {
  std::size_t tests = 0, failures = 0, errors = 0;
  std::ostringstream suites;
  for (const ProgramReport& p : reports) {
    const bool broken = !p.unreadable.empty();
    const std::size_t failed = p.Total() - p.Passed();
    tests += broken ? 1 : p.Total();
    failures += broken ? 0 : failed;
    errors += broken ? 1 : 0;
    suites << "  <testsuite name=\"" << Xml(p.name) << "\" tests=\"" << (broken ? 1 : p.Total()) << "\" failures=\""
           << (broken ? 0 : failed) << "\" errors=\"" << (broken ? 1 : 0) << "\">\n";
    if (broken)
      suites << "    <testcase name=\"Datei\" classname=\"" << Xml(p.name) << "\"><error message=\""
             << Xml("nicht lesbar: " + p.unreadable) << "\"/></testcase>\n";
    for (const LineReport& f : p.lineFaults)
      suites << "    <testcase name=\"Zeile " << f.line << "\" classname=\"" << Xml(p.name) << "\"><failure message=\""
             << Xml(f.reason) << "\"/></testcase>\n";
    for (const CaseReport& c : p.cases) {
      suites << "    <testcase name=\""
             << Xml(c.line == 0 ? c.word : "Zeile " + std::to_string(c.line) + ": " + c.word + " -> " + c.expected)
             << "\" classname=\"" << Xml(p.name) << "\"";
      if (c.passed)
        suites << "/>\n";
      else
        suites << "><failure message=\"" << Xml("erwartet " + c.expected + ", erhalten " + c.got)
               << "\"/></testcase>\n";
    }
    suites << "  </testsuite>\n";
  }
  return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<testsuites tests=\"" + std::to_string(tests) + "\" failures=\"" +
         std::to_string(failures) + "\" errors=\"" + std::to_string(errors) + "\">\n" + suites.str() +
         "</testsuites>\n";
}

std::string CsvReport(const std::vector<ProgramReport>& reports) {
  std::string csv = "programm,zeile,wort,erwartet,ergebnis,bestanden\n";
  for (const ProgramReport& p : reports) {
    if (!p.unreadable.empty()) csv += Csv(p.name) + ",,,," + Csv("nicht lesbar: " + p.unreadable) + ",nein\n";
    for (const LineReport& f : p.lineFaults)
      csv += Csv(p.name) + "," + std::to_string(f.line) + ",,," + Csv(f.reason) + ",nein\n";
    for (const CaseReport& c : p.cases)
      csv += Csv(p.name) + "," + (c.line == 0 ? std::string() : std::to_string(c.line)) + "," + Csv(c.word) + "," +
             Csv(c.expected) + "," + Csv(c.got) + "," + (c.passed ? "ja" : "nein") + "\n";
  }
  return csv;
}

}  // namespace automaten
