#include "FileLines.h"

bool writeLine(NativeFile file, const std::string& bytes) {
  holdEnding();
  const std::size_t written = writeBytes(file, bytes.data(), bytes.size());
  if (written != bytes.size()) takeBack(file, written);
  releaseEnding();
  return written == bytes.size();
}
