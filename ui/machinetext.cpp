#include "machinetext.h"

#include "engine/encoding.h"

namespace automaten {

QString FromMachine(const std::string& bytes) {
  if (IsAscii(bytes)) return QString::fromLatin1(bytes.data(), static_cast<qsizetype>(bytes.size()));
  const std::string utf8 = Cp1252ToUtf8(bytes);
  return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

std::string ProgramLineToMachine(const QString& line) { return ProgramLineToMachine(line.toStdString()); }

std::string ToMachine(const QString& text) {
  std::string out;
  out.reserve(static_cast<std::size_t>(text.size()));
  for (qsizetype i = 0; i < text.size(); ++i) {
    const char16_t u = text[i].unicode();
    char b;
    if (u < 0x80) {
      out += static_cast<char>(u);
    } else if (UnicodeToCp1252(u, b)) {
      out += b;
    } else {
      out += '?';
      // A character beyond the BMP is one character: skip its second half.
      if (text[i].isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate()) ++i;
    }
  }
  return out;
}

}  // namespace automaten
