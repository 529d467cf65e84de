#include <filesystem>

#include "DatabaseTestSupport.h"

int openDescriptorsOf(const std::string& path) {
  int count = 0;
  const std::filesystem::path target = std::filesystem::weakly_canonical(path);
  for (const auto& entry : std::filesystem::directory_iterator("/proc/self/fd")) {
    std::error_code error;
    if (std::filesystem::read_symlink(entry.path(), error) == target && !error) ++count;
  }
  return count;
}
