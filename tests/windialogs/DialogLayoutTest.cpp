#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>

#include <array>
#include <string>

#include "DialogDriver.h"
#include "DialogLayout.h"
#include "DialogResources.h"
#include "Frontend.h"
#include "Pelcore/PelWin32Text.h"

namespace {

// The templates share their rectangles and texts with the Qt dialogs
// through DialogLayout.h; what only the built resources can get wrong is
// checked here: the font they map dialog units with, the title bar and
// texts cut by their controls.
struct Template {
  int resourceId;
  int width, height;
  bool closeBox;
};

const Template kTemplates[] = {{IDD_START, START_DIALOG_SIZE, true},
                               {IDD_OUTPUT_FOLDER, FOLDER_DIALOG_SIZE, true},
                               {IDD_PROGRESS, PROGRESS_DIALOG_SIZE, false},
                               {IDD_RESULT, RESULT_DIALOG_SIZE, true}};

INT_PTR CALLBACK passiveProcedure(HWND, UINT message, WPARAM, LPARAM) {
  return message == WM_INITDIALOG ? TRUE : FALSE;
}

// The dialog manager maps a control's position and its size each on its
// own, so its right edge is mapped x plus mapped width.
std::array<LONG, 4> pixelsOf(HWND dialog, int x, int y, int width, int height) {
  RECT units = {x, y, width, height};
  MapDialogRect(dialog, &units);
  return {units.left, units.top, units.left + units.right, units.top + units.bottom};
}

std::array<LONG, 4> edgesOf(const RECT& rect) { return {rect.left, rect.top, rect.right, rect.bottom}; }

// The width of a control's text on one line in the control's own font.
LONG textWidth(HWND control) {
  const std::wstring text = widened(windowText(control));
  HDC dc = GetDC(control);
  const HGDIOBJ before = SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageW(control, WM_GETFONT, 0, 0)));
  SIZE size{};
  GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &size);
  SelectObject(dc, before);
  ReleaseDC(control, dc);
  return size.cx;
}

}  // namespace

// Every template has the dialog font, its size in dialog units of that
// font, the program's title bar, and no static text wider than its control.
TEST(DialogLayoutTest, TemplatesUseTheDialogFontAndCutNoText) {
  INITCOMMONCONTROLSEX controls = {sizeof(controls), ICC_PROGRESS_CLASS};
  InitCommonControlsEx(&controls);
  HDC screen = GetDC(nullptr);
  const LONG fontHeight = -MulDiv(KEXPORTER_DIALOG_FONT_POINTS, GetDeviceCaps(screen, LOGPIXELSY), 72);
  ReleaseDC(nullptr, screen);
  for (const Template& layout : kTemplates) {
    const std::string name = "dialog " + std::to_string(layout.resourceId);
    HWND dialog = CreateDialogParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(layout.resourceId),
                                     nullptr, &passiveProcedure, 0);
    ASSERT_NE(dialog, nullptr) << name;
    LOGFONTW font = {};
    GetObjectW(reinterpret_cast<HFONT>(SendMessageW(dialog, WM_GETFONT, 0, 0)), sizeof font, &font);
    EXPECT_EQ(utf8Of(font.lfFaceName), KEXPORTER_DIALOG_FONT_FACE) << name;
    EXPECT_EQ(font.lfHeight, fontHeight) << name;
    RECT client;
    GetClientRect(dialog, &client);
    EXPECT_EQ(edgesOf(client), pixelsOf(dialog, 0, 0, layout.width, layout.height)) << name;
    const LONG style = GetWindowLongW(dialog, GWL_STYLE);
    EXPECT_TRUE(style & WS_CAPTION) << name;
    EXPECT_EQ((style & WS_SYSMENU) != 0, layout.closeBox) << name;
    EXPECT_EQ(windowText(dialog), kProgramTitle) << name;
    for (HWND child = GetWindow(dialog, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT)) {
      char className[64] = {};
      GetClassNameA(child, className, sizeof className);
      RECT rect;
      GetWindowRect(child, &rect);
      if (_stricmp(className, "Static") == 0) {
        EXPECT_LE(textWidth(child), rect.right - rect.left) << name << " " << windowText(child) << ": the text is cut";
      }
    }
    DestroyWindow(dialog);
  }
}
