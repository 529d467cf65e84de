#include "ConsoleStreams.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <istream>
#include <ostream>
#include <string>

namespace {

// Types `text` into the console's input as key presses.
void type(const std::wstring& text) {
  for (wchar_t c : text) {
    INPUT_RECORD record{};
    record.EventType = KEY_EVENT;
    record.Event.KeyEvent.bKeyDown = TRUE;
    record.Event.KeyEvent.wRepeatCount = 1;
    record.Event.KeyEvent.uChar.UnicodeChar = c;
    if (c == L'\r') record.Event.KeyEvent.wVirtualKeyCode = VK_RETURN;
    DWORD written = 0;
    WriteConsoleInputW(GetStdHandle(STD_INPUT_HANDLE), &record, 1, &written);
  }
}

// The console's text on the cursor's line before the cursor.
std::wstring textBeforeCursor() {
  const HANDLE out = GetStdHandle(STD_OUTPUT_HANDLE);
  CONSOLE_SCREEN_BUFFER_INFO info{};
  GetConsoleScreenBufferInfo(out, &info);
  std::wstring text(info.dwCursorPosition.X, L' ');
  DWORD read = 0;
  ReadConsoleOutputCharacterW(out, text.data(), static_cast<DWORD>(text.size()), {0, info.dwCursorPosition.Y}, &read);
  text.resize(read);
  return text;
}

// A Japanese folder name typed in the console and a Japanese prompt shown
// there pass as UTF-8 whatever the console's code page.
TEST(ConsoleStreams, ReadAndWriteJapaneseTextOnTheConsole) {
  ASSERT_TRUE(isTerminal(stdout));
  standardOutput() << "データ出力先: " << std::flush;
  EXPECT_NE(textBeforeCursor().find(L"データ出力先: "), std::wstring::npos);

  type(L"C:\\出力\r");
  std::string line;
  ASSERT_TRUE(std::getline(standardInput(), line));
  EXPECT_EQ(line, "C:\\出力");
}

}  // namespace
