// Windows-1252 <-> UTF-8, for the edges where machine text meets the outside
// (command line, terminal, files). Machine text inside is Windows-1252.
#pragma once

#include <string>

namespace automaten {

// The Unicode code point of a Windows-1252 byte. The five bytes the code page
// leaves undefined map to the C1 controls of the same value, as Windows does.
char32_t Cp1252ToUnicode(unsigned char byte);
// The Windows-1252 byte of a code point; false when the code page has none.
bool UnicodeToCp1252(char32_t code, char& byte);

std::string Cp1252ToUtf8(const std::string& text);
// Appends one code point as UTF-8.
void AppendUtf8(std::string& out, char32_t code);
// False when utf8 is not valid UTF-8, or holds a character Windows-1252
// cannot hold and no replacement is given (replacement 0).
bool Utf8ToCp1252(const std::string& utf8, std::string& out, char replacement = 0);

bool IsValidUtf8(const std::string& bytes);
bool IsAscii(const std::string& bytes);
// Bytes read as UTF-8 rather than Windows-1252: valid UTF-8 with non-ASCII bytes.
bool ReadsAsUtf8(const std::string& bytes);
// A program file's bytes as machine text: a file that is valid UTF-8 and has
// non-ASCII bytes is read as UTF-8 (characters outside the code page become
// '?'); any other file is Windows-1252 already.
std::string ProgramTextFromFile(const std::string& bytes);

}  // namespace automaten
