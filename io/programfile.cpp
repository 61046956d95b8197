#include "programfile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "engine/encoding.h"
#include "engine/text.h"

namespace automaten {

ProgramFile CheckProgramBytes(std::string bytes, std::size_t limit) {
  ProgramFile f;
  if (bytes.size() > limit)
    f.status = ProgramFile::Status::TooLarge;
  else if (bytes.find('\0') != std::string::npos)
    f.status = ProgramFile::Status::HasNul;
  else
    f.bytes = std::move(bytes);
  return f;
}

ProgramFile ReadProgramFile(const std::string& path, std::size_t limit, bool regularOnly) {
  ProgramFile f;
  // Opening a named pipe would wait for a writer: open without waiting, look first.
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
  if (fd < 0) {
    f.status = ProgramFile::Status::Unreadable;
    f.error = errno;
    f.systemError = std::strerror(f.error);
    return f;
  }
  struct stat info {};
  if (::fstat(fd, &info) == 0 && S_ISDIR(info.st_mode)) {
    ::close(fd);
    f.status = ProgramFile::Status::Directory;
    f.error = EISDIR;
    f.systemError = std::strerror(EISDIR);
    return f;
  }
  if (regularOnly && !S_ISREG(info.st_mode)) {
    ::close(fd);
    f.status = ProgramFile::Status::NotRegular;
    return f;
  }
  ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
  // A regular file is read straight into a text of its size; anything else
  // (and what a file gains meanwhile) a piece at a time. Never more than
  // the limit and one byte.
  std::string bytes;
  if (S_ISREG(info.st_mode) && info.st_size > 0)
    bytes.reserve(std::min(static_cast<std::size_t>(info.st_size), limit) + 1);
  char buffer[65536];
  while (bytes.size() <= limit) {
    const std::size_t had = bytes.size(), room = bytes.capacity() - had;
    ssize_t n;
    if (room >= sizeof buffer) {
      bytes.resize(had + room);  // within the capacity: nothing moves
      n = ::read(fd, &bytes[had], room);
      bytes.resize(had + static_cast<std::size_t>(std::max<ssize_t>(n, 0)));
    } else {
      n = ::read(fd, buffer, sizeof buffer);
      if (n > 0) bytes.append(buffer, static_cast<std::size_t>(n));
    }
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) {
      f.status = ProgramFile::Status::Unreadable;
      f.error = errno;
      f.systemError = std::strerror(f.error);
      ::close(fd);
      return f;
    }
    if (n == 0) break;
  }
  ::close(fd);
  return CheckProgramBytes(std::move(bytes), limit);
}

std::vector<std::string> MachineLines(const std::string& utf8) {
  std::vector<std::string> lines = SplitLines(utf8);
  for (std::string& line : lines) line = ProgramLineToMachine(line);
  return lines;
}

std::string NormalizeLineEnds(std::string text) {
  if (text.find('\r') == std::string::npos) return text;
  std::size_t to = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\r') {
      if (i + 1 < text.size() && text[i + 1] == '\n') ++i;
      text[to++] = '\n';
    } else {
      text[to++] = text[i];
    }
  }
  text.resize(to);
  return text;
}

void DecodeToMachineText(std::string& bytes) {
  if (ReadsAsUtf8(bytes)) {
    if (bytes.compare(0, 3, "\xEF\xBB\xBF") == 0) bytes.erase(0, 3);
    MakeMachineText(bytes);
  }
  bytes = NormalizeLineEnds(std::move(bytes));
}

std::string DecodeProgram(const std::string& bytes) {
  if (!ReadsAsUtf8(bytes)) return NormalizeLineEnds(Cp1252ToUtf8(bytes));
  const bool marked = bytes.compare(0, 3, "\xEF\xBB\xBF") == 0;
  return NormalizeLineEnds(marked ? bytes.substr(3) : bytes);
}

std::string EncodeProgram(const std::string& utf8) {
  std::string crlf;
  for (char c : NormalizeLineEnds(utf8)) {
    if (c == '\n') crlf += '\r';
    crlf += c;
  }
  std::string cp1252;
  if (Utf8ToCp1252(crlf, cp1252) && !ReadsAsUtf8(cp1252)) return cp1252;
  return crlf;
}

}  // namespace automaten
