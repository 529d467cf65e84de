#include "ExportSettings.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>

#include "TestSupport.h"
#include "SupportRoutines.h"

namespace fs = std::filesystem;

namespace {

TEST(ExportSettingsTest, ReadsValuesByThePrivateProfileRules) {
  TempFolder folder;
  std::string ini = folder / "Kexporter.ini";
  std::string longValue = std::string(1022, 'a') + "あ";
  writeFile(ini,
             "[Other]\r\n"
             "CSVMAXLINE=7\r\n"
             "; CSVMAXLINE=8\r\n"
             "  [ kexporter ]  \r\n"
             ";GUIDSPLIT=#\n"
             "  csvMaxLine  =  500  \r\n"
             "Minus=-1\r\n"
             "Letters=abc\r\n"
             "Trailing=12abc\r\n"
             "Huge=99999999999999999999\r\n"
             "Empty=\r\n"
             "Quoted=\"  ; \"\r\n"
             "Single='x'\r\n"
             "Version=v3\r\n"
             "Long=" + longValue + "\r\n"
             "[Kexporter]\r\n"
             "Later=1\r\n");
  auto readInt = [&ini](const char* key) {
    return ExportSettings::readIntAt(ini, "Kexporter", key);
  };
  auto readString = [&ini](const char* key) {
    return ExportSettings::readStringAt(ini, "Kexporter", key);
  };
  EXPECT_EQ(readInt("CSVMAXLINE"), 500);
  EXPECT_EQ(readInt("MINUS"), -1);
  EXPECT_EQ(readInt("Letters"), 0);
  EXPECT_EQ(readInt("Trailing"), 12);
  EXPECT_EQ(readInt("Huge"), 2147483647);
  EXPECT_EQ(readInt("Empty"), -1);
  EXPECT_EQ(readInt("Missing"), -1);
  EXPECT_EQ(readInt("Later"), -1);  // only the first section of the name
  EXPECT_EQ(readString("GUIDSPLIT"), "");
  EXPECT_EQ(readString("Quoted"), "  ; ");
  EXPECT_EQ(readString("Single"), "x");
  EXPECT_EQ(readString("VERSION"), "v3");
  // 1023 bytes would split the last character: it is left out whole.
  EXPECT_EQ(readString("Long"), std::string(1022, 'a'));
  EXPECT_EQ(ExportSettings::readIntAt(ini, "Missing", "CSVMAXLINE"), -1);
  EXPECT_EQ(ExportSettings::readIntAt(folder / "none.ini", "Kexporter", "CSVMAXLINE"), -1);
  EXPECT_EQ(ExportSettings::readStringAt(folder / "none.ini", "Kexporter", "GUIDSPLIT"), "");
}

TEST(ExportSettingsTest, ReadsOnlyTheFileBesideTheProgram) {
  TempFolder folder;
  writeFile(folder / "Kexporter.ini", "[Kexporter]\r\nCSVMAXLINE=4711\r\nVERSION=elsewhere\r\n");
  std::string previous = fs::current_path().string();
  ASSERT_EQ(chdir(folder.path().c_str()), 0);
  int maxLines = ExportSettings::readInt("Kexporter.ini", "Kexporter", "CSVMAXLINE");
  std::string version = ExportSettings::readString("Kexporter.ini", "Kexporter", "VERSION");
  ASSERT_EQ(chdir(previous.c_str()), 0);
  EXPECT_NE(maxLines, 4711);
  EXPECT_NE(version, "elsewhere");
  EXPECT_EQ(maxLines, ExportSettings::readIntAt(programFolder() + "Kexporter.ini",
                                                "Kexporter", "CSVMAXLINE"));
  EXPECT_EQ(programFolder(), fs::read_symlink("/proc/self/exe").parent_path().string() + "/");
}

}  // namespace
