// Program files: what the window and the command line accept as a program
// (at most 1 MiB, no NUL bytes), how its bytes are read (UTF-8 when they are
// valid UTF-8 with non-ASCII bytes, Windows-1252 otherwise) and how a
// program is written back.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "engine/text.h"  // SystemReason

namespace automaten {

constexpr std::size_t kMaxProgramBytes = 1 << 20;
constexpr std::size_t kMaxTapeBytes = 64 << 20;  // a tape file, read by the same rules

struct ProgramFile {
  enum class Status { Ok, Unreadable, Directory, NotRegular, TooLarge, HasNul };
  Status status = Status::Ok;
  std::string systemError;  // the system's reason when unreadable (or a folder)
  std::string bytes;        // the file, when Ok
  int error = 0;            // the number of the system's reason
};

// Reads a file, never more than the limit and one byte of it. With
// `regularOnly`, anything but a regular file (a named pipe, a device) is
// refused before a byte is read, so it cannot block the reader.
ProgramFile ReadProgramFile(const std::string& path, std::size_t limit = kMaxProgramBytes, bool regularOnly = false);
// The checks of ReadProgramFile on bytes that came another way.
ProgramFile CheckProgramBytes(std::string bytes, std::size_t limit = kMaxProgramBytes);

// A program file's text as UTF-8, every line break as '\n'; a UTF-8
// byte-order mark at its start is no part of it.
std::string DecodeProgram(const std::string& bytes);
// A file's bytes as machine text where they stand (a tape file of many
// cells): UTF-8 as DecodeProgram reads it, each character Windows-1252 lacks
// as '?', every line break as '\n'.
void DecodeToMachineText(std::string& bytes);
// The bytes written for a UTF-8 text: lines joined with CR LF, in
// Windows-1252 when the code page holds every character and the bytes would
// not read back as UTF-8 (such as "Ã¤"), in UTF-8 otherwise.
std::string EncodeProgram(const std::string& utf8);
// The lines of a program text (UTF-8) as machine text, as the parser reads them.
std::vector<std::string> MachineLines(const std::string& utf8);
// Line ends of any kind as '\n'.
std::string NormalizeLineEnds(std::string text);

}  // namespace automaten
