#include "ConsoleProgress.h"

#include "ConsoleStreams.h"
#include "ConsoleText.h"

namespace {
const int kBarWidth = 40;
}

ConsoleProgress::ConsoleProgress(std::FILE* out, bool redrawInPlace)
    : out_(out), redrawInPlace_(redrawInPlace) {}

void ConsoleProgress::showMessage(const std::string& text) {
  phase_ = withoutLineEnd(text);
  if (redrawInPlace_) {
    redraw(percent());
    return;
  }
  writeText(out_, phase_ + "\n");
}

void ConsoleProgress::showPercent(int percent) {
  if (redrawInPlace_) redraw(percent);
}

void ConsoleProgress::redraw(int percent) {
  int filled = percent * kBarWidth / 100;
  std::string bar(filled, '#');
  bar.append(kBarWidth - filled, '.');
  char head[16];
  std::snprintf(head, sizeof head, "] %3d%% ", percent);
  writeText(out_, "\r\033[K[" + bar + head + phase_);
  lineOpen_ = true;
}

void ConsoleProgress::end() {
  if (!lineOpen_) return;
  writeText(out_, "\n");
  lineOpen_ = false;
}
