// automaten-cli: runs one machine program without a window, the way a user
// would ("Starten" and the timer until the run stops), and prints what the
// window would show.
#pragma once

#include <iosfwd>
#include <string>
#include <vector>

namespace automaten {

// Exit codes of the runner.
enum CliExit : int {
  kExitAccepted = 0,  // green verdict: accepted, or a function value
  kExitRejected = 1,  // red verdict, or stopped without a verdict
  kExitParseFault = 2,
  kExitStillRunning = 3,  // the step bound was reached
  kExitEndless = 4,       // an endless run was proved
  kExitUsage = 64,
  kExitTooLarge = 65,  // a diagram too large to lay out
  kExitNoInput = 66,
  kExitOutput = 74,  // standard output could not be written
};

// args without the program name; in is read for the program "-". With
// "test" first, the rest grades programs (RunGrading).
int RunCli(const std::vector<std::string>& args, std::istream& in, std::ostream& out, std::ostream& err);

// automaten-cli test: every program against its own test cases or those of
// a test file, on several threads; a line per program, JUnit XML and CSV.
int RunGrading(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

// automaten-cli convert | minimize | compare: the language tools of the
// finite kinds (`tool` is the subcommand, `args` what follows it).
int RunLanguageTool(const std::string& tool, const std::vector<std::string>& args, std::ostream& out,
                    std::ostream& err);

}  // namespace automaten
