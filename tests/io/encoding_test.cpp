#include "engine/encoding.h"

#include <gtest/gtest.h>

namespace automaten {
namespace {

TEST(Cp1252, RoundTripOfEveryByte) {
  std::string all;
  for (int b = 0; b < 256; ++b) all += static_cast<char>(b);
  std::string back;
  ASSERT_TRUE(Utf8ToCp1252(Cp1252ToUtf8(all), back));
  EXPECT_EQ(back, all);
}

TEST(Cp1252, KnownCharacters) {
  EXPECT_EQ(Cp1252ToUtf8("\x80\xE4\xDF"), "\u20AC\u00E4\u00DF");
  std::string out;
  EXPECT_TRUE(Utf8ToCp1252("\u00DCbergang \u201Eok\u201C", out));
  EXPECT_EQ(out,
            "\xDC"
            "bergang \x84ok\x93");
  EXPECT_FALSE(Utf8ToCp1252("\u2713", out));  // no such character in the code page
  EXPECT_TRUE(Utf8ToCp1252("a\u2713b", out, '?'));
  EXPECT_EQ(out, "a?b");
}

TEST(Cp1252, RejectsBrokenUtf8) {
  for (const std::string& bad : {std::string("\xC3"), std::string("\xC3("), std::string("\xC0\xAF"),
                                 std::string("\xED\xA0\x80"), std::string("\xF4\x90\x80\x80"), std::string("\xFF")}) {
    std::string out;
    EXPECT_FALSE(IsValidUtf8(bad));
    EXPECT_FALSE(Utf8ToCp1252(bad, out, '?'));
  }
  EXPECT_TRUE(IsValidUtf8("\xF0\x9F\x98\x80"));
}

TEST(Cp1252, MachineTextOfUtf8) {
  EXPECT_EQ(ToMachineText("; f\xC3\xBCr\r\na 1 -> a"), "; f\xFCr\r\na 1 -> a");
  EXPECT_EQ(ToMachineText("; f\xFCr"), "; f\xFCr");  // no UTF-8: taken as it is
  EXPECT_EQ(ToMachineText("; \xE2\x9C\x93"), "; ?");
  EXPECT_EQ(MachineText("Übergang"),
            "\xDC"
            "bergang");
}

}  // namespace
}  // namespace automaten
