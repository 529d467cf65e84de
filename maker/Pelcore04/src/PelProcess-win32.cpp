#include <windows.h>

#include <vector>

#include "Pelcore/PelProcess.h"
#include "PelPath.h"
#include "Pelcore/PelWin32Text.h"

const char* const kPelPathSeparators = "\\/";

std::string pelProgramPath() {
  // The buffer grows until the whole path fits: a cut path would name
  // another file.
  std::vector<wchar_t> buffer(520);
  for (;;) {
    const DWORD length = GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
    if (length == 0) return std::string();
    if (length < buffer.size()) return utf8Of(std::wstring(buffer.data(), length));
    buffer.resize(buffer.size() * 2);
  }
}
