// Fuzz target: the settings file reader, through the reads the export run
// makes. Any bytes must read without harm, and a text setting never exceeds
// its limit.
#include <sys/mman.h>
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <string>

#include "ExportSettings.h"

namespace {

void require(bool condition) {
  if (!condition) std::abort();
}

// The input as a file without touching the disk.
std::string memoryFile(const std::uint8_t* data, std::size_t size, int& fd) {
  fd = memfd_create("Kexporter.ini", 0);
  require(fd >= 0);
  std::size_t done = 0;
  while (done < size) {
    const ssize_t n = write(fd, data + done, size - done);
    require(n > 0);
    done += static_cast<std::size_t>(n);
  }
  return "/proc/self/fd/" + std::to_string(fd);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  int fd = -1;
  const std::string path = memoryFile(data, size, fd);
  ExportSettings::readIntAt(path, "Kexporter", "CSVMAXLINE");
  for (const char* key : {"GUIDSPLIT", "VERSION", "guidsplit"}) {
    require(ExportSettings::readStringAt(path, "Kexporter", key).size() <= kMaxSettingBytes);
  }
  ExportSettings::readIntAt(path, "kexporter ", "");
  close(fd);
  return 0;
}
