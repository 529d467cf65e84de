#include "ProgramEnvironment.h"

#include <windows.h>
#include <shellapi.h>

#include <filesystem>

#include "Pelcore/PelWin32Text.h"

std::vector<std::string> programArguments(int argc, char** argv) {
  int count = 0;
  LPWSTR* wide = CommandLineToArgvW(GetCommandLineW(), &count);
  if (wide == nullptr) return {argv, argv + argc};
  std::vector<std::string> arguments;
  for (int i = 0; i < count; ++i) arguments.push_back(utf8Of(wide[i]));
  LocalFree(wide);
  return arguments;
}

std::string executableBaseName(const char* argv0) {
  wchar_t path[MAX_PATH * 4];
  const DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH * 4);
  if (length == 0 || length >= MAX_PATH * 4) return std::filesystem::path(argv0).stem().string();
  return utf8Of(std::filesystem::path(std::wstring(path, length)).stem().wstring());
}

bool hasDisplay() {
  // A desktop that takes windows; a process without one (a service, Wine
  // without an X display) runs the terminal flow.
  HWND probe = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr,
                               GetModuleHandleW(nullptr), nullptr);
  if (probe == nullptr) return false;
  DestroyWindow(probe);
  return true;
}
