#include "ExportSettings.h"

#include "SupportRoutines.h"

namespace {

// The settings file beside the program, or the empty text when the program's
// folder is unknown: a bare name would read a file of the current folder.
std::string besideProgram(const std::string& fileName) {
  std::string folder = programFolder();
  return folder.empty() ? std::string() : folder + fileName;
}

}  // namespace

int ExportSettings::readInt(const std::string& fileName,
                            const std::string& section,
                            const std::string& key) {
  std::string path = besideProgram(fileName);
  return path.empty() ? -1 : readIntAt(path, section, key);
}

std::string ExportSettings::readString(const std::string& fileName,
                                       const std::string& section,
                                       const std::string& key) {
  std::string path = besideProgram(fileName);
  return path.empty() ? std::string() : readStringAt(path, section, key);
}
