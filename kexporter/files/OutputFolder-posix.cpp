#include "OutputFolder.h"

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

std::string absolutePathOf(const std::string& text) {
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
