#include "StartupFlow.h"

#include <gtest/gtest.h>

#include <stdexcept>

#include "ExportJob.h"
#include "FilesTestSupport.h"

namespace {

using Answer = StartupOperator::Answer;

// The operator's answers, given before the flow asks.
class ScriptedOperator : public StartupOperator {
 public:
  Answer start = Answer::Yes;
  std::string typedFolder;

  Answer confirmStart() override { return start; }
  Answer chooseOutputFolder(const std::optional<std::string>& given) override {
    return StartupFlow::acceptOutputFolder(given.value_or(typedFolder)) ? Answer::Yes : Answer::Refused;
  }
  Frontend& frontend() override { return screen; }

  RecordingFrontend screen;
};

// An export that fails in a way nothing in it handles.
class ThrowingJob : public ExportJob {
 public:
  void run() override {
    RunLog::open();
    RunLog::write(kTagSuccess, "started", false);
    throw std::runtime_error("out of memory");
  }
};

TEST(StartupFlow, EveryWayOutHasItsExitStatus) {
  TempFolder folder;
  const struct {
    const char* what;
    Answer start;
    std::optional<std::string> given;
    int status;
    std::vector<std::string> warnings;
  } cases[] = {
      {"cancelled at the start", Answer::No, std::nullopt, 3, {}},
      {"no window for the start", Answer::NoWindow, std::nullopt, 1, {}},
      {"a given folder that fails", Answer::Yes, folder / "missing", 2, {kFolderNotFound}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    ScriptedOperator op;
    op.start = c.start;
    ThrowingJob job;
    EXPECT_EQ(c.status, StartupFlow::run({false, c.given}, op, job));
    EXPECT_EQ(c.warnings, op.screen.warnings);
  }
}

// An exception escaping the export ends it as a failure in the run log and
// on screen, with the status of a failed run.
TEST(StartupFlow, AnEscapedExceptionIsAFailedRun) {
  TempFolder folder;
  ScriptedOperator op;
  op.typedFolder = folder.path();
  ThrowingJob job;
  EXPECT_EQ(1, StartupFlow::run({true, std::nullopt}, op, job));
  const std::string message = "予期しないエラーが発生しました。(out of memory)";
  EXPECT_EQ(std::vector<std::string>{message}, op.screen.warnings);
  EXPECT_EQ((std::vector<std::string>{",【Success】, started", ",【Failure】, " + message}),
            runLogLines(readFile(folder / "Kexporter.log")));
  EXPECT_FALSE(RunLog::isOpen());
  OpenOutputFolder::hold(nullptr);
}

}  // namespace
