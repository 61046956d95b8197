// A row of the change-prompt tables: a command, the answer given to
// "Datei wurde geändert. Speichern?", and whether the command went on.
#pragma once

#include <gtest/gtest.h>

#include <ostream>
#include <string>

#include "control/view.h"

namespace automaten::testing {

struct PromptCase {
  const char* command;
  Answer answer;
  bool named;   // the program has a file, so "&Ja" saves without a dialog
  bool goesOn;  // the command carried on
};

inline void PrintTo(const PromptCase& c, std::ostream* os) { *os << c.command; }

inline std::string PromptName(const ::testing::TestParamInfo<PromptCase>& i) {
  const char* answers[] = {"Ja", "Nein", "Abbrechen"};
  return std::string(i.param.command) + answers[static_cast<int>(i.param.answer)] +
         (i.param.named ? "Named" : "Unnamed");
}

}  // namespace automaten::testing
