#include "RunLog.h"

#include <cstdio>
#include <ctime>

#include "Cp932Text.h"
#include "FileLines.h"
#include "Frontend.h"
#include "LineQueue.h"
#include "OpenOutputFolder.h"
#include "SupportRoutines.h"

const char* const kRunLogFailed = "ログファイル書き込みに失敗しました。";

namespace {

NativeFile logFile = kNoFile;

// The converter lives as long as the program; it is made on first use so
// that the log works from any static initialisation order.
Cp932Text& logText() {
  static Cp932Text text;
  return text;
}

std::string timeStamp() {
  const std::tm local = localTimeNow();
  char stamp[64];
  std::snprintf(stamp, sizeof stamp, "%d/%02d/%02d %02d:%02d:%02d",
                local.tm_year + 1900, local.tm_mon + 1, local.tm_mday,
                local.tm_hour, local.tm_min, local.tm_sec);
  return stamp;
}

}  // namespace

void RunLog::open() {
  close();
  // Whatever is planted at its name other than a regular file is refused:
  // the log must neither leave the folder nor block the run.
  logFile = OpenOutputFolder::openForAppend(kRunLogFileName);
  if (logFile == kNoFile) showWarning(kRunLogFailed);
}

void RunLog::write(const std::string& tag, const std::string& message,
                   bool showMessage) {
  if (logFile == kNoFile) return;
  // Lines queued before this one reach their files first, and any failure
  // of theirs is logged first, as if they had been written one by one.
  LineQueue::writeAll();
  try {
    std::string line = timeStamp() + " " + tag + " " + message + kLineEnd;
    // A "?" in the log's own line is not reported: the report would be
    // another log line.
    writeLine(logFile, logText().convert(line));
    if (showMessage) showWarning(message.c_str());
  } catch (...) {
    showWarning(kRunLogFailed);
  }
}

void RunLog::close() {
  closeFile(logFile);
  logFile = kNoFile;
}

bool RunLog::isOpen() { return logFile != kNoFile; }
