#include "SupportRoutines.h"

#include <unistd.h>

#include <ctime>
#include <vector>

namespace {

// The executable's full path, or the empty text. The buffer grows until the
// whole path fits: a cut path would name another folder.
std::string executablePath() {
  std::vector<char> buffer(520);
  for (;;) {
    ssize_t length = readlink("/proc/self/exe", buffer.data(), buffer.size());
    if (length < 0) return std::string();
    if (static_cast<std::size_t>(length) < buffer.size()) {
      return std::string(buffer.data(), length);
    }
    buffer.resize(buffer.size() * 2);
  }
}

}  // namespace

std::string programFolder() {
  std::string path = executablePath();
  std::string::size_type slash = path.rfind('/');
  if (slash == std::string::npos) return std::string();
  return path.substr(0, slash + 1);
}

std::tm localTimeNow() {
  tzset();
  std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  return local;
}
