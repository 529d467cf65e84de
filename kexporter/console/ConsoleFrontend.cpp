#include "ConsoleFrontend.h"

#include <unistd.h>

#include <cstdio>

#include "ConsoleProgress.h"
#include "ConsoleText.h"

void ConsoleFrontend::showWarning(const std::string& text) {
  std::fprintf(stderr, "%s: %s\n", kProgramTitle, withoutLineEnd(text).c_str());
  std::fflush(stderr);
}

std::unique_ptr<ProgressView> ConsoleFrontend::startProgress() {
  return std::make_unique<ConsoleProgress>(stderr, isatty(STDERR_FILENO) == 1);
}

void ConsoleFrontend::showResult(const std::string& text) {
  std::fprintf(stdout, "%s\n", withoutLineEnd(text).c_str());
  std::fflush(stdout);
}
