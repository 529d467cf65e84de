#include "OdbTestSupport.h"

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>

void inFreshProcess(const std::function<void()>& scenario) {
  std::fflush(nullptr);
  const pid_t child = ::fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    scenario();
    std::fflush(nullptr);
    ::_exit(::testing::Test::HasFailure() ? 1 : 0);
  }
  int status = 0;
  ASSERT_EQ(::waitpid(child, &status, 0), child);
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "the scenario failed in its process";
}

TestInstallation::TestInstallation() {
  std::string pattern = (std::filesystem::temp_directory_path() / "vekodb-XXXXXX").string();
  root_ = ::mkdtemp(pattern.data());
  registryPath_ = (root_ / "registry.reg").string();
  ::setenv("PEL_REGISTRY", registryPath_.c_str(), 1);
}

TestInstallation::~TestInstallation() {
  ::unsetenv("PEL_REGISTRY");
  std::filesystem::remove_all(root_);
}

std::string TestInstallation::topPath(const std::string& name) const {
  const std::filesystem::path top = root_ / name;
  std::filesystem::create_directories(top / "data");
  return top.string();
}

std::string TestInstallation::databasePath(const std::string& database,
                                           const std::string& name) const {
  return topPath(name) + "/data/" + database + ".db";
}

void TestInstallation::writeRegistry(const std::vector<RegistryInstallation>& installations) const {
  std::string text = "Windows Registry Editor Version 5.00\n";
  for (const RegistryInstallation& installation : installations) {
    text += "\n[" + installation.serverKey + "\\VEK]\n" + installation.values;
  }
  writeBytes(registryPath_, text);
}

void TestInstallation::writeRegistry(const std::string& moreValues) const {
  writeRegistry({{"HKEY_LOCAL_MACHINE\\SOFTWARE\\Tarvik\\Fenwick\\NXV5\\GW",
                  vekPathValue() + moreValues}});
}

std::string TestInstallation::vekPathValue(const std::string& name) const {
  return "\"VekPath\"=\"" + topPath(name) + "\"\n";
}

void runSql(const std::string& path, const std::string& sql) {
  OtherConnection(path).run(sql);
}

OtherConnection::OtherConnection(const std::string& path) {
  EXPECT_EQ(sqlite3_open(path.c_str(), &db_), SQLITE_OK) << path;
}

OtherConnection::~OtherConnection() { sqlite3_close(db_); }

void OtherConnection::run(const std::string& sql) {
  char* error = nullptr;
  EXPECT_EQ(sqlite3_exec(db_, sql.c_str(), nullptr, nullptr, &error), SQLITE_OK)
      << (error != nullptr ? error : "") << " in " << sql;
  sqlite3_free(error);
}

std::string fileBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream out;
  out << in.rdbuf();
  return out.str();
}

void writeBytes(const std::string& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary) << bytes;
}

int openDescriptorsOf(const std::string& path) {
  int count = 0;
  const std::filesystem::path target = std::filesystem::canonical(path);
  for (const auto& entry : std::filesystem::directory_iterator("/proc/self/fd")) {
    std::error_code error;
    const std::filesystem::path linked = std::filesystem::read_symlink(entry.path(), error);
    if (!error && linked == target) ++count;
  }
  return count;
}

std::vector<std::string> messageLines(const PelMessageRecorder& recorder) {
  std::vector<std::string> lines;
  for (const PelMessage& m : recorder.messages()) {
    lines.push_back(std::string(pelMessageLevelName(m.level)) + " " + m.source + ":" +
                    std::to_string(m.line) + " " + m.text);
  }
  return lines;
}

double secondsTaken(const std::function<void()>& call) {
  const auto start = std::chrono::steady_clock::now();
  call();
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}
