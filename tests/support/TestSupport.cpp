#include "TestSupport.h"

#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <stdexcept>
#include <thread>

namespace fs = std::filesystem;

TempFolder::TempFolder() {
  std::random_device random;
  for (int attempt = 0; attempt < 100 && path_.empty(); ++attempt) {
    const fs::path path = fs::temp_directory_path() / ("kexporter-test-" + std::to_string(random()));
    if (fs::create_directory(path)) path_ = path.string();  // true only for the call that made it
  }
  if (path_.empty()) throw std::runtime_error("no new temporary folder");
}

TempFolder::~TempFolder() {
  // Tests take write and search bits away; give them back so that all goes.
  std::error_code ignored;
  fs::permissions(path_, fs::perms::owner_all, fs::perm_options::add, ignored);
  for (auto it = fs::recursive_directory_iterator(path_, ignored);
       it != fs::recursive_directory_iterator(); it.increment(ignored)) {
    if (it->is_directory(ignored) && !it->is_symlink(ignored)) {
      fs::permissions(it->path(), fs::perms::owner_all, fs::perm_options::add, ignored);
    }
  }
  fs::remove_all(path_, ignored);
}

bool waitUntil(const std::function<bool()>& condition, std::chrono::milliseconds limit) {
  const auto deadline = std::chrono::steady_clock::now() + limit;
  while (!condition()) {
    if (std::chrono::steady_clock::now() > deadline) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(2));
  }
  return true;
}

std::map<std::string, std::string> folderTree(const std::string& root,
                                              const std::function<bool(const std::string&)>& skipped) {
  std::map<std::string, std::string> entries;
  for (auto it = fs::recursive_directory_iterator(fs::u8path(root)); it != fs::recursive_directory_iterator(); ++it) {
    const std::string name = it->path().lexically_relative(fs::u8path(root)).string();
    if (skipped(name)) {
      it.disable_recursion_pending();
      continue;
    }
    const fs::file_status status = it->symlink_status();
    const bool file = status.type() == fs::file_type::regular;
    entries[name] = std::to_string(static_cast<int>(status.type())) + " mode " +
                    std::to_string(static_cast<int>(status.permissions())) +
                    (file ? " hash " + std::to_string(std::hash<std::string>{}(readFile(it->path().string()))) +
                                " time " + std::to_string(it->last_write_time().time_since_epoch().count())
                          : "");
  }
  return entries;
}

std::string readFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

void writeFile(const std::string& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary) << bytes;
}

namespace {

// Whether `line` begins with a time stamp, "YYYY/MM/DD hh:mm:ss ". (Not a
// regular expression: libstdc++'s recurses per character and overflows the
// stack on Windows at the long lines some tests write.)
const std::string kStampShape = "0000/00/00 00:00:00 ";

bool stamped(const std::string& line) {
  if (line.size() < kStampShape.size()) return false;
  for (std::size_t i = 0; i < kStampShape.size(); ++i) {
    const bool digit = line[i] >= '0' && line[i] <= '9';
    if (kStampShape[i] == '0' ? !digit : line[i] != kStampShape[i]) return false;
  }
  return true;
}

}  // namespace

std::vector<std::string> runLogLines(const std::string& bytes) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  for (std::size_t end; (end = bytes.find("\r\n", start)) != std::string::npos; start = end + 2) {
    const std::string line = fromCp932(bytes.substr(start, end - start));
    lines.push_back(stamped(line) ? line.substr(kStampShape.size()) : "UNSTAMPED: " + line);
  }
  if (start != bytes.size()) lines.push_back("UNTERMINATED: " + bytes.substr(start));
  return lines;
}
