// Program files: what is accepted, how bytes are read and written back.
#include "io/programfile.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <fstream>

namespace automaten {
namespace {

std::string TempFile(const std::string& name, const std::string& bytes) {
  const std::string path = ::testing::TempDir() + name;
  std::ofstream(path, std::ios::binary) << bytes;
  return path;
}

TEST(ProgramFile, WhatIsAcceptedAsAProgram) {
  const ProgramFile ok = ReadProgramFile(TempFile("ok.txt", "a 1 -> a\r\n"));
  EXPECT_EQ(ok.status, ProgramFile::Status::Ok);
  EXPECT_EQ(ok.bytes, "a 1 -> a\r\n");
  EXPECT_EQ(ReadProgramFile(TempFile("limit.txt", std::string(kMaxProgramBytes, 'a'))).status, ProgramFile::Status::Ok);
  EXPECT_EQ(ReadProgramFile(TempFile("big.txt", std::string(kMaxProgramBytes + 1, 'a'))).status,
            ProgramFile::Status::TooLarge);
  EXPECT_EQ(ReadProgramFile(TempFile("nul.txt", std::string("a\0b", 3))).status, ProgramFile::Status::HasNul);
  const ProgramFile missing = ReadProgramFile(::testing::TempDir() + "no-such-file.txt");
  EXPECT_EQ(missing.status, ProgramFile::Status::Unreadable);
  EXPECT_EQ(missing.systemError, "No such file or directory");
  EXPECT_EQ(ReadProgramFile(::testing::TempDir()).status, ProgramFile::Status::Directory);
  // /dev/zero never ends: only the first 1 MiB and one byte are read.
  EXPECT_EQ(ReadProgramFile("/dev/zero").status, ProgramFile::Status::TooLarge);
}

TEST(ProgramFile, OnlyRegularFilesWhenAsked) {
  const std::string pipe = ::testing::TempDir() + "program-pipe";
  ::unlink(pipe.c_str());
  ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
  EXPECT_EQ(ReadProgramFile(pipe, kMaxProgramBytes, true).status, ProgramFile::Status::NotRegular);  // no wait
  EXPECT_EQ(ReadProgramFile("/dev/null", kMaxProgramBytes, true).status, ProgramFile::Status::NotRegular);
  EXPECT_EQ(ReadProgramFile("/dev/null").status, ProgramFile::Status::Ok);
  ::unlink(pipe.c_str());
}

TEST(ProgramFile, DecodedAsUtf8OrWindows1252) {
  EXPECT_EQ(DecodeProgram("\xEF\xBB\xBF"
                          "; f\xC3\xBCr"),
            "; f\xC3\xBCr");  // the byte-order mark is no text
  EXPECT_EQ(DecodeProgram("; f\xC3\xBCr\r\na 1 -> a"), "; f\xC3\xBCr\na 1 -> a");
  EXPECT_EQ(DecodeProgram("; f\xFCr\r\r\n"), "; f\xC3\xBCr\n\n");
  EXPECT_EQ(DecodeProgram("a\rb\n"), "a\nb\n");
}

TEST(ProgramFile, EncodedInWindows1252WhereItReadsBack) {
  EXPECT_EQ(EncodeProgram("; f\xC3\xBCr\na"), "; f\xFCr\r\na");
  EXPECT_EQ(EncodeProgram("a\n\n"), "a\r\n\r\n");
  EXPECT_EQ(EncodeProgram("\xE2\x9C\x93\n"), "\xE2\x9C\x93\r\n");  // not in the code page: UTF-8
  // "Ã¤" in Windows-1252 would read back as "ä": such text is written as UTF-8.
  EXPECT_EQ(EncodeProgram("\xC3\x83\xC2\xA4"), "\xC3\x83\xC2\xA4");
  for (const std::string text : {"; f\xC3\xBCr\na\n", "\xC3\x83\xC2\xA4", "\xE2\x82\xAC x"})
    EXPECT_EQ(DecodeProgram(EncodeProgram(text)), text);
}

}  // namespace
}  // namespace automaten
