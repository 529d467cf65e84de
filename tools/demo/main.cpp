// kexporter-demo: writes a demo installation for the exporter into a folder.
#include <CLI/CLI.hpp>

#include <climits>
#include <iostream>
#include <string>

#include "DemoDatabase.h"
#include "DemoInstallation.h"

namespace {

constexpr int kBadUsage = 2;
constexpr int kWriteFailed = 1;

}  // namespace

int main(int argc, char** argv) {
  CLI::App app{
      "Writes a demo installation of the document router for Kexporterrun: a registry\n"
      "file with the NXV5 and NXV4 keys and a user-management database for each.\n"
      "The same options give the same data, byte for byte."};
  std::string folder;
  DemoSizes sizes;
  bool withFaults = false;
  bool force = false;
  const auto count = CLI::Range(0, INT_MAX);
  app.add_option("--dir", folder, "Folder to write the installation into")
      ->required()
      ->type_name("DIR");
  app.add_option("--accounts", sizes.accounts, "Accounts of the NXV5 database, groups included")
      ->check(count)
      ->capture_default_str();
  app.add_option("--groups", sizes.groups, "Groups (each owned by one of the accounts)")
      ->check(count)
      ->capture_default_str();
  app.add_option("--members", sizes.members, "Member rows of all groups together")
      ->check(count)
      ->capture_default_str();
  app.add_option("--tsis", sizes.tsis, "TSI rows")->check(count)->capture_default_str();
  app.add_flag("--with-faults", withFaults,
               "Make one group member an empty text, which fails the export run");
  app.add_flag("--force", force, "Write into a folder that is not empty");
  bool windows = false;
  app.add_flag("--windows", windows,
               "Write VekPath as the Windows path under Wine (drive Z: is the Linux root),\n"
               "for the Windows build: regedit /S imports the registry file as it stands");
  std::string postgres;
  const CLI::Option* postgresOption =
      app.add_option("--postgres", postgres,
                     "Also load the NXV5 tables into the database ud_gwAddress on this\n"
                     "PostgreSQL server (a libpq connection string or URI, \"\" for libpq's\n"
                     "defaults; the database is created when missing) and set NXV5 to Remote\n"
                     "in the registry")
      ->type_name("CONNINFO");
  try {
    app.parse(argc, argv);
  } catch (const CLI::ParseError& error) {
    return app.exit(error) == 0 ? 0 : kBadUsage;
  }

  std::string problem = DemoDatabase::checkSizes(sizes);
  if (!problem.empty()) {
    std::cerr << "kexporter-demo: " << problem << "\n";
    return kBadUsage;
  }
  DemoInstallation installation(folder, sizes, withFaults);
  if (windows) installation.useWindowsPaths();
  if (postgresOption->count() > 0) installation.usePostgres(postgres);
  problem = installation.write(force);
  if (!problem.empty()) {
    std::cerr << "kexporter-demo: " << problem << "\n";
    return kWriteFailed;
  }
  std::cout << installation.summary();
  return 0;
}
