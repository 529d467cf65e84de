#include "ConsoleProgress.h"

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
  std::fprintf(out_, "%s\n", phase_.c_str());
  std::fflush(out_);
}

void ConsoleProgress::showPercent(int percent) {
  if (redrawInPlace_) redraw(percent);
}

void ConsoleProgress::redraw(int percent) {
  int filled = percent * kBarWidth / 100;
  std::string bar(filled, '#');
  bar.append(kBarWidth - filled, '.');
  std::fprintf(out_, "\r\033[K[%s] %3d%% %s", bar.c_str(), percent, phase_.c_str());
  std::fflush(out_);
  lineOpen_ = true;
}

void ConsoleProgress::end() {
  if (!lineOpen_) return;
  std::fputc('\n', out_);
  std::fflush(out_);
  lineOpen_ = false;
}
