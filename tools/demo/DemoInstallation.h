#ifndef TOOLS_DEMO_DEMOINSTALLATION_H
#define TOOLS_DEMO_DEMOINSTALLATION_H

#include <filesystem>
#include <string>
#include <vector>

#include "DemoDatabase.h"

// A complete demo installation in one folder:
//   registry.reg                  the keys of both server generations
//   nxv5/data/ud_gwAddress.db     the current installation, of the given sizes
//   nxv4/data/ud_gwAddress.db     an older one, small and with other data,
//                                 which the VERSION setting "V3" selects
// The exporter reads it with PEL_REGISTRY=<folder>/registry.reg; with
// Windows paths, the Windows build under Wine reads it once `regedit /S` has
// imported it.
//
// With a PostgreSQL server, the current installation's tables are also
// loaded into the server's database ud_gwAddress, and the registry sets the
// NXV5 installation to "Remote" with the server's host and port.
class DemoInstallation {
 public:
  // folder is made absolute and normalised; it need not exist yet.
  DemoInstallation(const std::filesystem::path& folder, const DemoSizes& sizes,
                   bool withFaults);

  // Loads the current installation into the server that `conninfo` names
  // (see DemoPostgres) when write runs.
  void usePostgres(const std::string& conninfo) {
    postgres_ = conninfo;
    usesPostgres_ = true;
  }

  // Writes VekPath as the path through which Wine sees the same folder: its
  // drive Z: maps the Linux root, so /a/b becomes Z:\a\b.
  void useWindowsPaths() { windowsPaths_ = true; }

  // Writes the registry file and both databases, each file complete or not
  // at all (written aside, then renamed), and loads the server if one is
  // set. Refuses a folder that exists and is not empty unless force; with
  // force it replaces only its own files. Returns an empty text on success,
  // else the error.
  std::string write(bool force);

  // What write made, one line per file, for the operator.
  std::string summary() const;

  const std::filesystem::path& folder() const { return folder_; }
  std::filesystem::path registryFile() const { return folder_ / "registry.reg"; }
  // The sizes of the older installation, the same whatever the options.
  static DemoSizes olderSizes();

 private:
  struct Server {
    const char* key;
    const char* subfolder;
    std::uint64_t seed;
    DemoSizes sizes;
  };

  std::string checkFolder(bool force) const;
  std::string writeDatabase(const Server& server) const;
  std::string loadPostgres();
  std::string writeRegistry() const;
  std::filesystem::path databaseFile(const Server& server) const;
  std::string registryPath(const std::filesystem::path& path) const;

  std::filesystem::path folder_;
  std::vector<Server> servers_;
  bool withFaults_;
  bool windowsPaths_ = false;
  bool usesPostgres_ = false;
  std::string postgres_;      // the server's connection string
  std::string remoteHost_;    // set by loadPostgres
  int remotePort_ = 0;
};

#endif
