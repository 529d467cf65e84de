#include "SupportRoutines.h"

#include "OutputFolder.h"
#include "Pelcore/PelProcess.h"

std::string programFolder() {
  const std::string path = pelProgramPath();
  const std::string::size_type separator = path.rfind(kPathSeparator[0]);
  if (separator == std::string::npos) return std::string();
  return path.substr(0, separator + 1);
}

std::string intToText(int value) { return std::to_string(value); }
