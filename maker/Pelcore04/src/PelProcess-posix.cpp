#include <unistd.h>

#include <vector>

#include "Pelcore/PelProcess.h"
#include "PelPath.h"

const char* const kPelPathSeparators = "/";

std::string pelProgramPath() {
  // The buffer grows until the whole path fits: a cut path would name
  // another file.
  std::vector<char> buffer(520);
  for (;;) {
    const ssize_t length = ::readlink("/proc/self/exe", buffer.data(), buffer.size());
    if (length < 0) return std::string();
    if (static_cast<std::size_t>(length) < buffer.size()) return std::string(buffer.data(), length);
    buffer.resize(buffer.size() * 2);
  }
}
