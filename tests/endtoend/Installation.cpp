#include "Installation.h"

#include <fcntl.h>
#include <sqlite3.h>
#include <sys/wait.h>
#include <unistd.h>

#include <regex>
#include <stdexcept>

#include "TestSupport.h"

namespace {

const char* const kSchema =
    "create table umAccount(ac_guid TEXT, ac_id INTEGER, ac_name TEXT, ac_storeTray INTEGER,"
    " ac_mail TEXT);"
    "create table umGroup(gr_ownerguid TEXT, gr_guid TEXT);"
    "create table umTSI(ts_code TEXT, ts_guid TEXT, ts_sender TEXT);";

}  // namespace

Installation::Installation(const std::string& programName)
    : folder_(std::make_unique<TempFolder>()), programName_(programName) {
  root_ = folder_->path();
  out_ = root_ / "out";
  fs::create_directories(out_);
  fs::create_directories(root_ / "bin");
  fs::copy_file(KEXPORTERRUN_PATH, program());
  fs::create_directory_symlink(KEXPORTER_LIB_DIR, root_ / "lib");
  for (const char* generation : {"nxv5", "nxv4"}) {
    fs::create_directories(root_ / generation / "data");
    sql(kSchema, generation);
  }
  registry(defaultRegistry());
}

Installation::~Installation() = default;

fs::path Installation::database(const std::string& generation) const {
  return root_ / generation / "data" / "ud_gwAddress.db";
}

void Installation::sql(const std::string& statements, const std::string& generation) {
  sqlite3* db = nullptr;
  sqlite3_open(database(generation).c_str(), &db);
  char* error = nullptr;
  int rc = sqlite3_exec(db, statements.c_str(), nullptr, nullptr, &error);
  std::string message = error ? error : "";
  sqlite3_free(error);
  sqlite3_close(db);
  if (rc != SQLITE_OK) throw std::runtime_error("test SQL failed: " + message);
}

void Installation::settings(const std::string& iniText) {
  writeFile(root_ / "bin" / "Kexporter.ini", iniText);
}

void Installation::registry(const std::string& regText) {
  writeFile(root_ / "registry.reg", regText);
}

std::string Installation::defaultRegistry() const {
  std::string text = "Windows Registry Editor Version 5.00\r\n";
  for (const char* generation : {"NXV5", "NXV4"}) {
    std::string folder = (root_ / (generation[3] == '5' ? "nxv5" : "nxv4")).string();
    text += std::string("\r\n[HKEY_LOCAL_MACHINE\\SOFTWARE\\Tarvik\\Fenwick\\") + generation +
            "\\GW\\VEK]\r\n\"VekPath\"=\"" + folder +
            "\"\r\n\"VekTesselConnection\"=\"InProcess\"\r\n";
  }
  return text;
}

ProgramRun Installation::run(const std::vector<std::string>& args, const std::string& input) const {
  fs::path inPath = root_ / "stdin.txt", outPath = root_ / "stdout.txt",
           errPath = root_ / "stderr.txt";
  writeFile(inPath, input);
  pid_t pid = fork();
  if (pid == 0) {
    dup2(open(inPath.c_str(), O_RDONLY), 0);
    dup2(open(outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600), 1);
    dup2(open(errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600), 2);
    setenv("PEL_REGISTRY", (root_ / "registry.reg").c_str(), 1);
    setenv("PEL_MESSAGE_FILE", (root_ / "messages.log").c_str(), 1);
    unsetenv("DISPLAY");
    unsetenv("WAYLAND_DISPLAY");
    std::vector<char*> argv{const_cast<char*>(programName_.c_str())};
    for (const std::string& arg : args) argv.push_back(const_cast<char*>(arg.c_str()));
    argv.push_back(nullptr);
    execv(program().c_str(), argv.data());
    _exit(127);
  }
  int status = 0;
  waitpid(pid, &status, 0);
  return {WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status), readFile(outPath),
          readFile(errPath)};
}

ProgramRun Installation::exportAll() const {
  return run({"--console", "--yes", "--output", out_.string()});
}

std::string Installation::output(const std::string& name) const {
  return readFile(out_ / name);
}

std::vector<std::string> Installation::outputNames() const {
  std::vector<std::string> names;
  for (const auto& entry : fs::directory_iterator(out_)) names.push_back(entry.path().filename());
  std::sort(names.begin(), names.end());
  return names;
}

std::vector<std::string> Installation::logLines() const {
  static const std::regex stamp(R"(^\d{4}/\d\d/\d\d \d\d:\d\d:\d\d (.*)$)");
  std::vector<std::string> lines;
  std::string log = fromCp932(output("Kexporter.log"));
  std::size_t start = 0, end;
  while ((end = log.find("\r\n", start)) != std::string::npos) {
    std::string line = log.substr(start, end - start);
    std::smatch match;
    lines.push_back(std::regex_match(line, match, stamp) ? match[1].str() : "BAD: " + line);
    start = end + 2;
  }
  if (start != log.size()) lines.push_back("UNTERMINATED: " + log.substr(start));
  return lines;
}
