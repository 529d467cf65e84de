// What only Windows has: its full paths, and how its process ends.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <thread>

#include "FileLines.h"
#include "OutputFolder.h"
#include "TestSupport.h"
#include "Pelcore/PelWin32Text.h"

namespace fs = std::filesystem;

namespace {

std::string inFolder(const TempFolder& folder, const std::string& name) { return folder.path() + "\\" + name; }

TEST(OutputFolderTest, FullPathsComeFromTheSystemWithBackslashes) {
  TempFolder folder;
  const ScopedWorkingFolder working(folder.path());
  const std::string base = fs::current_path().string();
  const std::pair<std::string, std::string> cases[] = {
      {"C:\\out\\.\\sub", "C:\\out\\sub"}, {"C:/out/a/../sub/", "C:\\out\\sub\\"}, {"C:\\..\\..", "C:\\"},
      {"out", base + "\\out"}, {"..\\out\\", fs::path(base).parent_path().string() + "\\out\\"},
  };
  for (const auto& [text, full] : cases) EXPECT_EQ(fullPathOf(text), full) << text;
}

// Run as a child by the test below: a thread writes lines of 1 MiB without
// end until the process is ended between two of them.
TEST(FileLines, DISABLED_WritesUntilEnded) {
  const std::wstring path = widened(std::getenv("KEXPORTER_LINES_FILE"));
  const HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_ALWAYS, 0, nullptr);
  std::thread([file] {
    const std::string line = std::string(1 << 20, 'x') + "\r\n";
    for (;;) writeLine(reinterpret_cast<NativeFile>(file), line);
  }).detach();
  // Ended once the first line is there, while the thread writes the next.
  waitUntil([file] {
    LARGE_INTEGER size{};
    return !GetFileSizeEx(file, &size) || size.QuadPart > 0;
  });
  endBetweenLines(42);
}

TEST(FileLines, EndsTheProcessBetweenTwoLinesWithTheCode) {
  TempFolder folder;
  const std::string lines = inFolder(folder, "lines.txt");
  const ScopedEnvironment target("KEXPORTER_LINES_FILE", lines.c_str());
  wchar_t self[MAX_PATH];
  GetModuleFileNameW(nullptr, self, MAX_PATH);
  const long code = ChildProcess("\"" + utf8Of(self) +
                                 "\" --gtest_filter=FileLines.DISABLED_WritesUntilEnded --gtest_also_run_disabled_tests")
                        .finish();
  EXPECT_EQ(code, 42);
  const std::uintmax_t size = fs::file_size(lines);
  EXPECT_GT(size, 0u);
  EXPECT_EQ(size % ((1 << 20) + 2), 0u);
}

}  // namespace
