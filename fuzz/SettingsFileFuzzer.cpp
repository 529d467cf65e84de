// Fuzz target: the settings file reader, through the reads the export run
// makes. Any bytes must read without harm, and a text setting never exceeds
// its limit.
#include <sys/mman.h>
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <string>

#include "ExportSettings.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  // The input as a file without touching the disk.
  const int fd = memfd_create("Kexporter.ini", 0);
  if (fd < 0 || write(fd, data, size) != static_cast<ssize_t>(size)) std::abort();
  const std::string path = "/proc/self/fd/" + std::to_string(fd);
  ExportSettings::readIntAt(path, "Kexporter", "CSVMAXLINE");
  ExportSettings::readIntAt(path, "kexporter ", "");
  for (const char* key : {"GUIDSPLIT", "VERSION", "guidsplit"}) {
    const std::string value = ExportSettings::readStringAt(path, "Kexporter", key);
    if (value.size() > kMaxSettingBytes) std::abort();
  }
  close(fd);
  return 0;
}
