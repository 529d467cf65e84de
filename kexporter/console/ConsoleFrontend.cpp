#include "ConsoleFrontend.h"

#include <cstdio>

#include "ConsoleProgress.h"
#include "ConsoleStreams.h"
#include "ConsoleText.h"

void ConsoleFrontend::showWarning(const std::string& text) {
  writeText(stderr, std::string(kProgramTitle) + ": " + withoutLineEnd(text) + "\n");
}

std::unique_ptr<ProgressView> ConsoleFrontend::startProgress() {
  return std::make_unique<ConsoleProgress>(stderr, isTerminal(stderr));
}

void ConsoleFrontend::showResult(const std::string& text) {
  standardOutput().flush();
  writeText(stdout, withoutLineEnd(text) + "\n");
}
