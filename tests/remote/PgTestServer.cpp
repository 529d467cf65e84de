#include "PgTestServer.h"

#include <arpa/inet.h>
#include <gtest/gtest.h>
#include <libpq-fe.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <map>
#include <memory>

#include "TestSupport.h"

namespace {

const std::string kServerScript = KEXPORTER_PG_SERVER_SCRIPT;

// The server that `value` names by KEXPORTER_TEST_PGHOST and its companions.
std::optional<PgServer> serverNamed(const std::function<std::string(const std::string&)>& value) {
  if (value("KEXPORTER_TEST_PGHOST").empty()) return std::nullopt;
  return PgServer{value("KEXPORTER_TEST_PGHOST"), value("KEXPORTER_TEST_PGPORT"),
                  value("KEXPORTER_TEST_PGUSER"), value("KEXPORTER_TEST_PGPASSWORD"),
                  value("KEXPORTER_TEST_PGSSLROOTCERT")};
}

}  // namespace

std::optional<PgServer> sharedServer() {
  return serverNamed([](const std::string& name) {
    const char* value = std::getenv(name.c_str());
    return std::string(value == nullptr ? "" : value);
  });
}

std::string remoteConnectionValues(const std::string& host, const std::string& port) {
  char dword[16];
  std::snprintf(dword, sizeof dword, "%08x", std::stoi(port));
  return "\"VekTesselConnection\"=\"Remote\"\r\n\"VekTesselHostName\"=\"" + host +
         "\"\r\n\"VekTesselPortNumber\"=dword:" + dword + "\r\n";
}

PrivateServer::PrivateServer() : folder("/tmp/kexporter-pg-" + std::to_string(::getpid())) {
  std::map<std::string, std::string> exported;  // the script's "export NAME=VALUE" lines
  FILE* script = ::popen((kServerScript + " start " + folder).c_str(), "r");
  for (char name[64], value[256];
       script != nullptr && std::fscanf(script, " export %63[^=]=%255s", name, value) == 2;) {
    exported[name] = value;
  }
  if (script != nullptr) ::pclose(script);
  settings = serverNamed([&](const std::string& name) { return exported[name]; });
}

void PrivateServer::stop() { std::system((kServerScript + " stop " + folder).c_str()); }

SilentResolver::SilentResolver(const std::filesystem::path& folder)
    : socket(::socket(AF_INET, SOCK_DGRAM, 0)), conf(folder / "resolv.conf") {
  const pid_t pid = ::getpid();
  const std::string address = "127.53." + std::to_string(pid / 250 % 250) + "." +
                              std::to_string(pid % 250 + 1);
  sockaddr_in at{AF_INET, htons(53), {}, {}};
  ::inet_pton(AF_INET, address.c_str(), &at.sin_addr);
  bound = ::bind(socket, reinterpret_cast<sockaddr*>(&at), sizeof at) == 0;
  // Unbounded, the lookup would outlast any limit of the test.
  writeFile(conf, "nameserver " + address + "\noptions timeout:30 attempts:1\n");
}

SilentResolver::~SilentResolver() { ::close(socket); }

SilentPort::SilentPort() : socket(::socket(AF_INET, SOCK_STREAM, 0)) {
  sockaddr_in address{AF_INET, 0, {htonl(INADDR_LOOPBACK)}, {}};
  socklen_t length = sizeof address;
  ::bind(socket, reinterpret_cast<sockaddr*>(&address), length);
  ::listen(socket, 8);
  ::getsockname(socket, reinterpret_cast<sockaddr*>(&address), &length);
  port = std::to_string(ntohs(address.sin_port));
}

SilentPort::~SilentPort() { ::close(socket); }

std::string pgRun(const PgServer& server, const std::string& database, const std::string& sql,
                  std::string* value) {
  const char* const keys[] = {"host", "port", "user", "password", "dbname", "connect_timeout",
                              "options", nullptr};
  const char* const values[] = {server.host.c_str(), server.port.c_str(), server.user.c_str(),
                                server.password.c_str(), database.c_str(), "5",
                                "-c client_min_messages=warning", nullptr};
  std::unique_ptr<PGconn, void (*)(PGconn*)> conn(PQconnectdbParams(keys, values, 0), PQfinish);
  if (PQstatus(conn.get()) != CONNECTION_OK) return PQerrorMessage(conn.get());
  std::unique_ptr<PGresult, void (*)(PGresult*)> result(PQexec(conn.get(), sql.c_str()), PQclear);
  const ExecStatusType status = PQresultStatus(result.get());
  if (value != nullptr && PQntuples(result.get()) > 0) *value = PQgetvalue(result.get(), 0, 0);
  return status == PGRES_COMMAND_OK || status == PGRES_TUPLES_OK ? "" : PQerrorMessage(conn.get());
}

PgTestSchema::PgTestSchema(const PgServer& server)
    : server_(server), name_("test_" + std::to_string(::getpid())) {
  // The database may have been made by another test just now.
  const std::string created =
      pgRun(server_, "postgres", "CREATE DATABASE \"ud_gwAddress\" TEMPLATE template0");
  EXPECT_TRUE(created.empty() || created.find("already exists") != std::string::npos ||
              created.find("duplicate key") != std::string::npos)
      << created;
  sql("DROP SCHEMA IF EXISTS " + name_ + " CASCADE; CREATE SCHEMA " + name_);
  ::setenv("PGUSER", server_.user.c_str(), 1);
  ::setenv("PGPASSWORD", server_.password.c_str(), 1);
  ::setenv("PGOPTIONS", ("-c search_path=" + name_).c_str(), 1);
}

PgTestSchema::~PgTestSchema() { pgRun(server_, "ud_gwAddress", "DROP SCHEMA " + name_ + " CASCADE"); }

void PgTestSchema::sql(const std::string& statements) const {
  EXPECT_EQ(pgRun(server_, "ud_gwAddress", "SET search_path=" + name_ + ";" + statements), "");
}

bool PgTestSchema::loadDemo(const std::filesystem::path& folder, const std::string& options) const {
  const std::string conninfo = "host=" + server_.host + " port=" + server_.port +
                               " options='-c search_path=" + name_ + "'";
  return makeDemoInstallation("--dir " + folder.string() + " " + options + " --postgres \"" + conninfo + "\"") == 0;
}
