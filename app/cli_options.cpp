#include "cli_options.h"

#include <getopt.h>

#include <cerrno>
#include <cstring>

namespace automaten {

#ifndef AUTOMATEN_VERSION
#define AUTOMATEN_VERSION "1.0"
#endif
namespace {
const char kCliVersion[] = "automaten-cli " AUTOMATEN_VERSION;  // "automaten-cli 1.0"
}  // namespace

std::string ReadOptions(const std::vector<std::string>& args, const std::vector<CliOption>& options,
                        const std::function<std::string(const std::string& name, const std::string& value)>& take,
                        std::vector<std::string>& operands, CliRequest& request) {
  request = CliRequest::Run;
  std::vector<option> table;
  for (const CliOption& o : options)
    table.push_back({o.name, o.takesValue ? required_argument : no_argument, nullptr, 0});
  const int kHelp = 1000, kVersion = 1001;
  table.push_back({"help", no_argument, nullptr, kHelp});
  table.push_back({"version", no_argument, nullptr, kVersion});
  table.push_back({nullptr, 0, nullptr, 0});
  for (std::size_t i = 0; i < options.size(); ++i) table[i].val = static_cast<int>(i) + 2000;

  std::vector<std::string> copies = args;
  std::string name = "automaten-cli";
  std::vector<char*> argv{name.data()};
  for (std::string& a : copies) argv.push_back(a.data());
  argv.push_back(nullptr);
  const int argc = static_cast<int>(argv.size()) - 1;

  optind = 0;  // start anew: the runner may be called more than once in a process
  opterr = 0;  // the problems are told here, in German
  for (int index = -1;; index = -1) {
    const int c = getopt_long(argc, argv.data(), ":h", table.data(), &index);
    if (c == -1) break;
    const std::string given = optind > 0 && optind <= argc ? argv[static_cast<std::size_t>(optind) - 1] : "";
    if (c == 'h' || c == kHelp) {
      request = CliRequest::Help;
      return "";
    }
    if (c == kVersion) {
      request = CliRequest::Version;
      return "";
    }
    if (c == ':') return given.substr(0, given.find('=')) + " braucht einen Wert";
    if (c == '?') return "unbekannte Option '" + given + "'";
    const CliOption& o = options[static_cast<std::size_t>(c - 2000)];
    const std::string problem = take(o.name, o.takesValue && optarg != nullptr ? optarg : "");
    if (!problem.empty()) return problem;
  }
  for (int i = optind; i < argc; ++i) operands.emplace_back(argv[static_cast<std::size_t>(i)]);
  return "";
}

bool AnswerRequest(CliRequest request, const char* usage, std::ostream& out) {
  if (request == CliRequest::Help) out << usage;
  if (request == CliRequest::Version) out << kCliVersion << "\n";
  return request != CliRequest::Run;
}

std::string UnknownKind(const std::string& value) {
  return "unbekannte Maschinenart '" + value + "' (dea, akz, nea, ka oder tm)";
}

bool ParseDecimal(const std::string& s, unsigned long long limit, unsigned long long& value) {
  if (s.empty() || s.size() > 20) return false;
  value = 0;
  for (char c : s) {
    if (c < '0' || c > '9') return false;
    const unsigned digit = static_cast<unsigned>(c - '0');
    if (value > (limit - digit) / 10) return false;
    value = value * 10 + digit;
  }
  return true;
}

}  // namespace automaten
