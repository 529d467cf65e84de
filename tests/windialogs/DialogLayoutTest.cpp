#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>

#include <array>
#include <string>
#include <vector>

#include "DialogDriver.h"
#include "DialogLayout.h"
#include "DialogResources.h"
#include "Frontend.h"
#include "Pelcore/PelWin32Text.h"

namespace {

// One control of a window as the layout places it, in dialog units.
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
    {IDD_START, START_DIALOG_SIZE, true,
     {{-1, "Static", START_STOP_SERVICE_RECT, START_STOP_SERVICE_TEXT},
      {-1, "Static", START_TEXT_RECT, START_TEXT},
      {IDC_VERSION, "Static", START_VERSION_RECT, KEXPORTER_VERSION_TEXT},
      {IDOK, "Button", START_OK_RECT, KEXPORTER_OK_TEXT},
      {IDCANCEL, "Button", START_CANCEL_RECT, KEXPORTER_CANCEL_TEXT}}},
    {IDD_OUTPUT_FOLDER, FOLDER_DIALOG_SIZE, true,
     {{IDC_FOLDER_LABEL, "Static", FOLDER_LABEL_RECT, FOLDER_LABEL_TEXT},
      {IDC_FOLDER_FIELD, "Edit", FOLDER_FIELD_RECT, ""},
      {IDC_BROWSE, "Button", FOLDER_BROWSE_RECT, FOLDER_BROWSE_TEXT},
      {IDOK, "Button", FOLDER_OK_RECT, KEXPORTER_OK_TEXT},
      {IDCANCEL, "Button", FOLDER_CANCEL_RECT, KEXPORTER_CANCEL_TEXT}}},
    {IDD_PROGRESS, PROGRESS_DIALOG_SIZE, false,
     {{IDC_PROGRESS_TEXT, "Edit", PROGRESS_TEXT_RECT, ""},
      {IDC_PROGRESS_BAR, PROGRESS_CLASSA, PROGRESS_BAR_RECT, ""}}},
    {IDD_RESULT, RESULT_DIALOG_SIZE, true,
     {{IDC_RESULT_TEXT, "Edit", RESULT_TEXT_RECT, ""},
      {IDOK, "Button", RESULT_OK_RECT, KEXPORTER_OK_TEXT}}},
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
  const LONG fontHeight = -MulDiv(KEXPORTER_DIALOG_FONT_POINTS, GetDeviceCaps(screen, LOGPIXELSY), 72);
  ReleaseDC(nullptr, screen);
  for (const Layout& layout : kLayouts) {
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
