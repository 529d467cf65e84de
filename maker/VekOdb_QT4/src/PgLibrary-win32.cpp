#include <windows.h>

#include "PgLibrary.h"
#include "Pelcore/PelProcess.h"
#include "Pelcore/PelWin32Text.h"

void* loadPgClient(std::string& why) {
  // From the program's own folder only, by its full path: a libpq.dll
  // planted in the current folder or on PATH is never loaded.
  std::string path = pelProgramPath();
  path = path.substr(0, path.find_last_of("\\/") + 1) + "libpq.dll";
  HMODULE client = LoadLibraryExW(widened(path).c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
  if (client == nullptr) why = "cannot load " + path + " (error " + std::to_string(GetLastError()) + ")";
  return reinterpret_cast<void*>(client);
}

void* findPgFunction(void* client, const char* name) {
  return reinterpret_cast<void*>(GetProcAddress(static_cast<HMODULE>(client), name));
}
