#include <gtest/gtest.h>
#include <windows.h>

#include <cstring>
#include <sstream>
#include <utility>

#include "Pelcore/PelWin32Text.h"
#include "TestRegistry.h"

namespace {

// regedit's own export form: UTF-16LE with its byte-order mark, CR LF.
std::string regeditFile(const std::string& keys) {
  std::wstring text = L"\uFEFFWindows Registry Editor Version 5.00\r\n\r\n";
  for (wchar_t c : widened(keys)) text += c == L'\n' ? std::wstring(L"\r\n") : std::wstring(1, c);
  return std::string(reinterpret_cast<const char*>(text.data()), text.size() * sizeof(wchar_t));
}

std::vector<std::string> keysOf(const std::string& keys) {
  std::vector<std::string> found;
  std::istringstream lines(keys);
  for (std::string line; std::getline(lines, line);) {
    if (line.size() > 2 && line.front() == '[' && line.back() == ']') found.push_back(line.substr(1, line.size() - 2));
  }
  return found;
}

// Deletes each key with all below it; the keys are written hive first, in
// full, as the tests write them.
void removeKeys(const std::vector<std::string>& keys) {
  const std::pair<const char*, HKEY> hives[] = {{"HKEY_LOCAL_MACHINE\\", HKEY_LOCAL_MACHINE},
                                                {"HKEY_CURRENT_USER\\", HKEY_CURRENT_USER}};
  for (const std::string& key : keys) {
    for (const auto& [name, hive] : hives) {
      if (key.rfind(name, 0) != 0) continue;
      const std::wstring path = widened(key.substr(std::strlen(name)));
      RegDeleteTreeW(hive, path.c_str());
      RegDeleteKeyW(hive, path.c_str());
    }
  }
}

}  // namespace

TestRegistry::TestRegistry(const std::string& keys) { write(keys); }

TestRegistry::~TestRegistry() { removeKeys(written_); }

void TestRegistry::write(const std::string& keys) {
  removeKeys(written_);
  written_ = keysOf(keys);
  removeKeys(written_);  // what a test that broke off left behind
  if (written_.empty()) return;
  const std::string file = folder_.path() + "\\import.reg";
  writeFile(file, regeditFile(keys));
  EXPECT_TRUE(commandOutput("regedit.exe /S \"" + file + "\"").has_value()) << "regedit /S " << file;
}
