#include "DatabaseTestSupport.h"

#include <gtest/gtest.h>
#include <sqlite3.h>
#include <stdlib.h>

#include <filesystem>

TestInstallation::TestInstallation() {
  setenv("PEL_REGISTRY", (*this / "registry.reg").c_str(), 1);
}

TestInstallation::~TestInstallation() { unsetenv("PEL_REGISTRY"); }

std::string TestInstallation::databasePath(const std::string& database,
                                           const std::string& name) const {
  std::filesystem::create_directories(*this / name + "/data");
  return *this / name + "/data/" + database + ".db";
}

void TestInstallation::writeRegistry(
    const std::vector<std::pair<std::string, std::string>>& keys) const {
  std::string text = "Windows Registry Editor Version 5.00\n";
  for (const auto& [serverKey, name] : keys) {
    text += "\n[" + serverKey + "\\VEK]\n";
    if (!name.empty()) text += "\"VekPath\"=\"" + *this / name + "\"\n";
  }
  writeFile(*this / "registry.reg", text);
}

void runSql(const std::string& path, const std::string& sql) {
  sqlite3* db = nullptr;
  char* error = nullptr;
  sqlite3_open(path.c_str(), &db);
  EXPECT_EQ(sqlite3_exec(db, sql.c_str(), nullptr, nullptr, &error), SQLITE_OK)
      << (error != nullptr ? error : "") << " in " << sql;
  sqlite3_free(error);
  sqlite3_close(db);
}

int openDescriptorsOf(const std::string& path) {
  int count = 0;
  const std::filesystem::path target = std::filesystem::weakly_canonical(path);
  for (const auto& entry : std::filesystem::directory_iterator("/proc/self/fd")) {
    std::error_code error;
    if (std::filesystem::read_symlink(entry.path(), error) == target && !error) ++count;
  }
  return count;
}

std::vector<std::string> messageLines(const PelMessageRecorder& recorder, bool traces) {
  std::vector<std::string> lines;
  for (const PelMessage& m : recorder.messages()) {
    if (m.level == PelMessageLevel::Debug && !traces) continue;
    const bool library = m.source == "VekOdb" || m.source == "VekPel";
    const std::string where = library ? m.source : m.source + ":" + std::to_string(m.line);
    lines.push_back(std::string(pelMessageLevelName(m.level)) + " " + where + " " + m.text);
  }
  return lines;
}
