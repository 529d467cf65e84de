#include "OutputFolder.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstring>
#include <filesystem>
#include <vector>

#include "Cp932Text.h"

std::string outputFolder;

const char* const kFolderNotGiven = "データ保存先を指定してください。";
const char* const kFolderTooLong =
    "データ出力先パスが長すぎます。240バイト以内で指定してください。";
const char* const kFolderNotFound = "指定したデータ出力先が見つかりません。";
const char* const kFolderNotWritable =
    "指定したデータ出力先に書き込み権限がありません。";
const char* const kFolderNotEmpty = "指定したデータ出力先が空ではありません。";

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

bool isWritableFolder(const std::string& path) {
  struct stat status {};
  if (::lstat(withoutTrailingSlash(path).c_str(), &status) != 0) return false;
  return S_ISDIR(status.st_mode) && (status.st_mode & 0222) != 0;
}

// Creates a file of a new name in folder and removes it again.
bool canCreateFileIn(const std::string& folder) {
  std::string name = folder + "/dummy-XXXXXX.tmp";
  int probe = mkostemps(name.data(), 4, O_CLOEXEC);
  if (probe < 0) return false;
  ::close(probe);
  ::unlink(name.c_str());
  return true;
}

bool isEmptyFolder(const std::string& path) {
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

}  // namespace

std::string fullPathOf(const std::string& text) {
  if (text.empty()) return std::string();
  std::string absolute = text;
  if (text.front() != '/') {
    std::string current = currentFolder();
    if (current.empty()) return std::string();
    absolute = current + "/" + text;
  }
  std::string full;
  for (const std::string& name : resolvedNames(absolute)) full += "/" + name;
  if (full.empty() || text.back() == '/') full += "/";
  if (cp932Length(full) > kMaxFullPathBytes) return std::string();
  return full;
}

std::string withoutTrailingSlash(const std::string& path) {
  if (path.size() > 1 && path.back() == '/') return path.substr(0, path.size() - 1);
  return path;
}

FolderCheck checkOutputFolder(const std::string& fieldText) {
  FolderCheck check;
  if (fieldText.empty()) {
    check.failure = kFolderNotGiven;
    return check;
  }
  check.fullPath = fullPathOf(fieldText);
  const std::string& path = check.fullPath;
  if (cp932Length(path) > kMaxOutputFolderBytes) {
    check.failure = kFolderTooLong;
  } else if (path.empty() || !isWritableFolder(path)) {
    check.failure = kFolderNotFound;
  } else if (!canCreateFileIn(path)) {
    check.failure = kFolderNotWritable;
  } else if (!isEmptyFolder(path)) {
    check.failure = kFolderNotEmpty;
  }
  return check;
}
