#include "DemoInstallation.h"

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <system_error>

#include "DemoPostgres.h"

namespace fs = std::filesystem;

namespace {

constexpr char kRegistryHeader[] = "Windows Registry Editor Version 5.00";
constexpr char kCurrentKey[] = "HKEY_LOCAL_MACHINE\\SOFTWARE\\Tarvik\\Fenwick\\NXV5\\GW\\VEK";
constexpr char kOlderKey[] = "HKEY_LOCAL_MACHINE\\SOFTWARE\\Tarvik\\Fenwick\\NXV4\\GW\\VEK";
constexpr std::uint64_t kCurrentSeed = 0x4E58563520474B57ULL;
constexpr std::uint64_t kOlderSeed = 0x4E58563420474B57ULL;
constexpr char kPartSuffix[] = ".part";

fs::path normalisedFolder(const fs::path& folder) {
  fs::path result = fs::absolute(folder).lexically_normal();
  if (!result.has_filename() && result != result.root_path()) result = result.parent_path();
  return result;
}

// The value text of a .reg line: backslash and double quote escaped.
std::string regString(const std::string& text) {
  std::string result;
  for (char c : text) {
    if (c == '\\' || c == '"') result += '\\';
    result += c;
  }
  return result;
}

std::string renameInto(const fs::path& part, const fs::path& target) {
  std::error_code error;
  fs::rename(part, target, error);
  if (error) return target.string() + ": " + error.message();
  return {};
}

}  // namespace

DemoInstallation::DemoInstallation(const fs::path& folder, const DemoSizes& sizes,
                                   bool withFaults)
    : folder_(normalisedFolder(folder)),
      servers_{{kOlderKey, "nxv4", kOlderSeed, olderSizes()},
               {kCurrentKey, "nxv5", kCurrentSeed, sizes}},
      withFaults_(withFaults) {}

DemoSizes DemoInstallation::olderSizes() { return DemoSizes{40, 4, 15, 8}; }

std::string DemoInstallation::write(bool force) {
  std::string error = checkFolder(force);
  for (const Server& server : servers_) {
    if (error.empty()) error = writeDatabase(server);
  }
  if (error.empty() && usesPostgres_) error = loadPostgres();
  if (error.empty()) error = writeRegistry();
  return error;
}

std::string DemoInstallation::loadPostgres() {
  DemoPostgres server(postgres_);
  std::string error = server.load(databaseFile(servers_.back()).string());
  if (!error.empty()) return error;
  remoteHost_ = server.host();
  remotePort_ = server.port();
  return {};
}

std::string DemoInstallation::checkFolder(bool force) const {
  const std::string text = folder_.string();
  // The path goes into one line of the registry file.
  if (text.find_first_of("\r\n") != std::string::npos) {
    return text + ": a folder name with a line break cannot go into the registry file";
  }
  std::error_code error;
  if (!fs::exists(folder_, error)) {
    fs::create_directories(folder_, error);
    return error ? text + ": " + error.message() : std::string();
  }
  if (!fs::is_directory(folder_, error)) return text + ": not a folder";
  fs::directory_iterator entries(folder_, error);
  if (error) return text + ": " + error.message();
  if (entries != fs::directory_iterator() && !force) {
    return text + ": the folder is not empty (--force replaces the demo files in it)";
  }
  return {};
}

fs::path DemoInstallation::databaseFile(const Server& server) const {
  return folder_ / server.subfolder / "data" / "ud_gwAddress.db";
}

std::string DemoInstallation::writeDatabase(const Server& server) const {
  const fs::path target = databaseFile(server);
  std::error_code error;
  fs::create_directories(target.parent_path(), error);
  if (error) return target.parent_path().string() + ": " + error.message();
  // A journal left beside an old database would be applied to the new one.
  for (const char* suffix : {"-journal", "-wal", "-shm"}) {
    fs::remove(target.string() + suffix, error);
    if (error) return target.string() + suffix + ": " + error.message();
  }
  const fs::path part = target.string() + kPartSuffix;
  std::string failure = DemoDatabase(server.seed, server.sizes, withFaults_).write(part);
  if (!failure.empty()) {
    fs::remove(part, error);
    return failure;
  }
  return renameInto(part, target);
}

std::string DemoInstallation::registryPath(const fs::path& path) const {
  std::string text = path.string();
  if (!windowsPaths_) return text;
  std::ranges::replace(text, '/', '\\');
  return "Z:" + text;
}

std::string DemoInstallation::writeRegistry() const {
  std::ostringstream text;
  text << kRegistryHeader << "\n";
  for (const Server& server : servers_) {
    text << "\n[" << server.key << "]\n"
         << "\"VekPath\"=\"" << regString(registryPath(folder_ / server.subfolder)) << "\"\n";
    if (&server == &servers_.back() && !remoteHost_.empty()) {
      char port[9];
      std::snprintf(port, sizeof port, "%08x", static_cast<unsigned>(remotePort_));
      text << "\"VekTesselConnection\"=\"Remote\"\n"
           << "\"VekTesselHostName\"=\"" << regString(remoteHost_) << "\"\n"
           << "\"VekTesselPortNumber\"=dword:" << port << "\n";
    } else {
      text << "\"VekTesselConnection\"=\"InProcess\"\n";
    }
  }
  const fs::path target = registryFile();
  const fs::path part = target.string() + kPartSuffix;
  std::ofstream file(part, std::ios::binary | std::ios::trunc);
  file << text.str();
  file.close();
  if (!file) {
    std::error_code ignored;
    fs::remove(part, ignored);
    return part.string() + ": cannot write";
  }
  return renameInto(part, target);
}

std::string DemoInstallation::summary() const {
  std::ostringstream text;
  text << "registry   " << registryFile().string() << "\n";
  for (auto server = servers_.rbegin(); server != servers_.rend(); ++server) {
    const DemoSizes& sizes = server->sizes;
    text << server->subfolder << "       " << databaseFile(*server).string() << "\n"
         << "           " << sizes.accounts << " accounts, " << sizes.groups
         << " groups with " << sizes.members << " members, " << sizes.tsis << " TSIs"
         << (withFaults_ && sizes.members > 0 ? ", one unconvertible member" : "") << "\n";
  }
  if (!remoteHost_.empty()) {
    text << "nxv5       also in database ud_gwAddress on " << remoteHost_ << ":" << remotePort_
         << ", which the registry names (Remote)\n";
  }
  if (windowsPaths_) {
    text << "Import it into a Wine prefix with regedit /S " << registryPath(registryFile()) << "\n";
  } else {
    text << "Use it with PEL_REGISTRY=" << registryFile().string() << "\n";
  }
  return text.str();
}
