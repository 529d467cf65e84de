#include "DialogDriver.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <fstream>
#include <thread>

#include "Frontend.h"
#include "Pelcore/PelWin32Text.h"

HWND waitForWindow(DWORD pid, const std::function<bool(HWND)>& accepted) {
  HWND found = nullptr;
  waitUntil([&] {
    while ((found = FindWindowExW(nullptr, found, nullptr, nullptr)) != nullptr) {
      DWORD owner = 0;
      GetWindowThreadProcessId(found, &owner);
      if (owner == pid && IsWindowVisible(found) && accepted(found)) return true;
    }
    return false;
  });
  return found;
}

HWND waitForDialog(DWORD pid, int controlId) {
  return waitForWindow(pid, [controlId](HWND window) {
    return windowText(window) == kProgramTitle && GetDlgItem(window, controlId) != nullptr;
  });
}

bool waitUntilGone(HWND window) {
  return waitUntil([window] { return !IsWindow(window) || !IsWindowVisible(window); });
}

std::string windowText(HWND window) {
  // GetWindowText does not read the controls of another process; the
  // message does.
  const LRESULT length = SendMessageW(window, WM_GETTEXTLENGTH, 0, 0);
  std::wstring text(length + 1, L'\0');
  text.resize(SendMessageW(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data())));
  return utf8Of(text);
}

std::string controlText(HWND dialog, int id) { return windowText(GetDlgItem(dialog, id)); }

void setControlText(HWND dialog, int id, const std::string& utf8) {
  const std::wstring wide = widened(utf8);
  SendMessageW(GetDlgItem(dialog, id), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(wide.c_str()));
}

void click(HWND dialog, int id) { PostMessageW(GetDlgItem(dialog, id), BM_CLICK, 0, 0); }

void saveScreenshot(HWND window, const std::string& name) {
  const char* linuxFolder = std::getenv("KEXPORTER_SCREENSHOT_DIR");
  if (linuxFolder == nullptr || *linuxFolder == '\0') return;
  std::string base = std::string("Z:") + linuxFolder + "/" + name;
  std::replace(base.begin(), base.end(), '/', '\\');
  RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN | RDW_FRAME);
  std::this_thread::sleep_for(std::chrono::milliseconds(300));
  RECT frame;
  GetWindowRect(window, &frame);
  std::ofstream(base + ".new") << frame.right - frame.left << 'x' << frame.bottom - frame.top << '+'
                               << frame.left << '+' << frame.top;
  MoveFileExA((base + ".new").c_str(), (base + ".request").c_str(), MOVEFILE_REPLACE_EXISTING);
  waitUntil([&base] { return GetFileAttributesA((base + ".request").c_str()) == INVALID_FILE_ATTRIBUTES; });
  EXPECT_NE(GetFileAttributesA((base + ".png").c_str()), INVALID_FILE_ATTRIBUTES) << name << ".png";
}
