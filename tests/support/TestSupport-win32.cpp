#include "TestSupport.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <cstdlib>
#include <stdexcept>
#include <vector>

#include "Pelcore/PelWin32Text.h"

namespace {

constexpr const char* kScenarioVariable = "KEXPORTER_TEST_SCENARIO";

// Closes a handle on every way out.
class Handle {
 public:
  explicit Handle(HANDLE handle = nullptr) : handle_(handle) {}
  ~Handle() {
    if (handle_ != nullptr && handle_ != INVALID_HANDLE_VALUE) CloseHandle(handle_);
  }
  Handle(const Handle&) = delete;
  Handle& operator=(const Handle&) = delete;
  HANDLE* out() { return &handle_; }
  HANDLE get() const { return handle_; }
  void close() {
    if (handle_ != nullptr) CloseHandle(handle_);
    handle_ = nullptr;
  }

 private:
  HANDLE handle_;
};

// Starts `commandLine`; its standard output goes to `output` when given,
// else to this program's. Returns its exit code, or -1 when it did not run.
long runProcess(const std::string& commandLine, HANDLE output) {
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  if (output != nullptr) {
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
    startup.hStdOutput = output;
    startup.hStdError = GetStdHandle(STD_ERROR_HANDLE);
  }
  PROCESS_INFORMATION process{};
  std::wstring command = widened(commandLine);
  if (!CreateProcessW(nullptr, command.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup, &process)) {
    return -1;
  }
  Handle thread(process.hThread), child(process.hProcess);
  WaitForSingleObject(child.get(), INFINITE);
  DWORD code = 1;
  GetExitCodeProcess(child.get(), &code);
  return static_cast<long>(code);
}

std::string thisProgram() {
  std::vector<wchar_t> path(MAX_PATH);
  DWORD length = 0;
  while ((length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()))) == path.size()) {
    path.resize(path.size() * 2);
  }
  return utf8Of(std::wstring(path.data(), length));
}

// "Suite.Test#n" for the n-th scenario of the running test.
std::string nextScenarioName() {
  static std::string test;
  static int count = 0;
  const testing::TestInfo* info = testing::UnitTest::GetInstance()->current_test_info();
  const std::string current = std::string(info->test_suite_name()) + "." + info->name();
  if (current != test) {
    test = current;
    count = 0;
  }
  return current + "#" + std::to_string(count++);
}

}  // namespace

bool runInChildProcess(const std::function<void()>& scenario) {
  const std::string name = nextScenarioName();
  if (const char* chosen = std::getenv(kScenarioVariable)) {
    if (name != chosen) return true;
    scenario();
    return !testing::Test::HasFailure();
  }
  const std::string test = name.substr(0, name.rfind('#'));
  std::fflush(nullptr);
  setEnvironment(kScenarioVariable, name.c_str());
  const long code = runProcess("\"" + thisProgram() + "\" --gtest_filter=" + test, nullptr);
  setEnvironment(kScenarioVariable, nullptr);
  return code == 0;
}

std::optional<std::string> commandOutput(const std::string& commandLine) {
  SECURITY_ATTRIBUTES inherited{sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE};
  Handle reader, writer;
  // Read only after the command ended: the pipe holds all its short answers.
  if (!CreatePipe(reader.out(), writer.out(), &inherited, 1 << 20)) return std::nullopt;
  SetHandleInformation(reader.get(), HANDLE_FLAG_INHERIT, 0);
  const long code = runProcess(commandLine, writer.get());
  writer.close();
  std::string output;
  char buffer[4096];
  DWORD read = 0;
  while (ReadFile(reader.get(), buffer, sizeof buffer, &read, nullptr) && read > 0) output.append(buffer, read);
  if (code != 0) return std::nullopt;
  return output;
}

std::string settingsFileText(const std::string& utf8) { return ansiFromUtf8(utf8); }

// An empty value removes the variable on Windows.
void setEnvironment(const std::string& name, const char* value) {
  _putenv_s(name.c_str(), value == nullptr ? "" : value);
}

namespace {

std::wstring wideOf(UINT codePage, const std::string& text) {
  if (text.empty()) return std::wstring();
  const int size = static_cast<int>(text.size());
  const int length = MultiByteToWideChar(codePage, MB_ERR_INVALID_CHARS, text.data(), size, nullptr, 0);
  if (length == 0) throw std::runtime_error("text does not convert");
  std::wstring wide(length, L'\0');
  MultiByteToWideChar(codePage, 0, text.data(), size, wide.data(), length);
  return wide;
}

std::string narrowOf(UINT codePage, const std::wstring& wide) {
  if (wide.empty()) return std::string();
  const int size = static_cast<int>(wide.size());
  BOOL lost = FALSE;
  BOOL* lostFlag = codePage == CP_UTF8 ? nullptr : &lost;
  const int length = WideCharToMultiByte(codePage, 0, wide.data(), size, nullptr, 0, nullptr, lostFlag);
  std::string text(length, '\0');
  WideCharToMultiByte(codePage, 0, wide.data(), size, text.data(), length, nullptr, lostFlag);
  if (lost) throw std::runtime_error("text does not convert");
  return text;
}

}  // namespace

// The system's code page 932 here: the tests that use these compare texts
// that both converters give alike.
std::string cp932(const std::string& utf8) { return narrowOf(932, wideOf(CP_UTF8, utf8)); }
std::string fromCp932(const std::string& bytes) { return narrowOf(CP_UTF8, wideOf(932, bytes)); }
