#include "InstallationTree.h"

#include <sys/stat.h>

#include <cstdint>
#include <fstream>

namespace {

// FNV-1a over the file's bytes: enough to see any change a run could make.
std::string digestOf(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::uint64_t hash = 0xcbf29ce484222325ULL;
  std::uint64_t size = 0;
  char buffer[65536];
  while (in.read(buffer, sizeof buffer) || in.gcount() > 0) {
    for (std::streamsize i = 0; i < in.gcount(); ++i) {
      hash = (hash ^ static_cast<unsigned char>(buffer[i])) * 0x100000001b3ULL;
    }
    size += static_cast<std::uint64_t>(in.gcount());
  }
  return std::to_string(size) + ":" + std::to_string(hash);
}

std::string describe(const fs::directory_entry& entry) {
  struct stat info {};
  lstat(entry.path().c_str(), &info);
  std::string text = "mode " + std::to_string(info.st_mode & 07777) + " ";
  if (S_ISLNK(info.st_mode)) return text + "link " + fs::read_symlink(entry.path()).string();
  if (S_ISDIR(info.st_mode)) return text + "folder";
  if (S_ISREG(info.st_mode)) return text + "file " + digestOf(entry.path());
  return text + "other";
}

}  // namespace

InstallationTree::InstallationTree(const fs::path& root, std::set<std::string> skip)
    : root_(root), skip_(std::move(skip)), entries_(record()) {}

std::map<std::string, std::string> InstallationTree::record() const {
  std::map<std::string, std::string> entries;
  for (auto it = fs::recursive_directory_iterator(root_); it != fs::recursive_directory_iterator();
       ++it) {
    const std::string relative = fs::relative(it->path(), root_).string();
    if (skip_.count(relative)) {
      // Without following a link to a folder.
      if (it->is_directory() && !it->is_symlink()) it.disable_recursion_pending();
      continue;
    }
    entries[relative] = describe(*it);
  }
  return entries;
}

std::string InstallationTree::changesSince() const {
  const std::map<std::string, std::string> now = record();
  std::string changes;
  for (const auto& [path, was] : entries_) {
    auto found = now.find(path);
    if (found == now.end()) changes += "removed " + path + "\n";
    else if (found->second != was) changes += "changed " + path + ": " + was + " -> " + found->second + "\n";
  }
  for (const auto& [path, is] : now) {
    if (!entries_.count(path)) changes += "created " + path + ": " + is + "\n";
  }
  return changes;
}
