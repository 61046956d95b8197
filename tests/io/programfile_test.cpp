// Program files: what is accepted, how bytes are read and written back.
#include "io/programfile.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <fstream>
#include <random>
#include <thread>

#include "engine/encoding.h"

namespace automaten {
namespace {

std::string TapeOf(std::string bytes) {
  DecodeToMachineText(bytes);
  return bytes;
}

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

// A tape file's bytes become cells where they stand: the same cells as the
// program's decoding followed by the machine text of its UTF-8.
TEST(ProgramFile, TapeBytesDecodedInPlaceAsTheProgramReaderDoes) {
  EXPECT_EQ(TapeOf("\xEF\xBB\xBF"
                   "a\xC3\xBC\xE2\x82\xAC\xE2\x9C\x93\r\n"),
            "a\xFC\x80?\n");
  EXPECT_EQ(TapeOf("a\xFC\x81\r\rb"), "a\xFC\x81\n\nb");  // Windows-1252, its undefined bytes as they are
  std::mt19937 random(7);
  const char pieces[][5] = {"a",    "*",    "\r",   "\n",           "\xC3\xBC",     "\xE2\x82\xAC", "\xF0\x9F\x98\x80",
                            "\xFC", "\x81", "\xC3", "\xEF\xBB\xBF", "\xE2\x9C\x93", "\xCE\xB5"};
  for (int round = 0; round < 2000; ++round) {
    std::string bytes;
    const int length = static_cast<int>(random() % 12);
    for (int i = 0; i < length; ++i) bytes += pieces[random() % (sizeof pieces / sizeof pieces[0])];
    ASSERT_EQ(TapeOf(bytes), ToMachineText(DecodeProgram(bytes))) << bytes;
  }
}

// Read into one buffer of the file's size, or a piece at a time from a pipe:
// the same bytes, and the limit holds either way.
TEST(ProgramFile, LargeFilesAndPipesReadWhole) {
  std::string bytes(3 * 65536 + 17, 'k');
  for (std::size_t i = 0; i < bytes.size(); i += 101) bytes[i] = 's';
  EXPECT_EQ(ReadProgramFile(TempFile("tape.txt", bytes), kMaxTapeBytes).bytes, bytes);
  EXPECT_EQ(ReadProgramFile(TempFile("tape.txt", bytes), bytes.size() - 1).status, ProgramFile::Status::TooLarge);
  int ends[2];
  ASSERT_EQ(::pipe(ends), 0);
  std::thread writer([&] {
    for (std::size_t at = 0; at < bytes.size();) {
      const ssize_t n = ::write(ends[1], bytes.data() + at, std::min<std::size_t>(bytes.size() - at, 5000));
      if (n <= 0) break;
      at += static_cast<std::size_t>(n);
    }
    ::close(ends[1]);
  });
  const ProgramFile piped = ReadProgramFile("/dev/fd/" + std::to_string(ends[0]), kMaxTapeBytes);
  writer.join();
  ::close(ends[0]);
  EXPECT_EQ(piped.bytes, bytes);
}

}  // namespace
}  // namespace automaten
