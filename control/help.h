// The operating guide of "Anleitung" and the text of "Info", the same for
// the window and the web page.
#pragma once

#include <string>

namespace automaten {

// The guide's lines in UTF-8, joined with '\n'.
std::string HelpText();
std::string AboutText();

}  // namespace automaten
