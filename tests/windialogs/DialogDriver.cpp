#include "DialogDriver.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <fstream>
#include <thread>

#include "Frontend.h"
#include "Pelcore/PelWin32Text.h"

namespace {

const int kMessageBoxTextId = 0xFFFF;
const auto kPatience = std::chrono::seconds(10);
const auto kPoll = std::chrono::milliseconds(50);

struct Search {
  DWORD pid;
  const std::function<bool(HWND)>* accepted;
  HWND found;
};

BOOL CALLBACK acceptWindow(HWND window, LPARAM parameter) {
  auto* search = reinterpret_cast<Search*>(parameter);
  DWORD pid = 0;
  GetWindowThreadProcessId(window, &pid);
  if (search->pid != 0 && pid != search->pid) return TRUE;
  if (!IsWindowVisible(window) || !(*search->accepted)(window)) return TRUE;
  search->found = window;
  return FALSE;
}

std::string screenshotFolder() {
  const char* linuxPath = std::getenv("KEXPORTER_SCREENSHOT_DIR");
  if (linuxPath == nullptr || *linuxPath == '\0') return std::string();
  std::string folder = std::string("Z:") + linuxPath;
  for (char& c : folder) c = c == '/' ? '\\' : c;
  return folder;
}

}  // namespace

HWND waitForWindow(DWORD pid, const std::function<bool(HWND)>& accepted) {
  const auto deadline = std::chrono::steady_clock::now() + kPatience;
  do {
    Search search{pid, &accepted, nullptr};
    EnumWindows(&acceptWindow, reinterpret_cast<LPARAM>(&search));
    if (search.found != nullptr) return search.found;
    std::this_thread::sleep_for(kPoll);
  } while (std::chrono::steady_clock::now() < deadline);
  return nullptr;
}

HWND waitForDialog(DWORD pid, int controlId) {
  return waitForWindow(pid, [controlId](HWND window) {
    return windowText(window) == kProgramTitle && GetDlgItem(window, controlId) != nullptr;
  });
}

HWND waitForMessageBox(DWORD pid) {
  return waitForWindow(pid, [](HWND window) { return GetDlgItem(window, kMessageBoxTextId) != nullptr; });
}

bool waitUntil(const std::function<bool()>& condition) {
  const auto deadline = std::chrono::steady_clock::now() + kPatience;
  while (!condition()) {
    if (std::chrono::steady_clock::now() > deadline) return false;
    std::this_thread::sleep_for(kPoll);
  }
  return true;
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
  const std::string folder = screenshotFolder();
  if (folder.empty()) return;
  RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN | RDW_FRAME);
  std::this_thread::sleep_for(std::chrono::milliseconds(300));
  RECT frame;
  GetWindowRect(window, &frame);
  const std::string base = folder + "\\" + name;
  {
    std::ofstream request(base + ".new");
    request << frame.right - frame.left << 'x' << frame.bottom - frame.top << '+' << frame.left << '+'
            << frame.top;
  }
  MoveFileExA((base + ".new").c_str(), (base + ".request").c_str(), MOVEFILE_REPLACE_EXISTING);
  const auto deadline = std::chrono::steady_clock::now() + kPatience;
  while (GetFileAttributesA((base + ".request").c_str()) != INVALID_FILE_ATTRIBUTES) {
    if (std::chrono::steady_clock::now() > deadline) break;
    std::this_thread::sleep_for(kPoll);
  }
  EXPECT_NE(GetFileAttributesA((base + ".png").c_str()), INVALID_FILE_ATTRIBUTES) << name << ".png";
}
