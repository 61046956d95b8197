// automaten-cli: the simulation without a window, for scripts and grading.
#include <iostream>

#include "cli_runner.h"

int main(int argc, char** argv) {
  std::ios::sync_with_stdio(false);
  std::vector<std::string> args(argv + 1, argv + argc);
  return automaten::RunCli(args, std::cin, std::cout, std::cerr);
}
