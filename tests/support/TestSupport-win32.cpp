#include "TestSupport.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <cstdlib>
#include <stdexcept>

#include "Pelcore/PelWin32Text.h"

namespace {

constexpr const char* kScenarioVariable = "KEXPORTER_TEST_SCENARIO";

std::string thisProgram() {
  std::wstring path(32768, L'\0');  // the longest path Windows has
  path.resize(GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size())));
  return utf8Of(path);
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

ChildProcess::ChildProcess(const std::string& commandLine, void* output, const std::string& application) {
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
  const std::wstring program = widened(application);
  if (!CreateProcessW(program.empty() ? nullptr : program.c_str(), command.data(), nullptr, nullptr, output != nullptr, 0, nullptr, nullptr, &startup,
                      &process)) {
    return;
  }
  CloseHandle(process.hThread);
  process_ = process.hProcess;
  id_ = process.dwProcessId;
}

ChildProcess::~ChildProcess() {
  if (process_ == nullptr) return;
  if (WaitForSingleObject(process_, 0) == WAIT_TIMEOUT) TerminateProcess(process_, 99);
  CloseHandle(process_);
}

long ChildProcess::finish(std::chrono::milliseconds limit) {
  if (process_ == nullptr || WaitForSingleObject(process_, static_cast<DWORD>(limit.count())) != WAIT_OBJECT_0) {
    return -1;
  }
  DWORD code = 1;
  GetExitCodeProcess(process_, &code);
  return static_cast<long>(code);
}

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
  const long code = ChildProcess("\"" + thisProgram() + "\" --gtest_filter=" + test).finish(std::chrono::minutes(10));
  setEnvironment(kScenarioVariable, nullptr);
  return code == 0;
}

std::optional<std::string> commandOutput(const std::string& commandLine) {
  SECURITY_ATTRIBUTES inherited{sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE};
  HANDLE reader = nullptr, writer = nullptr;
  // Read only after the command ended: the pipe holds all its short answers.
  if (!CreatePipe(&reader, &writer, &inherited, 1 << 20)) return std::nullopt;
  SetHandleInformation(reader, HANDLE_FLAG_INHERIT, 0);
  const long code = ChildProcess(commandLine, writer).finish();
  CloseHandle(writer);
  std::string output;
  char buffer[4096];
  DWORD read = 0;
  while (ReadFile(reader, buffer, sizeof buffer, &read, nullptr) && read > 0) output.append(buffer, read);
  CloseHandle(reader);
  if (code != 0) return std::nullopt;
  return output;
}

// An empty value removes the variable on Windows.
void setEnvironment(const std::string& name, const char* value) {
  _putenv_s(name.c_str(), value == nullptr ? "" : value);
}

// The system's code page 932 here: the tests that use these compare texts
// that both converters give alike.
std::string cp932(const std::string& utf8) {
  const std::wstring wide = widened(utf8);
  const int size = static_cast<int>(wide.size());
  BOOL lost = FALSE;
  std::string bytes(WideCharToMultiByte(932, 0, wide.data(), size, nullptr, 0, nullptr, &lost), '\0');
  WideCharToMultiByte(932, 0, wide.data(), size, bytes.data(), static_cast<int>(bytes.size()), nullptr, &lost);
  if (lost) throw std::runtime_error("text does not convert");
  return bytes;
}

std::string fromCp932(const std::string& bytes) {
  const int size = static_cast<int>(bytes.size());
  std::wstring wide(MultiByteToWideChar(932, MB_ERR_INVALID_CHARS, bytes.data(), size, nullptr, 0), L'\0');
  if (wide.empty() != bytes.empty()) throw std::runtime_error("text does not convert");
  MultiByteToWideChar(932, 0, bytes.data(), size, wide.data(), static_cast<int>(wide.size()));
  return utf8Of(wide);
}

std::string readOnlyFolderIn(const std::string& parent) {
  const std::string folder = parent + "\\read-only";
  CreateDirectoryW(widened(folder).c_str(), nullptr);
  SetFileAttributesW(widened(folder).c_str(), FILE_ATTRIBUTE_READONLY);
  if (GetFileAttributesW(widened(folder).c_str()) & FILE_ATTRIBUTE_READONLY) return folder;
  // Wine reports the attribute for a Linux folder without write bits.
  const char* built = std::getenv("KEXPORTER_READ_ONLY_FOLDER");
  return built ? built : folder;
}

void addHiddenEntry(const std::string& folder) {
  const std::string entry = folder + "\\h.txt";
  writeFile(entry, "");
  SetFileAttributesW(widened(entry).c_str(), FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM);
}

bool plantSymbolicLink(const std::string& target, const std::string& link) {
  using UnixName = char*(CDECL*)(const wchar_t*);
  const auto unixName = reinterpret_cast<UnixName>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"kernel32"), "wine_get_unix_file_name")));
  if (unixName == nullptr) return CreateSymbolicLinkW(widened(link).c_str(), widened(target).c_str(), 0) != FALSE;
  // Wine does not wait for a Unix process: a file made after the link tells
  // that it is there.
  const std::string done = link + ".made";
  const std::string unixLink = unixName(widened(link).c_str());
  // Split by the Windows rules into sh, -c and the script. REQUIRES: no
  // blank or quote in either path.
  const ChildProcess shell("sh -c \"ln -s " + std::string(unixName(widened(target).c_str())) + " " + unixLink +
                               " && touch " + unixLink + ".made\"",
                           nullptr, "Z:\\bin\\sh");
  if (!shell.started()) return false;
  return waitUntil([&] { return DeleteFileW(widened(done).c_str()) != FALSE; });
}

bool underWine() { return GetProcAddress(GetModuleHandleW(L"ntdll"), "wine_get_version") != nullptr; }

bool makeFifo(const std::string&, bool) { return false; }
