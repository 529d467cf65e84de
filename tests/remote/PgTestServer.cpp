#include "PgTestServer.h"

#include <gtest/gtest.h>
#include <libpq-fe.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <sstream>

namespace {

// A missing database, or one just made by another test.
constexpr char kCreateDatabase[] = "CREATE DATABASE \"ud_gwAddress\" TEMPLATE template0";

std::string environment(const char* name) {
  const char* value = std::getenv(name);
  return value == nullptr ? "" : value;
}

}  // namespace

std::optional<PgServerSettings> sharedTestServer() {
  const std::string port = environment("KEXPORTER_TEST_PGPORT");
  if (environment("KEXPORTER_TEST_PGHOST").empty() || port.empty()) return std::nullopt;
  return PgServerSettings{environment("KEXPORTER_TEST_PGHOST"), std::stoi(port),
                          environment("KEXPORTER_TEST_PGUSER"),
                          environment("KEXPORTER_TEST_PGPASSWORD")};
}

std::string pgRun(const PgServerSettings& server, const std::string& database,
                  const std::string& sql, const std::string& schema) {
  const std::string port = std::to_string(server.port);
  const std::string options =
      "-c client_min_messages=warning" + (schema.empty() ? "" : " -c search_path=" + schema);
  const char* const keys[] = {"host", "port", "user", "password", "dbname", "options",
                              "connect_timeout", nullptr};
  const char* const values[] = {server.host.c_str(), port.c_str(), server.user.c_str(),
                                server.password.c_str(), database.c_str(), options.c_str(),
                                "5", nullptr};
  std::unique_ptr<PGconn, void (*)(PGconn*)> conn(PQconnectdbParams(keys, values, 0), PQfinish);
  if (PQstatus(conn.get()) != CONNECTION_OK) return PQerrorMessage(conn.get());
  std::unique_ptr<PGresult, void (*)(PGresult*)> result(PQexec(conn.get(), sql.c_str()), PQclear);
  const ExecStatusType status = PQresultStatus(result.get());
  if (status == PGRES_COMMAND_OK || status == PGRES_TUPLES_OK) return "";
  return PQerrorMessage(conn.get());
}

std::string remoteRegistryValues(const PgServerSettings& server, int port) {
  char dword[16];
  std::snprintf(dword, sizeof dword, "%08x", port != 0 ? port : server.port);
  return "\"VekTesselConnection\"=\"Remote\"\r\n\"VekTesselHostName\"=\"" + server.host +
         "\"\r\n\"VekTesselPortNumber\"=dword:" + dword + "\r\n";
}

void logInAs(const PgServerSettings& server) {
  ::setenv("PGUSER", server.user.c_str(), 1);
  ::setenv("PGPASSWORD", server.password.c_str(), 1);
}

PgTestSchema::PgTestSchema(const PgServerSettings& server)
    : server_(server), name_("test_" + std::to_string(::getpid())) {
  const std::string created = pgRun(server_, "postgres", kCreateDatabase);
  EXPECT_TRUE(created.empty() || created.find("already exists") != std::string::npos ||
              created.find("duplicate key") != std::string::npos)
      << created;
  sql("DROP SCHEMA IF EXISTS " + name_ + " CASCADE; CREATE SCHEMA " + name_);
  logInAs(server_);
  ::setenv("PGOPTIONS", ("-c search_path=" + name_).c_str(), 1);
}

PgTestSchema::~PgTestSchema() {
  ::unsetenv("PGOPTIONS");
  // The server may have been stopped by the test.
  pgRun(server_, "ud_gwAddress", "DROP SCHEMA " + name_ + " CASCADE");
}

void PgTestSchema::sql(const std::string& statements) const {
  const std::string error =
      pgRun(server_, "ud_gwAddress", statements, name_);
  EXPECT_EQ(error, "") << statements;
}

std::string PgTestSchema::conninfo() const {
  return "host=" + server_.host + " port=" + std::to_string(server_.port) +
         " options='-c search_path=" + name_ + "'";
}

PrivatePgServer::PrivatePgServer() {
  std::string pattern = "/tmp/kexporter-pg-XXXXXX";
  folder_ = ::mkdtemp(pattern.data());
  std::string output;
  if (FILE* script = ::popen((std::string(KEXPORTER_PG_SERVER_SCRIPT) + " start " + folder_).c_str(), "r")) {
    for (char line[256]; std::fgets(line, sizeof line, script) != nullptr;) output += line;
    ::pclose(script);
  }
  running_ = true;
  std::istringstream lines(output);
  for (std::string line; std::getline(lines, line);) {
    const std::string value = line.substr(line.find('=') + 1);
    if (line.rfind("export KEXPORTER_TEST_PGHOST=", 0) == 0) settings_.host = value;
    if (line.rfind("export KEXPORTER_TEST_PGPORT=", 0) == 0) settings_.port = std::stoi(value);
    if (line.rfind("export KEXPORTER_TEST_PGUSER=", 0) == 0) settings_.user = value;
    if (line.rfind("export KEXPORTER_TEST_PGPASSWORD=", 0) == 0) settings_.password = value;
  }
  EXPECT_TRUE(started()) << output;
}

void PrivatePgServer::stop() {
  if (!running_) return;
  running_ = false;
  std::system((std::string(KEXPORTER_PG_SERVER_SCRIPT) + " stop " + folder_).c_str());
}
