#include <gtest/gtest.h>

#include "io/ini.h"
#include "io/rtf.h"

namespace automaten {
namespace {

TEST(Ini, KeysKeepTheOrderOfTheirFirstWrite) {
  IniFile ini;
  ini.WriteInteger("Konfiguration", "Arbeitsmodus", 0);
  ini.WriteString("Konfiguration", "Datei", "");
  ini.WriteInteger("Konfiguration", "Frequenz", 1);
  ini.WriteString("Konfiguration", "Band", "sskkss");
  ini.WriteInteger("Konfiguration", "Frequenz", 7);  // replaced in place
  EXPECT_EQ(ini.Text(), "[Konfiguration]\nArbeitsmodus=0\nDatei=\nFrequenz=7\nBand=sskkss\n");
}

TEST(Ini, ReadingIsForgivingAndKeepsOtherLines) {
  IniFile ini;
  ini.Parse("; comment\r\n[other]\r\nBand=x\r\n[KONFIGURATION]\r\n  band = a b  \r\nfrequenz=$1F\r\n\r\n[last]\rk=v");
  EXPECT_EQ(ini.ReadString("Konfiguration", "Band", "d"), " a b  ");  // the text after '=' as it stands
  EXPECT_EQ(ini.ReadInteger("Konfiguration", "Frequenz", 1), 31);
  EXPECT_EQ(ini.ReadString("Konfiguration", "Datei", "none"), "none");
  EXPECT_FALSE(ini.Has("Konfiguration", "k"));
  ini.WriteString("Konfiguration", "Datei", "p.txt");
  EXPECT_EQ(ini.Text(),
            "; comment\n[other]\nBand=x\n[KONFIGURATION]\n  band = a b  \nfrequenz=$1F\nDatei=p.txt\n\n[last]\nk=v\n");
  ini.WriteString("Konfiguration", "Band", "line\nbreak");
  EXPECT_EQ(ini.ReadString("Konfiguration", "Band", ""), "linebreak");
}

TEST(Ini, CommentLinesAreNoKeys) {
  IniFile ini;
  ini.Parse("[Konfiguration]\n;Band=commented\n  ; Datei=x\nBand=real\n");
  EXPECT_EQ(ini.ReadString("Konfiguration", "Band", ""), "real");
  EXPECT_FALSE(ini.Has("Konfiguration", "Datei"));
  ini.WriteString("Konfiguration", "Datei", "y");
  EXPECT_EQ(ini.Text(), "[Konfiguration]\n;Band=commented\n  ; Datei=x\nBand=real\nDatei=y\n");
}

TEST(Ini, IntegerForms) {
  struct Row {
    const char* text;
    bool ok;
    int value;
  };
  const Row rows[] = {{"12", true, 12},         {" 12 ", true, 12},
                      {"-5", true, -5},         {"+5", true, 5},
                      {"$10", true, 16},        {"0x10", true, 16},
                      {"0X1f", true, 31},       {"$FFFFFFFF", true, -1},
                      {"65536", true, 65536},   {"2147483647", true, 2147483647},
                      {"2147483648", false, 0}, {"$100000000", false, 0},
                      {"", false, 0},           {"abc", false, 0},
                      {"12a", false, 0},        {"0x", false, 0},
                      {"1.5", false, 0},        {"--1", false, 0}};
  for (const Row& r : rows) {
    int v = 0;
    EXPECT_EQ(IniFile::ParseInteger(r.text, v), r.ok) << r.text;
    if (r.ok) {
      EXPECT_EQ(v, r.value) << r.text;
    }
  }
}

TEST(Rtf, PlainTextOfAWordProcessorFile) {
  const std::string rtf =
      "{\\rtf1\\ansi\\ansicpg1252\\deff0{\\fonttbl{\\f0\\fnil\\fcharset0 Courier New;}}"
      "{\\colortbl ;\\red255\\green0\\blue0;}{\\*\\generator Riched20 10.0;}"
      "{\\info{\\title x}{\\author y}}\\viewkind4\\uc1\\pard\\f0\\fs20 ; Beispiel f\\'fcr\\par\n"
      "a 0 -> 1\\tab ; \\{x\\}\\par\r\n1 _ -> e\\line e\\u8364?\\par{\\pict\\wmetafile8 0102ff}}";
  ASSERT_TRUE(LooksLikeRtf(rtf));
  EXPECT_EQ(RtfToText(rtf), "; Beispiel f\xC3\xBCr\na 0 -> 1\t; {x}\n1 _ -> e\ne\xE2\x82\xAC\n");
}

TEST(Rtf, UnicodeFallbackAndSurrogates) {
  EXPECT_EQ(RtfToText("{\\rtf1\\uc2\\u228\\'e4\\'e4b}"),
            "\xC3\xA4"
            "b");
  EXPECT_EQ(RtfToText("{\\rtf1\\uc0\\u-10179\\u-8704 }"), "\xF0\x9F\x98\x80");  // U+1F600
  EXPECT_EQ(RtfToText("{\\rtf1{\\uc0 \\u228}\\u228?}"), "\xC3\xA4\xC3\xA4");    // \uc ends with its group
  EXPECT_EQ(RtfToText("{\\rtf1 a\\bin3 {}}b}"), "ab");
}

TEST(Rtf, BrokenInputNeverFails) {
  for (const std::string& bad : std::vector<std::string>{
           "{\\rtf1", "{\\rtf1}}}}}a", "{\\rtf1\\'", "{\\rtf1\\'zz", "{\\rtf1\\u", "{\\rtf1\\bin99999",
           "{\\rtf1\\uc99999999999\\u1 x", "\\", std::string(100000, '{') + "x"}) {
    const std::string text = RtfToText(bad);
    EXPECT_LE(text.size(), bad.size() * 4);
  }
  EXPECT_EQ(RtfToText(std::string(100000, '{') + "x" + std::string(100000, '}')), "x");
  EXPECT_FALSE(LooksLikeRtf("a 0 -> 1"));
}

}  // namespace
}  // namespace automaten
