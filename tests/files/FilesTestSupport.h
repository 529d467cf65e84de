#ifndef TESTS_FILES_FILESTESTSUPPORT_H
#define TESTS_FILES_FILESTESTSUPPORT_H

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "Frontend.h"
#include "OpenOutputFolder.h"
#include "OutputFolder.h"
#include "RunLog.h"
#include "ScopedFrontend.h"
#include "TestSupport.h"

// Stands in for the person at the screen: keeps every warning shown. The
// file writers start no progress view and show no result.
class RecordingFrontend : public Frontend {
 public:
  void showWarning(const std::string& text) override { warnings.push_back(text); }
  std::unique_ptr<ProgressView> startProgress() override { return nullptr; }
  void showResult(const std::string&) override {}

  std::vector<std::string> warnings;

 private:
  ScopedFrontend inUse_{*this};
};

// Holds a folder open as the output folder, as an export run does; the
// files opened meanwhile stay where they were opened.
class HeldOutputFolder {
 public:
  ~HeldOutputFolder() {
    OpenOutputFolder::hold(nullptr);
    outputFolder.clear();
  }
  void hold(const std::string& path) {
    outputFolder = path;
    OpenOutputFolder::hold(std::make_unique<OpenOutputFolder>(path));
  }
};

// A temporary folder held as the output folder, and the screen; the run log
// is closed after each test.
class HeldFolderTest : public ::testing::Test {
 protected:
  void SetUp() override { output.hold(folder.path()); }
  void TearDown() override { RunLog::close(); }

  TempFolder folder;
  HeldOutputFolder output;
  RecordingFrontend screen;
};

// The suites of each class, whose tests the platforms' files share.
class CsvOutputFileTest : public HeldFolderTest {};
class RunLogTest : public HeldFolderTest {};

// The run log's lines for failures shown with these warnings.
inline std::vector<std::string> failureLines(const std::vector<std::string>& warnings) {
  std::vector<std::string> lines;
  for (const std::string& warning : warnings) lines.push_back(",【Failure】, " + warning);
  return lines;
}

#endif
