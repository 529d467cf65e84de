#ifndef TESTS_SUPPORT_TESTSUPPORT_H
#define TESTS_SUPPORT_TESTSUPPORT_H

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

// A new folder below the system's temporary folder, removed with all it
// holds (write bits given back first) when the object goes.
class TempFolder {
 public:
  TempFolder();
  ~TempFolder();
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  const std::string& path() const { return path_; }
  std::string operator/(const std::string& name) const { return path_ + "/" + name; }

 private:
  std::string path_;
};

// Every entry below `root` (UTF-8) by its path relative to it, with its
// type, permissions and, for a regular file, a hash of its bytes and its
// modification time: compared before and after, what a run touched there. `skipped(name)` leaves an
// entry and all below it out.
std::map<std::string, std::string> folderTree(const std::string& root,
                                              const std::function<bool(const std::string&)>& skipped);

// The bytes of the file at `path`; "" when it cannot be read.
std::string readFile(const std::string& path);
// Replaces the file at `path` with `bytes`.
void writeFile(const std::string& path, const std::string& bytes);

// Checks `condition` every few milliseconds until it holds: the one way the
// tests wait for what another process or thread does. False when it has not
// held within `limit`, which stands for never.
bool waitUntil(const std::function<bool()>& condition,
               std::chrono::milliseconds limit = std::chrono::seconds(60));

// Sets the environment variable `name` to `value`, or removes it for nullptr.
void setEnvironment(const std::string& name, const char* value);

// Runs `scenario` in a new process, for libraries that keep their state for
// the life of the process; true when the child, which prints its own
// failures, had none. On Windows the child is this program running only the
// current test and in it only this scenario: the code around it runs again.
bool runInChildProcess(const std::function<void()>& scenario);

// Linux only: runs the demo installation maker (kexporter-demo) with
// `options`, its output nowhere; its exit status.
int makeDemoInstallation(const std::string& options);

// Windows only: runs `commandLine` (UTF-8) and returns what it wrote to its
// standard output, or nullopt when it could not run or exited nonzero.
std::optional<std::string> commandOutput(const std::string& commandLine);

#ifdef _WIN32
// Windows only: a program started with `commandLine` (UTF-8), its standard
// output to `output` when given (an inheritable handle), else to this
// program's; ended when the object goes if it still runs. `application`
// names the program file where the command line's first word would not
// (a file without ".exe").
class ChildProcess {
 public:
  explicit ChildProcess(const std::string& commandLine, void* output = nullptr,
                        const std::string& application = "");
  ~ChildProcess();
  ChildProcess(const ChildProcess&) = delete;
  ChildProcess& operator=(const ChildProcess&) = delete;

  bool started() const { return process_ != nullptr; }
  unsigned long id() const { return id_; }
  // Its exit code; -1 when it did not start or has not ended within `limit`.
  long finish(std::chrono::milliseconds limit = std::chrono::minutes(1));

 private:
  void* process_ = nullptr;
  unsigned long id_ = 0;
};
#endif

// Sets an environment variable (unsets it for nullptr) while the object
// lives; then puts back what was there.
class ScopedEnvironment {
 public:
  ScopedEnvironment(const char* name, const char* value) : name_(name) {
    if (const char* before = std::getenv(name)) before_ = before;
    setEnvironment(name_, value);
  }
  ~ScopedEnvironment() { setEnvironment(name_, before_ ? before_->c_str() : nullptr); }
  ScopedEnvironment(const ScopedEnvironment&) = delete;
  ScopedEnvironment& operator=(const ScopedEnvironment&) = delete;

 private:
  std::string name_;
  std::optional<std::string> before_;
};

// Makes `folder` (UTF-8) the working folder while the object lives; then
// returns to the one before, if it is still there.
class ScopedWorkingFolder {
 public:
  explicit ScopedWorkingFolder(const std::string& folder) : before_(std::filesystem::current_path()) {
    std::filesystem::current_path(std::filesystem::u8path(folder));
  }
  ~ScopedWorkingFolder() {
    std::error_code ignored;
    std::filesystem::current_path(before_, ignored);
  }
  ScopedWorkingFolder(const ScopedWorkingFolder&) = delete;
  ScopedWorkingFolder& operator=(const ScopedWorkingFolder&) = delete;

 private:
  std::filesystem::path before_;
};

// How a case is set up where the platforms differ. A folder in `parent`
// that the output folder checks find read-only: on POSIX without write
// bits; on Windows with FILE_ATTRIBUTE_READONLY (under Wine, which keeps no
// such attribute that a program sets, the one the build made).
std::string readOnlyFolderIn(const std::string& parent);
// Puts an entry into `folder` that a listing shows only on request: a dot
// file on POSIX, a hidden system file on Windows.
void addHiddenEntry(const std::string& folder);

// Plants a symbolic link at `link` to `target`: on Windows through
// CreateSymbolicLinkW, under Wine (which has no reparse points) through the
// Unix ln. False where the user may not make one.
bool plantSymbolicLink(const std::string& target, const std::string& link);
// Whether the program runs under Wine, whose Unix links behave as no
// Windows link does.
bool underWine();
// Makes a FIFO at `path`, with a reader that holds it open for the rest of
// the test program when `withReader`; false where the platform has none
// (Windows).
bool makeFifo(const std::string& path, bool withReader = false);

// UTF-8 text as CP932 bytes and back, by iconv rather than the program's own
// conversion; throws when the text does not convert.
std::string cp932(const std::string& utf8);
std::string fromCp932(const std::string& bytes);

// The lines of a run log's bytes in UTF-8, each without its time stamp and
// CR LF; a line without a stamp as "UNSTAMPED: " and its text, a last line
// without CR LF as "UNTERMINATED: " and its bytes.
std::vector<std::string> runLogLines(const std::string& bytes);

// The program's texts as the tests meet them: the prefix of each warning on
// standard error, the run log's tags as the tests' log readers give them.
inline const std::string kTitle = "KLX to MPVコンバータ[エクスポータ]: ";
inline const std::string S = ",【Success】, ";
inline const std::string F = ",【Failure】, ";
inline const std::string kStarted = S + "KLX to MPVコンバータ[エクスポータ]を開始しました";
inline const std::string kAccessFailed = "データベースのアクセスが失敗しました。";
inline const std::string kErrorResult = "エラーが発生しました。";

#endif
