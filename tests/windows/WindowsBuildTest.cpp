#include <sqlite3.h>
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "Pelcore/PelWin32Text.h"
#include "ProgramVersion.h"
#include "TestSupport.h"

// What the Windows build's other tests take for granted: the header and the
// library are the one SQLite built from Debian's sources, which takes UTF-8
// file names (the file lands under its Japanese name, not under the ANSI
// reading of its bytes), and the code page is a Japanese Windows' (the
// narrow system calls and the settings file's bytes are CP932 there).
TEST(WindowsBuild, SqliteTakesUtf8NamesUnderTheJapaneseAnsiCodePage) {
  EXPECT_EQ(GetACP(), 932u);
  EXPECT_STREQ(sqlite3_sourceid(), SQLITE_SOURCE_ID);
  TempFolder folder;
  const std::string path = folder / "データ.db";
  sqlite3* db = nullptr;
  ASSERT_EQ(sqlite3_open(path.c_str(), &db), SQLITE_OK);
  EXPECT_EQ(sqlite3_exec(db, "CREATE TABLE t(x TEXT)", nullptr, nullptr, nullptr), SQLITE_OK);
  sqlite3_close(db);
  EXPECT_TRUE(std::filesystem::exists(std::filesystem::u8path(path))) << path;
}

// Explorer's properties show the version resource; --version prints the
// same version, from the one place the build keeps it.
TEST(WindowsBuild, TheProgramsVersionResourceAndVersionOptionAgree) {
  std::string path = "Z:" KEXPORTERRUN_PATH;
  std::replace(path.begin(), path.end(), '/', '\\');
  const std::wstring program = widened(path);
  DWORD ignored = 0;
  std::vector<char> data(GetFileVersionInfoSizeW(program.c_str(), &ignored));
  ASSERT_FALSE(data.empty()) << path;
  ASSERT_TRUE(GetFileVersionInfoW(program.c_str(), 0, static_cast<DWORD>(data.size()), data.data()));
  const auto value = [&](const wchar_t* name) {
    void* text = nullptr;
    UINT length = 0;
    const std::wstring key = std::wstring(L"\\StringFileInfo\\041104B0\\") + name;
    return VerQueryValueW(data.data(), key.c_str(), &text, &length) ? utf8Of(static_cast<wchar_t*>(text)) : "";
  };
  EXPECT_EQ(value(L"FileVersion"), KEXPORTER_VERSION);
  EXPECT_EQ(value(L"ProductVersion"), KEXPORTER_VERSION);
  EXPECT_EQ(value(L"ProductName"), "Kexporterrun");
  EXPECT_EQ(value(L"FileDescription"), "KLX to MPVコンバータ[エクスポータ]");
  const std::optional<std::string> shown = commandOutput("\"" + path + "\" --version");
  ASSERT_TRUE(shown.has_value());
  EXPECT_NE(shown->find(KEXPORTER_VERSION), std::string::npos) << *shown;
}
