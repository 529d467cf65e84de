#include "ProgramEnvironment.h"

#include <cstdlib>

std::vector<std::string> programArguments(int argc, char** argv) { return {argv, argv + argc}; }

bool hasDisplay() {
  const char* x11 = std::getenv("DISPLAY");
  const char* wayland = std::getenv("WAYLAND_DISPLAY");
  return (x11 && *x11) || (wayland && *wayland);
}
