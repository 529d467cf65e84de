#include "ExportSettings.h"

#include <gtest/gtest.h>

#include <climits>
#ifndef _WIN32
#include <sys/stat.h>
#endif
#include <filesystem>

#include "SupportRoutines.h"
#include "TestSupport.h"

namespace fs = std::filesystem;

namespace {

// The UTF-16 bytes of ASCII text, with its byte-order mark.
std::string utf16(const std::string& ascii, bool bigEndian) {
  std::string bytes = bigEndian ? "\xFE\xFF" : "\xFF\xFE";
  for (char c : ascii) bytes += bigEndian ? std::string{'\0', c} : std::string{c, '\0'};
  return bytes;
}

TEST(ExportSettingsTest, ReadsValuesByThePrivateProfileRulesOnlyBesideTheProgram) {
  TempFolder folder;
  const std::string ini = folder / "Kexporter.ini";
  writeFile(ini,
            "[Other]\r\nCSVMAXLINE=7\r\n"
            "; CSVMAXLINE=8\r\n"
            "  [ kexporter ]  \r\n"
            ";GUIDSPLIT=#\n"
            "  csvMaxLine  =  500  \r"
            "Minus=-1\r\nLetters=abc\r\nTrailing=12abc\r\nEmpty=\r\n"
            "Plus=+3\nHex=0x3\nSpaced=\" 4 \"\nHuge=4294967299\nHugeNegative=-99999999999999999999\n"
            "Quoted=\"  ; \"\r\n"
            "Version=v3\r\n"
            "Long=" + std::string(1022, 'a') + "あ\r\n"
            "Longest=" + std::string(1024, 'b') + "\r\n"
            "[Kexporter]\r\nLater=1\r\n");
  const auto readInt = [&ini](const char* key) { return ExportSettings::readIntAt(ini, "Kexporter", key); };
  const auto readString = [&ini](const char* key) {
    return ExportSettings::readStringAt(ini, "Kexporter", key);
  };
  EXPECT_EQ(readInt("CSVMAXLINE"), 500);  // ended by a CR alone
  EXPECT_EQ(readInt("MINUS"), -1);
  EXPECT_EQ(readInt("Letters"), 0);
  EXPECT_EQ(readInt("Trailing"), 12);
  EXPECT_EQ(readInt("Empty"), -1);
  EXPECT_EQ(readInt("Missing"), -1);
  EXPECT_EQ(readInt("Later"), -1);  // only the first section of the name
  // One integer rule on every platform: a minus sign and digits, nothing else.
  EXPECT_EQ(readInt("Plus"), 0);
  EXPECT_EQ(readInt("Hex"), 0);
  EXPECT_EQ(readInt("Spaced"), 0);
  EXPECT_EQ(readInt("Huge"), INT_MAX);
  EXPECT_EQ(readInt("HugeNegative"), INT_MIN);
  EXPECT_EQ(readString("GUIDSPLIT"), "");
  EXPECT_EQ(readString("Quoted"), "  ; ");
  EXPECT_EQ(readString("VERSION"), "v3");
  // 1023 bytes would split the last character: it is left out whole.
  EXPECT_EQ(readString("Long"), std::string(1022, 'a'));
  EXPECT_EQ(readString("Longest"), std::string(1023, 'b'));
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

// The same bytes give the same settings on every platform, whatever
// encoding the editor saved them in; what is no settings file gives none.
TEST(ExportSettingsTest, ReadsEveryEncodingAlikeAndOnlyARegularFile) {
  TempFolder folder;
  const std::string ini = folder / "Kexporter.ini";
  const struct {
    const char* what;
    std::string bytes;
    std::string split;
  } cases[] = {
      {"UTF-16LE", utf16("[Kexporter]\r\nGUIDSPLIT=;\r\n", false), ";"},
      {"UTF-16BE", utf16("[Kexporter]\rGUIDSPLIT=;\r", true), ";"},
      {"UTF-8 with its mark", "\xEF\xBB\xBF[Kexporter]\nGUIDSPLIT=・\n", "・"},
      {"UTF-8 without one", "[Kexporter]\nGUIDSPLIT=・\n", "・"},
      {"CP932, no UTF-8", "[Kexporter]\r\nGUIDSPLIT=\x81\x45\xB1\r\n", "・ｱ"},
      {"larger than any settings file",
       "[Kexporter]\nGUIDSPLIT=;\n" + std::string(1024 * 1024, ';'), ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    writeFile(ini, c.bytes);
    EXPECT_EQ(c.split, ExportSettings::readStringAt(ini, "Kexporter", "GUIDSPLIT"));
  }

  fs::remove(ini);
  fs::create_directory(ini);
  EXPECT_EQ(-1, ExportSettings::readIntAt(ini, "Kexporter", "CSVMAXLINE"));
#ifndef _WIN32
  // Neither waited on nor read without end.
  fs::remove(ini);
  ASSERT_EQ(0, mkfifo(ini.c_str(), 0600));
  EXPECT_EQ(-1, ExportSettings::readIntAt(ini, "Kexporter", "CSVMAXLINE"));
  fs::remove(ini);
  fs::create_symlink("/dev/zero", ini);
  EXPECT_EQ(-1, ExportSettings::readIntAt(ini, "Kexporter", "CSVMAXLINE"));
#endif
}

}  // namespace
