#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>

#include <array>
#include <string>
#include <vector>

#include "DialogDriver.h"
#include "DialogResources.h"
#include "Frontend.h"
#include "Pelcore/PelWin32Text.h"

namespace {

// One control of a window as the documents draw it, in dialog units.
struct Control {
  int id;
  const char* className;
  int x, y, width, height;
  const char* text;
};

struct Layout {
  int resourceId;
  int width, height;
  bool closeBox;
  std::vector<Control> controls;  // in tab order
};

const std::vector<Layout> kLayouts = {
    {IDD_START, 273, 95, true,
     {{-1, "Static", 15, 14, 243, 10, kStopServiceText},
      {-1, "Static", 14, 25, 196, 10, kStartText},
      {IDC_VERSION, "Static", 14, 77, 57, 8, "Version 1. 0. 1. 0"},
      {IDOK, "Button", 163, 74, 50, 14, "OK"},
      {IDCANCEL, "Button", 215, 74, 50, 14, "ｷｬﾝｾﾙ"}}},
    {IDD_OUTPUT_FOLDER, 253, 65, true,
     {{IDC_FOLDER_LABEL, "Static", 7, 7, 80, 8, "データ出力先"},
      {IDC_FOLDER_FIELD, "Edit", 7, 18, 186, 14, ""},
      {IDC_BROWSE, "Button", 197, 18, 50, 14, "参照(&R)..."},
      {IDOK, "Button", 143, 44, 50, 14, "OK"},
      {IDCANCEL, "Button", 197, 44, 50, 14, "ｷｬﾝｾﾙ"}}},
    {IDD_PROGRESS, 253, 93, false,
     {{IDC_PROGRESS_TEXT, "Edit", 14, 16, 226, 29, ""},
      {IDC_PROGRESS_BAR, PROGRESS_CLASSA, 11, 57, 235, 26, ""}}},
    {IDD_RESULT, 253, 99, true,
     {{IDC_RESULT_TEXT, "Edit", 12, 13, 227, 54, ""},
      {IDOK, "Button", 191, 78, 50, 14, "OK"}}},
};

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

// Every template has the documented size, font, title bar and controls: the
// rectangle of each control, mapped from its dialog units with the window's
// own font, its class, identifier and text, in tab order; no static text is
// wider than its control.
TEST(DialogLayoutTest, TemplatesMatchTheDocumentedLayouts) {
  INITCOMMONCONTROLSEX controls = {sizeof(controls), ICC_PROGRESS_CLASS};
  InitCommonControlsEx(&controls);
  HDC screen = GetDC(nullptr);
  const LONG fontHeight = -MulDiv(9, GetDeviceCaps(screen, LOGPIXELSY), 72);  // 9 points
  ReleaseDC(nullptr, screen);
  for (const Layout& layout : kLayouts) {
    const std::string name = "dialog " + std::to_string(layout.resourceId);
    HWND dialog = CreateDialogParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(layout.resourceId),
                                     nullptr, &passiveProcedure, 0);
    ASSERT_NE(dialog, nullptr) << name;
    LOGFONTW font = {};
    GetObjectW(reinterpret_cast<HFONT>(SendMessageW(dialog, WM_GETFONT, 0, 0)), sizeof font, &font);
    EXPECT_EQ(utf8Of(font.lfFaceName), "ＭＳ Ｐゴシック") << name;
    EXPECT_EQ(font.lfHeight, fontHeight) << name;
    RECT client;
    GetClientRect(dialog, &client);
    EXPECT_EQ(edgesOf(client), pixelsOf(dialog, 0, 0, layout.width, layout.height)) << name;
    const LONG style = GetWindowLongW(dialog, GWL_STYLE);
    EXPECT_TRUE(style & WS_CAPTION) << name;
    EXPECT_EQ((style & WS_SYSMENU) != 0, layout.closeBox) << name;
    EXPECT_EQ(windowText(dialog), kProgramTitle) << name;

    HWND child = GetWindow(dialog, GW_CHILD);
    for (const Control& expected : layout.controls) {
      const std::string what = name + " control " + std::to_string(expected.id) + " " + expected.text;
      ASSERT_NE(child, nullptr) << what;
      EXPECT_EQ(static_cast<short>(GetDlgCtrlID(child)), expected.id) << what;
      char className[64] = {};
      GetClassNameA(child, className, sizeof className);
      EXPECT_STRCASEEQ(className, expected.className) << what;
      EXPECT_EQ(windowText(child), expected.text) << what;
      RECT rect;
      GetWindowRect(child, &rect);
      MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&rect), 2);
      EXPECT_EQ(edgesOf(rect), pixelsOf(dialog, expected.x, expected.y, expected.width, expected.height)) << what;
      if (std::string(expected.className) == "Static") {
        EXPECT_LE(textWidth(child), rect.right - rect.left) << what << ": the text is cut";
      }
      child = GetWindow(child, GW_HWNDNEXT);
    }
    EXPECT_EQ(child, nullptr) << name << " has more controls";
    DestroyWindow(dialog);
  }
}
