#include <gtest/gtest.h>

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <string>
#include <vector>

#include "ParameterTestText.h"
#include "Pelcore/PelMessage.h"
#include "Pelcore/PelParameter.h"
#include "TestSupport.h"

using namespace std::string_literals;

namespace {

const PelUnicodeString kSource(u"HKEY_LOCAL_MACHINE\\SOFTWARE\\Tarvik\\Fenwick\\NXV5\\GW\\VEK");
const PelUnicodeString kX(u"HKLM\\SOFTWARE\\X");

PelUnicodeString text(const char16_t* s) { return PelUnicodeString(s); }

void backdate(const std::string& file) {
  const auto minuteAgo = std::filesystem::file_time_type::clock::now() - std::chrono::minutes(1);
  std::filesystem::last_write_time(file, minuteAgo);
}

class PelParameterTest : public ::testing::Test {
 protected:
  void SetUp() override { ::setenv("PEL_REGISTRY", path().c_str(), 1); }
  void TearDown() override { ::unsetenv("PEL_REGISTRY"); }
  std::string path() const { return folder_ / "registry.reg"; }

  TempFolder folder_;
};

}  // namespace

// What the regedit file holds after each setter, and a missing file read as
// an empty registry.
TEST_F(PelParameterTest, EveryValueTypeRoundTripsThroughANewFile) {
  int i = 17;
  EXPECT_FALSE(PelParameter::getInteger(kSource, text(u"VekTesselPortNumber"), i));
  EXPECT_FALSE(std::filesystem::exists(path()));

  const PelUnicodeString path(u"C:\\Program Files\\\"Tarvik\" 日本");
  EXPECT_TRUE(PelParameter::setString(kSource, text(u"VekPath"), path));
  EXPECT_TRUE(PelParameter::setInteger(kSource, text(u"VekTesselPortNumber"), -5));
  EXPECT_TRUE(PelParameter::setUnsignedInteger(kSource, text(u"Size"), 0xFFFFFFFFu));
  EXPECT_TRUE(PelParameter::setBoolean(kSource, text(u"VekFullTextOnMemory"), 7));
  EXPECT_EQ(readFile(this->path()),
            "Windows Registry Editor Version 5.00\n\n"
            "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Tarvik\\Fenwick\\NXV5\\GW\\VEK]\n"
            "\"VekPath\"=\"C:\\\\Program Files\\\\\\\"Tarvik\\\" 日本\"\n"
            "\"VekTesselPortNumber\"=dword:fffffffb\n"
            "\"Size\"=dword:ffffffff\n"
            "\"VekFullTextOnMemory\"=dword:00000001\n");
  EXPECT_EQ(PelParameter::getString(kSource, text(u"VekPath")), path);
  EXPECT_EQ(PelParameter::getInteger(kSource, text(u"VekTesselPortNumber")), -5);
  EXPECT_EQ(PelParameter::getUnsignedInteger(kSource, text(u"Size")), 0xFFFFFFFFu);
  EXPECT_EQ(PelParameter::getBoolean(kSource, text(u"VekFullTextOnMemory")), PelTrue);
  EXPECT_EQ(PelParameter::getInteger(kSource, text(u"Missing")), 0);
}

// A file as regedit writes it, in UTF-8 with a byte-order mark or in UTF-16,
// or as a person types it (blanks, letter case); the value types and the
// default value are the test of both builds.
TEST_F(PelParameterTest, NamesMatchWithoutCaseAndEscapesAreReadInEitherEncoding) {
  writeFile(path(),
            "\xEF\xBB\xBFWindows Registry Editor Version 5.00\r\n"
            "; installed by hand\r\n"
            "[HKEY_LOCAL_MACHINE\\Software\\Tarvik\\Fenwick\\NXV5\\GW\\Vek]\r\n"
            "\"VEKPATH\"=\"\\\\\\\\server\\\\share \\\"q\\\" \\n\"\r\n"
            "\"Port\" = DWORD:0000001F\r\n");
  const PelUnicodeString lower(u"hklm\\software\\tarvik\\fenwick\\nxv5\\gw\\vek\\");
  EXPECT_EQ(PelParameter::getString(lower, text(u"vekpath")), text(u"\\\\server\\share \"q\" \\n"));
  EXPECT_EQ(PelParameter::getInteger(kSource, text(u"port")), 31);

  std::string utf16;
  for (char16_t c : u"\uFEFFWindows Registry Editor Version 5.00\r\n\r\n[HKLM\\SOFTWARE\\X]\r\n\"Name\"=\"値\"\r\n"s) {
    utf16 += {static_cast<char>(c & 0xFF), static_cast<char>(c >> 8)};
  }
  writeFile(path(), utf16);
  EXPECT_EQ(PelParameter::getString(kX, text(u"name")), text(u"値"));
}

TEST_F(PelParameterTest, MalformedLinesAreSkippedWithOneMessageEach) {
  writeFile(path(),
            "Windows Registry Editor Version 5.00\n"
            "\"Orphan\"=\"before any key\"\n"                       // line 2
            "[HKEY_LOCAL_MACHINE\\SOFTWARE\\X]\n"
            "\"Open\"=\"no closing quote\n"                         // line 4
            "\x01\x02\xFF\xFE binary\0junk\n"s +                    // line 5
                std::string(200000, 'z') +                          // line 6
                "\n\"Good\"=dword:00000002\n"
                "\"Wide\"=dword:123456789\n"                             // line 8
                "[unclosed\n");                                         // line 9
  PelMessageRecorder recorder;
  EXPECT_EQ(PelParameter::getInteger(kX, text(u"Good")), 2);
  std::vector<std::string> expected;
  for (int line : {2, 4, 5, 6, 8, 9}) {
    expected.push_back("Malformed registry line skipped: " + path() + ":" + std::to_string(line));
  }
  EXPECT_EQ(texts(recorder), expected);
}

TEST_F(PelParameterTest, WritesKeepEveryOtherLineAndRefuseWhatTheFileCannotHold) {
  const auto file = [](const std::string& values) {
    return "Windows Registry Editor Version 5.00\r\n\r\n; the server's keys\r\n"
           "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Tarvik\\Fenwick\\NXV5\\GW\\VEK]\r\n" + values +
           "broken line\r\n\r\n[HKEY_LOCAL_MACHINE\\SOFTWARE\\Else]\r\n\"VekPath\"=\"/not/this/one\"";
  };
  writeFile(path(), file("\"vekpath\"=\"/opt/old\"\r\n\"Other\"=dword:00000001\r\n"));
  PelMessageRecorder quiet;  // the broken line is reported at every read
  ::chmod(path().c_str(), 0640);

  EXPECT_TRUE(PelParameter::setString(kSource, text(u"VekPath"), text(u"/opt/new")));
  EXPECT_TRUE(PelParameter::setInteger(kSource, text(u"Added"), 9));
  EXPECT_TRUE(PelParameter::deleteValue(kSource, text(u"OTHER")));
  // A key without a root, a value that would become two lines.
  EXPECT_FALSE(PelParameter::setString(text(u"\\VEK"), text(u"VekPath"), text(u"/x")));
  EXPECT_FALSE(PelParameter::setString(kSource, text(u"VekPath"), text(u"two\nlines")));
  EXPECT_EQ(readFile(path()), file("\"vekpath\"=\"/opt/new\"\r\n\"Added\"=dword:00000009\r\n"));
  EXPECT_EQ(std::filesystem::status(path()).permissions(), std::filesystem::perms(0640));

  ::setenv("PEL_REGISTRY", (folder_ / "no/such/folder/registry.reg").c_str(), 1);
  EXPECT_FALSE(PelParameter::setInteger(kSource, text(u"N"), 1));
}

// Each is refused before a byte of it is read, and a write leaves it as it is.
TEST_F(PelParameterTest, WhatIsNotABoundedRegularFileIsRefusedAtOnce) {
  const std::string fifo = folder_ / "fifo.reg", big = folder_ / "big.reg";
  const std::string folder = folder_ / "dir.reg";
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  writeFile(big, "");
  std::filesystem::resize_file(big, 64 * 1024 * 1024 + 1);
  std::filesystem::create_directory(folder);
  const std::string notRegular = "Registry file refused, not a regular file: ";
  const std::vector<std::pair<std::string, std::string>> cases = {
      {fifo, notRegular + fifo},
      {"/dev/zero", notRegular + "/dev/zero"},
      {folder, notRegular + folder},
      {big, "Registry file refused, larger than 67108864 bytes: " + big}};
  EXPECT_TRUE(runInChildProcess([&] {
    ::alarm(10);  // a reader that blocks fails here instead of holding the suite
    for (const auto& [file, message] : cases) {
      ::setenv("PEL_REGISTRY", file.c_str(), 1);
      PelMessageRecorder recorder;
      int value = 17;
      EXPECT_FALSE(PelParameter::getInteger(kX, text(u"N"), value));
      EXPECT_EQ(value, 17);
      EXPECT_FALSE(PelParameter::setInteger(kX, text(u"N"), 1));
      EXPECT_EQ(texts(recorder), std::vector<std::string>(2, message)) << file;
    }
  }));
  EXPECT_TRUE(std::filesystem::is_fifo(fifo));
  EXPECT_EQ(std::filesystem::file_size(big), 64u * 1024 * 1024 + 1);
  EXPECT_FALSE(std::filesystem::exists(fifo + ".lock"));
}

// A file written a minute ago; one modified in the current second is read
// again at each call, as a change within its timestamp would go unseen.
TEST_F(PelParameterTest, TheFileIsReadOnceUntilItChanges) {
  const auto file = [](const char* number) {
    return "Windows Registry Editor Version 5.00\n\n[HKLM\\SOFTWARE\\X]\n"
           "\"N\"=dword:0000000"s + number + "\n";
  };
  writeFile(path(), file("1"));
  backdate(path());
  const std::uint64_t before = PelParameter::fileReadCount();
  for (int i = 0; i < 100; ++i) EXPECT_EQ(PelParameter::getInteger(kX, text(u"N")), 1);
  EXPECT_EQ(PelParameter::fileReadCount() - before, 1u);

  EXPECT_TRUE(PelParameter::setInteger(kX, text(u"N"), 2));
  EXPECT_EQ(PelParameter::getInteger(kX, text(u"N")), 2);
  backdate(path());
  EXPECT_EQ(PelParameter::getInteger(kX, text(u"N")), 2);
  EXPECT_TRUE(runInChildProcess([] { EXPECT_TRUE(PelParameter::setInteger(kX, text(u"N"), 3)); }));
  EXPECT_EQ(PelParameter::getInteger(kX, text(u"N")), 3);
  writeFile(path(), file("4"));  // in place, same size, likely the same timestamp
  EXPECT_EQ(PelParameter::getInteger(kX, text(u"N")), 4);
}

