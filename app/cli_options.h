// What every form of the command line shares: its options read by
// getopt_long (so "--name VALUE", "--name=VALUE", an unambiguous shortening
// of a name, and "--" before operands that start with "-"), the German texts
// of its problems, and the version.
#pragma once

#include <functional>
#include <ostream>
#include <string>
#include <vector>

namespace automaten {

struct CliOption {
  const char* name;  // without the dashes
  bool takesValue;
};

// What the arguments asked for: the help (--help, -h), the version, or a run.
enum class CliRequest { Run, Help, Version };

// Reads `args` against `options`: `take(name, value)` for every option in
// their order (its problem, German, or empty), the rest into `operands`.
// --help, -h and --version are known to every form. Returns the first
// problem, or empty.
std::string ReadOptions(const std::vector<std::string>& args, const std::vector<CliOption>& options,
                        const std::function<std::string(const std::string& name, const std::string& value)>& take,
                        std::vector<std::string>& operands, CliRequest& request);

// Prints the help (`usage`) or the version the arguments asked for; true
// when it did, and the command ends with 0.
bool AnswerRequest(CliRequest request, const char* usage, std::ostream& out);

// The problem of a --kind value that names no kind.
std::string UnknownKind(const std::string& value);

// A decimal number up to `limit`, digits only.
bool ParseDecimal(const std::string& s, unsigned long long limit, unsigned long long& value);

}  // namespace automaten
