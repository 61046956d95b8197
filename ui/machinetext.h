// Machine text is Windows-1252 bytes; widgets hold QString. These two convert
// at the widget's edge.
#pragma once

#include <QString>
#include <string>

namespace automaten {

QString FromMachine(const std::string& bytes);
// Characters the code page cannot hold become '?'.
std::string ToMachine(const QString& text);

}  // namespace automaten
