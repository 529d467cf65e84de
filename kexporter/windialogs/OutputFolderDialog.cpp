#include "OutputFolderDialog.h"

#include <shlobj.h>

#include "Cp932Text.h"
#include "DialogResources.h"
#include "Frontend.h"
#include "OutputFolder.h"
#include "StartupFlow.h"
#include "Pelcore/PelWin32Text.h"

namespace {

// The browser's options: file-system folders only, a status line, and only
// folders below a file-system root.
const UINT kBrowseOptions = BIF_RETURNONLYFSDIRS | BIF_STATUSTEXT | BIF_RETURNFSANCESTORS;

int CALLBACK selectStartFolder(HWND browser, UINT message, LPARAM, LPARAM startFolder) {
  if (message == BFFM_INITIALIZED && startFolder != 0) {
    SendMessageW(browser, BFFM_SETSELECTIONW, TRUE, startFolder);
  }
  return 0;
}

// The folder the browser opens at: the field's full path while the field is
// short enough to be a usable folder, else none.
std::wstring startFolderOf(const std::string& fieldText) {
  const std::size_t length = cp932Length(fieldText);
  if (length == 0 || length > kMaxOutputFolderBytes) return std::wstring();
  return widened(fullPathOf(fieldText));
}

}  // namespace

OutputFolderDialog::OutputFolderDialog() : ModalDialog(IDD_OUTPUT_FOLDER) {}

bool OutputFolderDialog::onInit() {
  setControlText(IDC_FOLDER_FIELD, initialText_);
  enableOkForField();
  return true;
}

bool OutputFolderDialog::onCommand(int id, int code) {
  if (id == IDC_FOLDER_FIELD && code == EN_CHANGE) {
    enableOkForField();
    return true;
  }
  if (id == IDC_BROWSE && code == BN_CLICKED) {
    outputFolder = browse(kProgramTitle);
    setControlText(IDC_FOLDER_FIELD, outputFolder);
    return true;
  }
  if (id == IDOK) {
    onOk();
    return true;
  }
  return false;
}

void OutputFolderDialog::enableOkForField() {
  EnableWindow(control(IDOK), GetWindowTextLengthW(control(IDC_FOLDER_FIELD)) > 0);
}

void OutputFolderDialog::onOk() {
  if (StartupFlow::acceptOutputFolder(controlText(IDC_FOLDER_FIELD))) end(IDOK);
}

std::string OutputFolderDialog::browse(const std::string& title) {
  // The browser is a shell object: it needs this thread in a single-threaded
  // apartment, left again before the export starts its database client.
  const HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  std::string chosen;
  PIDLIST_ABSOLUTE root = nullptr;
  if (SUCCEEDED(SHGetSpecialFolderLocation(window(), CSIDL_DESKTOP, &root))) {
    const std::wstring instruction = widened(title);
    const std::wstring start = startFolderOf(controlText(IDC_FOLDER_FIELD));
    BROWSEINFOW info = {};
    info.hwndOwner = window();
    info.pidlRoot = root;
    info.lpszTitle = instruction.c_str();
    info.ulFlags = kBrowseOptions;
    info.lpfn = &selectStartFolder;
    info.lParam = start.empty() ? 0 : reinterpret_cast<LPARAM>(start.c_str());
    if (PIDLIST_ABSOLUTE item = SHBrowseForFolderW(&info)) {
      wchar_t path[MAX_PATH] = {};
      if (SHGetPathFromIDListW(item, path)) chosen = utf8Of(path);
      CoTaskMemFree(item);
    }
    CoTaskMemFree(root);
  }
  if (SUCCEEDED(com)) CoUninitialize();
  return chosen;
}
