#include "Pelcore/PelProcess.h"

#include "PelPath.h"
#include "Pelcore/PelAsciiText.h"

namespace {
std::atomic<std::size_t> totalLimitValue{0};
}

void PelMemoryPool::setTotalLimit(std::size_t limit) { totalLimitValue.store(limit); }

std::size_t PelMemoryPool::totalLimit() { return totalLimitValue.load(); }

std::atomic<int> PelOs::Process::_encodeingType{2};

std::string pelProgramName() {
  const std::string path = pelProgramPath();
  std::string name = path.substr(path.find_last_of(kPelPathSeparators) + 1);
  const std::size_t stem = name.size() >= 4 ? name.size() - 4 : 0;
  if (stem > 0 && pelEqualsIgnoringAsciiCase(name.substr(stem), ".exe")) name.resize(stem);
  return name;
}
