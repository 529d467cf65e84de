#ifndef TESTS_FILES_FILESTESTSUPPORT_H
#define TESTS_FILES_FILESTESTSUPPORT_H

#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <regex>
#include <string>
#include <vector>

#include "Frontend.h"
#include "OpenOutputFolder.h"
#include "OutputFolder.h"
#include "RunLog.h"
#include "ScopedFrontend.h"
#include "TestSupport.h"

// Stands in for the person at the screen: keeps every warning, progress
// update and result shown, in `warnings` and `shown`.
class RecordingFrontend : public Frontend {
 public:
  void showWarning(const std::string& text) override { warnings.push_back(text); }
  std::unique_ptr<ProgressView> startProgress() override { return std::make_unique<Progress>(shown); }
  void showResult(const std::string& text) override { shown.push_back("result: " + text); }

  std::vector<std::string> warnings;
  std::vector<std::string> shown;  // phase texts, "n%" and "end" of the progress view; the result

 private:
  ScopedFrontend inUse_{*this};

  class Progress : public ProgressView {
   public:
    explicit Progress(std::vector<std::string>& shown) : shown_(shown) {}
    void end() override { shown_.push_back("end"); }

   protected:
    void showMessage(const std::string& text) override { shown_.push_back(text); }
    void showPercent(int percent) override { shown_.push_back(std::to_string(percent) + "%"); }

   private:
    std::vector<std::string>& shown_;
  };
};

// Holds a folder open as the output folder, as an export run does; the
// files opened meanwhile stay where they were opened.
class HeldOutputFolder {
 public:
  ~HeldOutputFolder() {
    held_.reset();
    outputFolder.clear();
  }
  void hold(const std::string& path) {
    held_.reset();
    outputFolder = path;
    held_.emplace();
  }

 private:
  std::optional<OpenOutputFolder> held_;
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

// The run log at `path` in UTF-8, each line's zero-padded time stamp
// replaced by "T".
inline std::string logText(const std::string& path) {
  static const std::regex stamp(R"((^|\n)\d{4}/\d\d/\d\d \d\d:\d\d:\d\d )");
  return std::regex_replace(fromCp932(readFile(path)), stamp, "$1T ");
}

// The run log's text for failures shown with these warnings.
inline std::string failureLog(const std::vector<std::string>& warnings) {
  std::string log;
  for (const std::string& warning : warnings) log += "T ,【Failure】, " + warning + "\r\n";
  return log;
}

#endif
