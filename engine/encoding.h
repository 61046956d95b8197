// Windows-1252 <-> UTF-8. Machine text inside is Windows-1252; texts are
// written in UTF-8 in the source and files and terminals speak UTF-8, so
// they are converted here, at the edges.
#pragma once

#include <string>
#include <string_view>

namespace automaten {

// The Unicode code point of a Windows-1252 byte. The five bytes the code page
// leaves undefined map to the C1 controls of the same value, as Windows does.
char32_t Cp1252ToUnicode(unsigned char byte);
// The Windows-1252 byte of a code point; false when the code page has none.
bool UnicodeToCp1252(char32_t code, char& byte);

std::string Cp1252ToUtf8(std::string_view text);
// Appends machine text as UTF-8, runs of ASCII as they are.
void AppendCp1252AsUtf8(std::string& out, std::string_view text);
// Appends one code point as UTF-8.
void AppendUtf8(std::string& out, char32_t code);
// False when utf8 is not valid UTF-8, or holds a character Windows-1252
// cannot hold and no replacement is given (replacement 0).
bool Utf8ToCp1252(const std::string& utf8, std::string& out, char replacement = 0);

bool IsValidUtf8(const std::string& bytes);
bool IsAscii(const std::string& bytes);
// Bytes read as UTF-8 rather than Windows-1252: valid UTF-8 with non-ASCII bytes.
bool ReadsAsUtf8(const std::string& bytes);

// UTF-8 as machine text; a character the code page lacks becomes '?', and
// bytes that are no valid UTF-8 stay as they are.
std::string ToMachineText(std::string utf8);
// The same in place, without a second buffer: a tape of many cells.
void MakeMachineText(std::string& text);
// A program line (UTF-8) as the parser reads it: as ToMachineText, but 'ε'
// becomes kEpsilonSign and any other character the code page lacks
// kForeignSymbol, so that the parser finds the fault instead of a silent '?'.
std::string ProgramLineToMachine(const std::string& utf8);
// A text of the program's own, written in UTF-8 in the source, as machine text.
inline std::string MachineText(const char* utf8) { return ToMachineText(utf8); }

}  // namespace automaten
