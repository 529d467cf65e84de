#ifndef TESTS_DATABASE_DATABASETESTSUPPORT_H
#define TESTS_DATABASE_DATABASETESTSUPPORT_H

#include <string>
#include <utility>
#include <vector>

#include "Pelcore/PelMessage.h"
#include "TestRegistry.h"
#include "TestSupport.h"

inline const char* const kNxv5Gw = "HKEY_LOCAL_MACHINE\\SOFTWARE\\Tarvik\\Fenwick\\NXV5\\GW";

// A temporary folder with installations and the test's registry (see
// TestRegistry).
class TestInstallation : public TempFolder {
 public:
  // <folder>/<name>/data/<database>.db with the platform's separator where
  // the library joins them; the data folder is created.
  std::string databasePath(const std::string& database, const std::string& name = "inst") const;
  // Writes the registry: per entry a "\VEK" key below the server key whose
  // VekPath names the installation (no value for "").
  void writeRegistry(const std::vector<std::pair<std::string, std::string>>& keys = {{kNxv5Gw, "inst"}});

 private:
  TestRegistry registry_;
};

// Runs `sql` on the SQLite file at `path`, creating it; fails the test on
// an error.
void runSql(const std::string& path, const std::string& sql);

// How many descriptors (on Windows handles) of this process refer to the
// file at `path`.
int openDescriptorsOf(const std::string& path);

// The recorded messages as "level source:line text", the traces only with
// `traces`; the libraries' own lines, whose numbers are theirs, as
// "level source text".
std::vector<std::string> messageLines(const PelMessageRecorder& recorder, bool traces = false);

#endif
