#ifndef TESTS_WINDIALOGS_DIALOGDRIVER_H
#define TESTS_WINDIALOGS_DIALOGDRIVER_H

#include <windows.h>

#include <functional>
#include <string>

#include "TestSupport.h"

// What a test does to the program's windows, as a person would: find a
// window, type into a field, click a button, read a text, look at it.

// Waits (see waitUntil) for a visible top-level window of process pid
// that accepted takes; null when none came.
HWND waitForWindow(DWORD pid, const std::function<bool(HWND)>& accepted);
// A window of the program (the program title) holding control id.
HWND waitForDialog(DWORD pid, int controlId);
// Whether the window went (see waitUntil).
bool waitUntilGone(HWND window);

std::string windowText(HWND window);
std::string controlText(HWND dialog, int id);
// Sets the text as typing would (the field reports the change).
void setControlText(HWND dialog, int id, const std::string& utf8);
// Clicks the button without waiting for what the click starts.
void click(HWND dialog, int id);

// Saves a picture of window as NAME.png in KEXPORTER_SCREENSHOT_DIR (the
// X server's screen, cut by the test run's script); nothing without it.
void saveScreenshot(HWND window, const std::string& name);

#endif
