#include "FaultTest.h"

#include <cstdio>

FaultTest::FaultTest()
    : installation("Kexporterrun-f-" + std::string(testing::UnitTest::GetInstance()->current_test_info()->name())) {}

std::map<std::string, std::string> FaultTest::untouchedPart() const {
  static const std::set<std::string> written = {"out",        "stdout.txt",   "stderr.txt",
                                                "stdin.txt",  "messages.log", "messages.fifo"};
  // SQLite's shared-memory index changes under readers too.
  return folderTree(installation.root(),
                    [](const std::string& name) { return written.count(name) > 0 || name.ends_with("-shm"); });
}

void FaultTest::start(bool gated, rlim_t fileSizeLimit) {
  before_ = untouchedPart();
  program_.reset();
  program_.emplace(installation, installation.exportArgs(), ProgramOptions{"", gated, fileSizeLimit, {}, {}});
}

ProgramRun FaultTest::finish() {
  const ProgramRun run = program_->finish();
  EXPECT_EQ(before_, untouchedPart()) << "outside the output folder";
  return run;
}

void FaultTest::clearOutput() {
  for (const auto& entry : fs::directory_iterator(installation.outputFolder())) fs::remove_all(entry);
}

std::string accountGuid(int id) {
  char text[48];
  std::snprintf(text, sizeof text, "{%08X-0000-4000-8000-%012X}", id, id);
  return text;
}

std::string accountRows(int count, int firstId) {
  return "with recursive n(i) as (select " + std::to_string(firstId) +
         " union all select i + 1 from n where i < " + std::to_string(firstId + count - 1) +
         ") insert into umAccount(ac_guid, ac_id, ac_name, ac_storeTray) select "
         "printf('{%08X-0000-4000-8000-%012X}', i, i), i, '利用者 ' || i, 1 from n;";
}

bool wholeLines(const std::string& bytes) {
  return (bytes.empty() || bytes.ends_with("\r\n")) && occurrences(bytes, "\n") == occurrences(bytes, "\r\n");
}

std::size_t occurrences(const std::string& text, const std::string& part) {
  std::size_t count = 0;
  for (std::size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++count;
  return count;
}
