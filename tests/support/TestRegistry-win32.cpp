#include <gtest/gtest.h>
#include <windows.h>

#include "TestRegistry.h"

namespace {

// regedit's own export form: UTF-16LE with its byte-order mark, CR LF.
std::string regeditFile(const std::string& keys) {
  const int size = static_cast<int>(keys.size());
  std::wstring wide(MultiByteToWideChar(CP_UTF8, 0, keys.data(), size, nullptr, 0), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, keys.data(), size, wide.data(), static_cast<int>(wide.size()));
  std::wstring text = L"\uFEFFWindows Registry Editor Version 5.00\r\n\r\n";
  for (wchar_t c : wide) {
    if (c == L'\n') text += L'\r';
    text += c;
  }
  std::string bytes;
  for (wchar_t c : text) bytes += {static_cast<char>(c & 0xFF), static_cast<char>((c >> 8) & 0xFF)};
  return bytes;
}

std::vector<std::string> keysOf(const std::string& keys) {
  std::vector<std::string> found;
  std::size_t start = 0;
  while (start < keys.size()) {
    std::size_t end = keys.find('\n', start);
    if (end == std::string::npos) end = keys.size();
    const std::string line = keys.substr(start, end - start);
    if (line.size() > 2 && line.front() == '[' && line.back() == ']') found.push_back(line.substr(1, line.size() - 2));
    start = end + 1;
  }
  return found;
}

void removeKeys(const std::vector<std::string>& keys) {
  for (const std::string& key : keys) commandOutput("reg.exe delete \"" + key + "\" /f");
}

}  // namespace

TestRegistry::TestRegistry(const std::string& keys) { write(keys); }

TestRegistry::~TestRegistry() { removeKeys(written_); }

void TestRegistry::write(const std::string& keys) {
  removeKeys(written_);
  written_ = keysOf(keys);
  if (written_.empty()) return;
  writeFile(folder_ / "import.reg", regeditFile(keys));
  std::string file = folder_ / "import.reg";
  for (char& c : file) c = c == '/' ? '\\' : c;
  EXPECT_TRUE(commandOutput("regedit.exe /S \"" + file + "\"").has_value()) << "regedit /S " << file;
}
