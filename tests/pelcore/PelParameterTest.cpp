#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "ParameterTestText.h"
#include "Pelcore/PelMessage.h"
#include "Pelcore/PelParameter.h"
#include "TestRegistry.h"

// Values as regedit imports them, read through either platform's store: a
// key of the test's own below HKEY_CURRENT_USER, which a user may write on
// Windows too. Missing keys and values, and values of another type, leave
// the variable alone; another type says so.
TEST(PelParameter, ValuesImportedByRegeditAreReadAsTheirOwnTypeOnly) {
  const std::string key = "HKEY_CURRENT_USER\\Software\\KexporterTest\\" + std::to_string(std::random_device()());
  const TestRegistry registry("[" + key + "\\VEK]\n"
                              "@=\"default\"\n"
                              "\"VekPath\"=\"C:\\\\Program Files\\\\\\\"Tarvik\\\" 日本\"\n"
                              "\"Port\"=dword:0000001f\n"
                              "\"Big\"=dword:ffffffff\n"
                              "\"Binary\"=hex:01,02\n"
                              "\"Expand\"=hex(2):25,00,00,00\n");
  PelMessageRecorder recorder;
  // The short hive name, other letter case, a trailing backslash.
  const PelUnicodeString source = text("hkcu" + key.substr(17) + "\\vek\\");
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
  EXPECT_FALSE(PelParameter::getBoolean(text(key + "\\NoSuchKey"), text("Port"), b));
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
}

