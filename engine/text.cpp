#include "text.h"

#include <cerrno>
#include <cstring>

namespace automaten {

namespace {

bool IsControlOrBlank(char c) { return static_cast<unsigned char>(c) <= 32; }

}  // namespace

std::string UpperCase(std::string s) {
  for (char& c : s)
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  return s;
}

std::string Trim(const std::string& s) {
  std::size_t b = 0, e = s.size();
  while (b < e && IsControlOrBlank(s[b])) ++b;
  while (e > b && IsControlOrBlank(s[e - 1])) --e;
  return s.substr(b, e - b);
}

std::string PrepareLine(const std::string& line) { return Trim(line.substr(0, line.find(';'))) + ' '; }

std::vector<std::string> SplitLines(const std::string& text) {
  std::vector<std::string> lines;
  std::string line;
  bool open = false;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (c == '\r' || c == '\n') {
      if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
      lines.push_back(line);
      line.clear();
      open = false;
    } else {
      line += c;
      open = true;
    }
  }
  if (open) lines.push_back(line);
  return lines;
}

std::string SystemReason(int error) {
  switch (error) {
    case ENOENT: return "nicht vorhanden";
    case EACCES:
    case EPERM: return "keine Berechtigung";
    case EISDIR: return "ein Ordner";
    case ENOTDIR: return "ein Teil des Pfades ist kein Ordner";
    case ENOSPC: return "kein Platz mehr auf dem Datenträger";
    case EROFS: return "nur lesbares Dateisystem";
    case ELOOP: return "zu viele symbolische Verknüpfungen";
    case ENAMETOOLONG: return "Name zu lang";
    case EIO: return "Ein-/Ausgabefehler";
    default: return std::strerror(error);
  }
}

}  // namespace automaten
