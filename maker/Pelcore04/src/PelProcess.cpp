#include "Pelcore/PelProcess.h"

namespace {
std::atomic<std::size_t> totalLimitValue{0};
}

void PelMemoryPool::setTotalLimit(std::size_t limit) { totalLimitValue.store(limit); }

std::size_t PelMemoryPool::totalLimit() { return totalLimitValue.load(); }

std::atomic<int> PelOs::Process::_encodeingType{2};
