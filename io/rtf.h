// A small reader for rich text (RTF): enough to take the plain text out of a
// program saved by a word processor. Groups, control words and symbols,
// \par and \line, \tab, \'hh (Windows-1252), \uN with \ucN, \binN; font,
// colour and style tables, \info, pictures and other \* destinations are
// skipped. Any input is safe: no recursion, bounded work per byte.
#pragma once

#include <string>

namespace automaten {

// Whether the bytes are rich text: they begin with "{\rtf".
bool LooksLikeRtf(const std::string& bytes);
// The plain text of rich text, as UTF-8, paragraphs ending in '\n'.
std::string RtfToText(const std::string& rtf);

}  // namespace automaten
