#include "OutputFolder.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstring>
#include <filesystem>
#include <vector>

const char* const kPathSeparator = "/";

namespace {

std::string currentFolder() {
  std::error_code error;
  std::filesystem::path current = std::filesystem::current_path(error);
  return error ? std::string() : current.string();
}

// The names of path from the root, with "." and ".." resolved.
std::vector<std::string> resolvedNames(const std::string& path) {
  std::vector<std::string> names;
  std::string::size_type start = 0;
  while (start <= path.size()) {
    std::string::size_type slash = path.find('/', start);
    if (slash == std::string::npos) slash = path.size();
    std::string name = path.substr(start, slash - start);
    start = slash + 1;
    if (name.empty() || name == ".") continue;
    if (name == "..") {
      if (!names.empty()) names.pop_back();
      continue;
    }
    names.push_back(name);
  }
  return names;
}

}  // namespace

std::string folder_system::absolutePathOf(const std::string& text) {
  std::string absolute = text;
  if (text.front() != '/') {
    std::string current = currentFolder();
    if (current.empty()) return std::string();
    absolute = current + "/" + text;
  }
  std::string full;
  for (const std::string& name : resolvedNames(absolute)) full += "/" + name;
  if (full.empty() || text.back() == '/') full += "/";
  return full;
}

bool folder_system::isWritableFolder(const std::string& path) {
  struct stat status {};
  if (::lstat(withoutTrailingSlash(path).c_str(), &status) != 0) return false;
  return S_ISDIR(status.st_mode) && (status.st_mode & 0222) != 0;
}

bool folder_system::canCreateFileIn(const std::string& folder) {
  std::string name = folder + "/dummy-XXXXXX.tmp";
  int probe = mkostemps(name.data(), 4, O_CLOEXEC);
  if (probe < 0) return false;
  ::close(probe);
  ::unlink(name.c_str());
  return true;
}

bool folder_system::isEmptyFolder(const std::string& path) {
  DIR* folder = opendir(path.c_str());
  if (!folder) return false;
  bool empty = true;
  while (dirent* entry = readdir(folder)) {
    if (std::strcmp(entry->d_name, ".") == 0) continue;
    if (std::strcmp(entry->d_name, "..") == 0) continue;
    empty = false;
    break;
  }
  closedir(folder);
  return empty;
}

std::string withoutTrailingSlash(const std::string& path) {
  if (path.size() > 1 && path.back() == '/') return path.substr(0, path.size() - 1);
  return path;
}
