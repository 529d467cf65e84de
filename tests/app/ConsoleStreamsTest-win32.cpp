#include "ConsoleStreams.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <istream>
#include <ostream>
#include <string>

namespace {

// A Japanese folder name typed in the console and a Japanese prompt shown
// there pass as UTF-8 whatever the console's code page.
TEST(ConsoleStreams, ReadAndWriteJapaneseTextOnTheConsole) {
  ASSERT_TRUE(isTerminal(stdout));
  standardOutput() << "データ出力先: " << std::flush;
  const HANDLE out = GetStdHandle(STD_OUTPUT_HANDLE);
  CONSOLE_SCREEN_BUFFER_INFO info{};
  GetConsoleScreenBufferInfo(out, &info);
  std::wstring shown(info.dwCursorPosition.X, L' ');  // the cursor's line before it
  DWORD read = 0;
  ReadConsoleOutputCharacterW(out, shown.data(), static_cast<DWORD>(shown.size()), {0, info.dwCursorPosition.Y}, &read);
  EXPECT_NE(shown.substr(0, read).find(L"データ出力先: "), std::wstring::npos);

  for (wchar_t c : std::wstring(L"C:\\出力\r")) {  // typed as key presses
    INPUT_RECORD record{};
    record.EventType = KEY_EVENT;
    record.Event.KeyEvent.bKeyDown = TRUE;
    record.Event.KeyEvent.wRepeatCount = 1;
    record.Event.KeyEvent.uChar.UnicodeChar = c;
    if (c == L'\r') record.Event.KeyEvent.wVirtualKeyCode = VK_RETURN;
    DWORD written = 0;
    WriteConsoleInputW(GetStdHandle(STD_INPUT_HANDLE), &record, 1, &written);
  }
  std::string line;
  ASSERT_TRUE(std::getline(standardInput(), line));
  EXPECT_EQ(line, "C:\\出力");
}

}  // namespace
