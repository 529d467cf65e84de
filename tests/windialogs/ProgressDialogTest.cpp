#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>

#include "DialogDriver.h"
#include "DialogResources.h"
#include "ProgressDialog.h"

// The window lives on its own thread; each update has been applied when the
// call returns; Esc does not end it, end() does and waits for its thread.
TEST(ProgressDialogTest, ShowsUpdatesAndEndsOnlyWhenTold) {
  INITCOMMONCONTROLSEX controls = {sizeof(controls), ICC_PROGRESS_CLASS};
  InitCommonControlsEx(&controls);
  ProgressDialog progress;
  HWND window = progress.window();
  ASSERT_NE(window, nullptr);
  const auto barPosition = [window] { return SendMessageW(GetDlgItem(window, IDC_PROGRESS_BAR), PBM_GETPOS, 0, 0); };
  EXPECT_NE(GetWindowThreadProcessId(window, nullptr), GetCurrentThreadId());

  progress.setMessage("TSIをエクスポート中です。\r\n");
  EXPECT_EQ(controlText(window, IDC_PROGRESS_TEXT), "TSIをエクスポート中です。\r\n");
  DWORD start = 0, end = 0;
  SendMessageW(GetDlgItem(window, IDC_PROGRESS_TEXT), EM_GETSEL, reinterpret_cast<WPARAM>(&start),
               reinterpret_cast<LPARAM>(&end));
  EXPECT_EQ(start, 14u);  // before the closing CR LF
  EXPECT_EQ(end, 14u);

  // The percentages themselves are the shared progress view's.
  progress.setTotal(200);
  progress.setPosition(100);
  EXPECT_EQ(barPosition(), 50);
  saveScreenshot(window, "progress");

  SendMessageW(window, WM_COMMAND, IDCANCEL, 0);
  // Esc goes through the window's message loop; the selection posted after
  // it tells when the loop has taken both.
  const HWND text = GetDlgItem(window, IDC_PROGRESS_TEXT);
  PostMessageW(text, WM_KEYDOWN, VK_ESCAPE, 0);
  PostMessageW(text, EM_SETSEL, 0, 0);
  EXPECT_TRUE(waitUntil([text] { return LOWORD(SendMessageW(text, EM_GETSEL, 0, 0)) == 0; }));
  EXPECT_TRUE(IsWindow(window)) << "Esc ended the progress window";

  progress.end();
  EXPECT_FALSE(IsWindow(window));
  EXPECT_EQ(progress.window(), nullptr);
  progress.setPosition(0);  // a late update to the closed window is dropped
}
