// Program files as bytes and as the text the program area shows.
#pragma once

#include <QByteArray>
#include <QString>

namespace automaten {

// A plain program file's text: valid UTF-8 with non-ASCII bytes is read as
// UTF-8, anything else as Windows-1252; CR LF, lone CR and lone LF all end a
// line, and lines are joined with '\n'.
QString DecodeProgram(const QByteArray& bytes);
// The text written back: lines joined with CR LF, no break after the last;
// Windows-1252 when the code page holds every character, UTF-8 otherwise.
QByteArray EncodeProgram(const QString& text);
// Line ends of any kind as '\n'.
QString NormalizeLineEnds(const QString& text);

}  // namespace automaten
