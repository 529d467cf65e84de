#ifndef TESTS_FILES_FILESTESTSUPPORT_H
#define TESTS_FILES_FILESTESTSUPPORT_H

#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include "Frontend.h"
#include "TestSupport.h"

// Stands in for the person at the screen: keeps every warning shown.
class RecordingFrontend : public Frontend {
 public:
  RecordingFrontend() { setFrontend(this); }
  ~RecordingFrontend() override { setFrontend(nullptr); }

  void showWarning(const std::string& text) override { warnings.push_back(text); }
  std::unique_ptr<ProgressView> startProgress() override { return nullptr; }
  void showResult(const std::string&) override {}

  std::vector<std::string> warnings;
};

// The lines of the run log at `path` in UTF-8 without their zero-padded
// time stamps; a line without one is kept whole after "UNSTAMPED: ", a line
// not ended by CR LF after "NO CR LF: ".
inline std::vector<std::string> logLines(const std::string& path) {
  static const std::regex stamped(R"(\d{4}/\d\d/\d\d \d\d:\d\d:\d\d (.*))");
  std::istringstream log(fromCp932(readFile(path)));
  std::vector<std::string> lines;
  std::smatch match;
  for (std::string text; std::getline(log, text);) {
    if (text.empty() || text.back() != '\r') {
      lines.push_back("NO CR LF: " + text);
      continue;
    }
    text.pop_back();
    lines.push_back(std::regex_match(text, match, stamped) ? match[1].str() : "UNSTAMPED: " + text);
  }
  return lines;
}

#endif
