// Machine text is Windows-1252 bytes; widgets hold QString. These two convert
// at the widget's edge.
#pragma once

#include <QString>
#include <string>

namespace automaten {

QString FromMachine(const std::string& bytes);
// Characters the code page cannot hold become '?'.
std::string ToMachine(const QString& text);
// A program line as the parser reads it: such characters become the parser's fault.
std::string ProgramLineToMachine(const QString& line);

}  // namespace automaten
