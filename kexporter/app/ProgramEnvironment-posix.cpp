#include "ProgramEnvironment.h"

#include <cstdlib>
#include <filesystem>

std::vector<std::string> programArguments(int argc, char** argv) { return {argv, argv + argc}; }

std::string executableBaseName(const char* argv0) {
  std::error_code error;
  std::filesystem::path exe = std::filesystem::read_symlink("/proc/self/exe", error);
  if (error) exe = argv0;
  return exe.stem().string();
}

bool hasDisplay() {
  const char* x11 = std::getenv("DISPLAY");
  const char* wayland = std::getenv("WAYLAND_DISPLAY");
  return (x11 && *x11) || (wayland && *wayland);
}
