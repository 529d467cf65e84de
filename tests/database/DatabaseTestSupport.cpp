#include "DatabaseTestSupport.h"

#include <gtest/gtest.h>
#include <sqlite3.h>
#include <filesystem>

namespace {

const char kSeparator = static_cast<char>(std::filesystem::path::preferred_separator);

// A regedit string's text: backslashes and quotes escaped.
std::string regeditText(const std::string& text) {
  std::string escaped;
  for (char c : text) {
    if (c == '\\' || c == '"') escaped += '\\';
    escaped += c;
  }
  return escaped;
}

}  // namespace

std::string TestInstallation::databasePath(const std::string& database,
                                           const std::string& name) const {
  const std::string data = *this / name + kSeparator + "data";
  std::filesystem::create_directories(data);
  return data + kSeparator + database + ".db";
}

void TestInstallation::writeRegistry(const std::vector<std::pair<std::string, std::string>>& keys) {
  std::string text;
  for (const auto& [serverKey, name] : keys) {
    text += "[" + serverKey + "\\VEK]\n";
    if (!name.empty()) text += "\"VekPath\"=\"" + regeditText(*this / name) + "\"\n";
    text += "\n";
  }
  registry_.write(text);
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
