#include <gtest/gtest.h>

#include <sys/stat.h>

#include <filesystem>
#include <string>
#include <vector>

#include "Pelcore/PelMessage.h"
#include "Pelcore/PelParameter.h"
#include "TestSupport.h"

using namespace std::string_literals;

namespace {

const PelUnicodeString kSource(u"HKEY_LOCAL_MACHINE\\SOFTWARE\\Tarvik\\Fenwick\\NXV5\\GW\\VEK");
const PelUnicodeString kX(u"HKLM\\SOFTWARE\\X");

PelUnicodeString text(const char16_t* s) { return PelUnicodeString(s); }

class PelParameterTest : public ::testing::Test {
 protected:
  void SetUp() override { ::setenv("PEL_REGISTRY", path().c_str(), 1); }
  void TearDown() override { ::unsetenv("PEL_REGISTRY"); }
  std::string path() const { return folder_ / "registry.reg"; }

  TempFolder folder_;
};

}  // namespace

// Reads of a missing file, a missing value or another type fail and leave
// the variable alone.
TEST_F(PelParameterTest, EveryValueTypeRoundTripsThroughANewFileAndOnlyAsItsOwnType) {
  int i = 17;
  PelUnicodeString s(u"kept");
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

  EXPECT_FALSE(PelParameter::getString(kSource, text(u"Size"), s));
  EXPECT_FALSE(PelParameter::getInteger(kSource, text(u"VekPath"), i));
  EXPECT_EQ(s, text(u"kept"));
  EXPECT_EQ(i, 17);
  EXPECT_EQ(PelParameter::getInteger(kSource, text(u"Missing")), 0);
}

TEST_F(PelParameterTest, NamesMatchWithoutCaseAndEscapesAreRead) {
  writeFile(path(),
            "\xEF\xBB\xBFWindows Registry Editor Version 5.00\r\n"
            "; installed by hand\r\n"
            "[HKEY_LOCAL_MACHINE\\Software\\Tarvik\\Fenwick\\NXV5\\GW\\Vek]\r\n"
            "@=\"default\"\r\n"
            "\"VEKPATH\"=\"\\\\\\\\server\\\\share \\\"q\\\" \\n\"\r\n"
            "\"Port\" = DWORD:0000001F\r\n");
  const PelUnicodeString lower(u"hklm\\software\\tarvik\\fenwick\\nxv5\\gw\\vek\\");
  EXPECT_EQ(PelParameter::getString(lower, text(u"vekpath")), text(u"\\\\server\\share \"q\" \\n"));
  EXPECT_EQ(PelParameter::getInteger(kSource, text(u"port")), 31);
  EXPECT_EQ(PelParameter::getString(kSource, text(u"")), text(u"default"));
}

TEST_F(PelParameterTest, Utf16FileIsRead) {
  std::string bytes;
  for (char16_t c : u"\uFEFFWindows Registry Editor Version 5.00\r\n\r\n[HKLM\\SOFTWARE\\X]\r\n\"Name\"=\"値\"\r\n"s) {
    bytes += {static_cast<char>(c & 0xFF), static_cast<char>(c >> 8)};
  }
  writeFile(path(), bytes);
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
  std::vector<std::string> texts, expected;
  for (const PelMessage& m : recorder.messages()) texts.push_back(m.text);
  for (int line : {2, 4, 5, 6, 8, 9}) {
    expected.push_back("Malformed registry line skipped: " + path() + ":" + std::to_string(line));
  }
  EXPECT_EQ(texts, expected);
}

TEST_F(PelParameterTest, WritesKeepEveryOtherLineAndRefuseWhatTheFileCannotHold) {
  writeFile(path(),
            "Windows Registry Editor Version 5.00\r\n\r\n"
            "; the server's keys\r\n"
            "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Tarvik\\Fenwick\\NXV5\\GW\\VEK]\r\n"
            "\"vekpath\"=\"/opt/old\"\r\n"
            "\"Other\"=dword:00000001\r\n"
            "broken line\r\n\r\n"
            "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Else]\r\n"
            "\"VekPath\"=\"/not/this/one\"");
  PelMessageRecorder quiet;  // the broken line is reported at every read
  ::chmod(path().c_str(), 0640);

  EXPECT_TRUE(PelParameter::setString(kSource, text(u"VekPath"), text(u"/opt/new")));
  EXPECT_TRUE(PelParameter::setInteger(kSource, text(u"Added"), 9));
  EXPECT_TRUE(PelParameter::deleteValue(kSource, text(u"OTHER")));
  // A key without a root, a value that would become two lines.
  EXPECT_FALSE(PelParameter::setString(text(u"\\VEK"), text(u"VekPath"), text(u"/x")));
  EXPECT_FALSE(PelParameter::setString(kSource, text(u"VekPath"), text(u"two\nlines")));
  EXPECT_EQ(readFile(path()),
            "Windows Registry Editor Version 5.00\r\n\r\n"
            "; the server's keys\r\n"
            "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Tarvik\\Fenwick\\NXV5\\GW\\VEK]\r\n"
            "\"vekpath\"=\"/opt/new\"\r\n"
            "\"Added\"=dword:00000009\r\n"
            "broken line\r\n\r\n"
            "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Else]\r\n"
            "\"VekPath\"=\"/not/this/one\"");
  EXPECT_EQ(std::filesystem::status(path()).permissions(), std::filesystem::perms(0640));

  ::setenv("PEL_REGISTRY", (folder_ / "no/such/folder/registry.reg").c_str(), 1);
  EXPECT_FALSE(PelParameter::setInteger(kSource, text(u"N"), 1));
}
