#include "RunLog.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <ctime>

#include "Cp932Text.h"
#include "FileLines.h"
#include "Frontend.h"
#include "OpenOutputFolder.h"

const char* const kRunLogFailed = "ログファイル書き込みに失敗しました。";

namespace {

int logFile = -1;

// The converter lives as long as the program; it is made on first use so
// that the log works from any static initialisation order.
Cp932Text& logText() {
  static Cp932Text text;
  return text;
}

std::string timeStamp() {
  std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  char stamp[64];
  std::snprintf(stamp, sizeof stamp, "%d/%02d/%02d %02d:%02d:%02d",
                local.tm_year + 1900, local.tm_mon + 1, local.tm_mday,
                local.tm_hour, local.tm_min, local.tm_sec);
  return stamp;
}

// The log in the held output folder, or -1. Whatever is planted at its name
// other than a regular file (a link, a FIFO, a device, a folder) is refused:
// the log must neither leave the folder nor block the run.
int openLogFile() {
  int file = OpenOutputFolder::openFile(kRunLogFileName,
                                        O_WRONLY | O_CREAT | O_APPEND | O_NONBLOCK);
  if (file < 0) return -1;
  struct stat info {};
  const int flags = ::fcntl(file, F_GETFL);
  if (::fstat(file, &info) != 0 || !S_ISREG(info.st_mode) || flags < 0 ||
      ::fcntl(file, F_SETFL, flags & ~O_NONBLOCK) != 0) {
    ::close(file);
    return -1;
  }
  return file;
}

}  // namespace

void RunLog::open() {
  close();
  tzset();
  logFile = openLogFile();
  if (logFile < 0) showWarning(kRunLogFailed);
}

void RunLog::write(const std::string& tag, const std::string& message,
                   bool showMessage) {
  if (logFile < 0) return;
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
  if (logFile < 0) return;
  ::close(logFile);
  logFile = -1;
}

bool RunLog::isOpen() { return logFile >= 0; }
