#include "WarningBox.h"

#include <windows.h>

#include "Frontend.h"
#include "Pelcore/PelWin32Text.h"

void WarningBox::show(const std::string& text) {
  MessageBoxW(nullptr, widened(text).c_str(), widened(kProgramTitle).c_str(),
              MB_OK | MB_ICONEXCLAMATION | MB_TASKMODAL);
}
