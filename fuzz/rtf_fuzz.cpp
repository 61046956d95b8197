// libFuzzer target: the rich-text reader takes any bytes without failing,
// and what it gives back is valid UTF-8 of bounded size.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "engine/encoding.h"
#include "io/rtf.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string input(reinterpret_cast<const char*>(data), size);
  const std::string text = automaten::RtfToText(input);
  if (!automaten::IsValidUtf8(text)) std::abort();
  if (text.size() > 4 * input.size() + 4) std::abort();
  return 0;
}
