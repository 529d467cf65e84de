#include "ExportSettings.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "SupportRoutines.h"
#include "TestSupport.h"

namespace fs = std::filesystem;

namespace {

TEST(ExportSettingsTest, ReadsValuesByThePrivateProfileRulesOnlyBesideTheProgram) {
  TempFolder folder;
  const std::string ini = folder / "Kexporter.ini";
  writeFile(ini,
            "[Other]\r\nCSVMAXLINE=7\r\n"
            "; CSVMAXLINE=8\r\n"
            "  [ kexporter ]  \r\n"
            ";GUIDSPLIT=#\n"
            "  csvMaxLine  =  500  \r\n"
            "Minus=-1\r\nLetters=abc\r\nTrailing=12abc\r\nEmpty=\r\n"
            "Quoted=\"  ; \"\r\n"
            "Version=v3\r\n"
            "Long=" + std::string(1022, 'a') + settingsFileText("あ") + "\r\n"
            "[Kexporter]\r\nLater=1\r\n");
  const auto readInt = [&ini](const char* key) { return ExportSettings::readIntAt(ini, "Kexporter", key); };
  const auto readString = [&ini](const char* key) {
    return ExportSettings::readStringAt(ini, "Kexporter", key);
  };
  EXPECT_EQ(readInt("CSVMAXLINE"), 500);
  EXPECT_EQ(readInt("MINUS"), -1);
  EXPECT_EQ(readInt("Letters"), 0);
  EXPECT_EQ(readInt("Trailing"), 12);
  EXPECT_EQ(readInt("Empty"), -1);
  EXPECT_EQ(readInt("Missing"), -1);
  EXPECT_EQ(readInt("Later"), -1);  // only the first section of the name
  EXPECT_EQ(readString("GUIDSPLIT"), "");
  EXPECT_EQ(readString("Quoted"), "  ; ");
  EXPECT_EQ(readString("VERSION"), "v3");
  // 1023 bytes would split the last character: it is left out whole.
  EXPECT_EQ(readString("Long"), std::string(1022, 'a'));
  EXPECT_EQ(ExportSettings::readIntAt(ini, "Missing", "CSVMAXLINE"), -1);
  EXPECT_EQ(ExportSettings::readIntAt(folder / "none.ini", "Kexporter", "CSVMAXLINE"), -1);

  // The program reads only the file beside itself (the test program has
  // none), not the one in the current folder.
  {
    const ScopedWorkingFolder working(folder.path());
    EXPECT_EQ(ExportSettings::readInt("Kexporter.ini", "Kexporter", "CSVMAXLINE"), -1);
  }
  const std::string programs = programFolder();
  ASSERT_FALSE(programs.empty());
  EXPECT_EQ(programs.back(), fs::path::preferred_separator);
  EXPECT_TRUE(fs::exists(fs::u8path(programs + TEST_PROGRAM_NAME)));
}

}  // namespace
