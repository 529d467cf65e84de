#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "ParameterTestText.h"
#include "Pelcore/PelMessage.h"
#include "Pelcore/PelParameter.h"
#include "TestRegistry.h"
#include "TestSupport.h"

namespace {

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
