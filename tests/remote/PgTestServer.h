#ifndef TESTS_REMOTE_PGTESTSERVER_H
#define TESTS_REMOTE_PGTESTSERVER_H

#include <optional>
#include <string>

// How the tests reach a PostgreSQL server and log in.
struct PgServerSettings {
  std::string host;
  int port = 0;
  std::string user;
  std::string password;
};

// The server that scripts/test.sh starts, named by KEXPORTER_TEST_PGHOST,
// _PGPORT, _PGUSER and _PGPASSWORD; none when they are not set.
std::optional<PgServerSettings> sharedTestServer();

// Runs `sql` in `database` (in `schema` when not empty); the server's error
// text, empty on success.
std::string pgRun(const PgServerSettings& server, const std::string& database,
                  const std::string& sql, const std::string& schema = "");

// Registry value lines of an installation set to "Remote" at `server`, or
// at `port` of its host when that is not 0.
std::string remoteRegistryValues(const PgServerSettings& server, int port = 0);

// Logs this process and the programs it starts in as `server` says
// (PGUSER, PGPASSWORD).
void logInAs(const PgServerSettings& server);

// A schema of its own in the database ud_gwAddress (created when missing),
// which this process and the programs it starts read (PGOPTIONS) while it
// lives, so that tests running at the same time do not meet. Logs in.
class PgTestSchema {
 public:
  explicit PgTestSchema(const PgServerSettings& server);
  ~PgTestSchema();
  PgTestSchema(const PgTestSchema&) = delete;
  PgTestSchema& operator=(const PgTestSchema&) = delete;

  // Runs `sql` in the schema; fails the test on an error.
  void sql(const std::string& statements) const;
  // A connection string for kexporter-demo --postgres.
  std::string conninfo() const;
  std::string registryValues(int port = 0) const { return remoteRegistryValues(server_, port); }

 private:
  PgServerSettings server_;
  std::string name_;
};

// A server of the test's own, started by scripts/postgres-test-server.sh in
// a temporary folder; stopped and removed by stop() or at the end.
class PrivatePgServer {
 public:
  PrivatePgServer();
  ~PrivatePgServer() { stop(); }
  PrivatePgServer(const PrivatePgServer&) = delete;
  PrivatePgServer& operator=(const PrivatePgServer&) = delete;

  bool started() const { return settings_.port != 0; }
  const PgServerSettings& settings() const { return settings_; }
  void stop();

 private:
  std::string folder_;
  PgServerSettings settings_;
  bool running_ = false;
};

#endif
