#include "ProgramEnvironment.h"

#include <filesystem>

#include "Pelcore/PelProcess.h"

std::string executableBaseName(const char* argv0) {
  const std::string name = pelProgramName();
  return name.empty() ? std::filesystem::path(argv0).stem().string() : name;
}
