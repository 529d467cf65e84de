#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "Pelcore/PelMessage.h"
#include "Pelcore/PelParameter.h"
#include "TestRegistry.h"
#include "TestSupport.h"

namespace {

PelUnicodeString text(const std::string& utf8) { return PelUnicodeString::fromUtf8(utf8); }

std::vector<std::string> texts(const PelMessageRecorder& recorder) {
  std::vector<std::string> out;
  for (const PelMessage& m : recorder.messages()) out.push_back(m.text);
  return out;
}

// A key of the test's own below HKEY_CURRENT_USER, removed with all below it
// at the end.
class PelParameterTest : public ::testing::Test {
 protected:
  PelParameterTest()
      : key_("HKEY_CURRENT_USER\\Software\\KexporterTest\\" + std::to_string(std::random_device()())) {}
  void TearDown() override { commandOutput("reg.exe delete \"" + key_ + "\" /f"); }

  const std::string key_;
};

}  // namespace

// Missing keys and values, and values of another type, leave the variable
// alone and write no message.
TEST_F(PelParameterTest, ValuesImportedByRegeditAreReadAsTheirOwnTypeOnly) {
  const TestRegistry registry("[" + key_ + "\\VEK]\n"
                              "@=\"default\"\n"
                              "\"VekPath\"=\"C:\\\\Program Files\\\\\\\"Tarvik\\\" 日本\"\n"
                              "\"Port\"=dword:0000001f\n"
                              "\"Big\"=dword:ffffffff\n"
                              "\"Binary\"=hex:01,02\n"
                              "\"Expand\"=hex(2):25,00,00,00\n");
  PelMessageRecorder recorder;
  // The short hive name, other letter case, a trailing backslash.
  const PelUnicodeString source = text("hkcu" + key_.substr(17) + "\\vek\\");
  EXPECT_EQ(PelParameter::getString(source, text("vekpath")), text("C:\\Program Files\\\"Tarvik\" 日本"));
  EXPECT_EQ(PelParameter::getString(source, text("")), text("default"));
  EXPECT_EQ(PelParameter::getInteger(source, text("PORT")), 31);
  EXPECT_EQ(PelParameter::getInteger(source, text("Big")), -1);
  EXPECT_EQ(PelParameter::getUnsignedInteger(source, text("Big")), 0xFFFFFFFFu);
  EXPECT_EQ(PelParameter::getBoolean(source, text("Port")), PelTrue);

  PelUnicodeString s(u"kept");
  int i = 17;
  PelBoolean b = PelFalse;
  EXPECT_FALSE(PelParameter::getString(source, text("Port"), s));
  EXPECT_FALSE(PelParameter::getString(source, text("Binary"), s));
  EXPECT_FALSE(PelParameter::getString(source, text("Expand"), s));
  EXPECT_FALSE(PelParameter::getInteger(source, text("VekPath"), i));
  EXPECT_FALSE(PelParameter::getInteger(source, text("Missing"), i));
  EXPECT_FALSE(PelParameter::getBoolean(text(key_ + "\\NoSuchKey"), text("Port"), b));
  EXPECT_FALSE(PelParameter::getInteger(text("\\VEK"), text("Port"), i));
  EXPECT_EQ(s, text("kept"));
  EXPECT_EQ(i, 17);
  EXPECT_EQ(b, PelFalse);
  EXPECT_EQ(PelParameter::getString(source, text("Missing")), PelUnicodeString());
  // A value of another type reads as missing, and says so.
  const std::string of = " of [" + source.toUtf8() + "] is not a ";
  EXPECT_EQ(texts(recorder), (std::vector<std::string>{"Registry value Port" + of + "text (REG_SZ) value",
                                                       "Registry value Binary" + of + "text (REG_SZ) value",
                                                       "Registry value Expand" + of + "text (REG_SZ) value",
                                                       "Registry value VekPath" + of + "number (REG_DWORD) value"}));
  EXPECT_EQ(PelParameter::fileReadCount(), 0u);
}

TEST_F(PelParameterTest, SettersAndDeleteValueAreSeenByRegQuery) {
  const std::string vek = key_ + "\\GW\\VEK";  // does not exist yet
  const PelUnicodeString source = text(vek);
  const auto query = [&vek] { return commandOutput("reg.exe query \"" + vek + "\"").value_or(""); };
  EXPECT_TRUE(PelParameter::setString(source, text("VekPath"), text("C:\\Tarvik")));
  EXPECT_TRUE(PelParameter::setInteger(source, text("Port"), -5));
  EXPECT_TRUE(PelParameter::setUnsignedInteger(source, text("Size"), 0xFFFFFFFFu));
  EXPECT_TRUE(PelParameter::setBoolean(source, text("Full"), 7));
  EXPECT_TRUE(PelParameter::setString(source, text("名前"), text("値")));
  const std::string shown = query();
  for (const char* line : {"VekPath    REG_SZ    C:\\Tarvik", "Port    REG_DWORD    0xfffffffb",
                           "Size    REG_DWORD    0xffffffff", "Full    REG_DWORD    0x1"}) {
    EXPECT_NE(shown.find(line), std::string::npos) << line << " in\n" << shown;
  }
  EXPECT_EQ(PelParameter::getString(source, text("名前")), text("値"));
  EXPECT_EQ(PelParameter::getInteger(source, text("Port")), -5);

  EXPECT_TRUE(PelParameter::deleteValue(source, text("PORT")));
  EXPECT_FALSE(PelParameter::deleteValue(source, text("Port")));
  EXPECT_FALSE(PelParameter::deleteValue(text(key_ + "\\NoSuchKey"), text("Port")));
  EXPECT_EQ(query().find("Port"), std::string::npos);
  EXPECT_NE(query().find("VekPath"), std::string::npos);

  // Refused as on every platform: a key without a hive, a value that would
  // be two lines of a regedit file.
  PelMessageRecorder recorder;
  EXPECT_FALSE(PelParameter::setString(text("\\VEK"), text("VekPath"), text("x")));
  EXPECT_FALSE(PelParameter::setString(source, text("VekPath"), text("two\nlines")));
  EXPECT_EQ(texts(recorder), (std::vector<std::string>{
                                 "Registry key without a hive not written: [\\VEK]",
                                 "Registry value with a line break not written: [" + vek + "] VekPath"}));
  EXPECT_EQ(PelParameter::getString(source, text("VekPath")), text("C:\\Tarvik"));
}
