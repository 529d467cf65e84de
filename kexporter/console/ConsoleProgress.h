#ifndef KEXPORTER_CONSOLE_CONSOLEPROGRESS_H
#define KEXPORTER_CONSOLE_CONSOLEPROGRESS_H

#include <cstdio>
#include <string>

#include "ProgressView.h"

// Progress on the terminal: on a terminal one line redrawn in place at every
// whole percent; otherwise (a pipe, a log file) one line per phase.
class ConsoleProgress : public ProgressView {
 public:
  // `out` stays owned by the caller; `redrawInPlace` for a terminal.
  ConsoleProgress(std::FILE* out, bool redrawInPlace);
  void end() override;

 protected:
  void showMessage(const std::string& text) override;
  void showPercent(int percent) override;

 private:
  void redraw(int percent);

  std::FILE* out_;
  bool redrawInPlace_;
  bool lineOpen_ = false;
  std::string phase_;
};

#endif
