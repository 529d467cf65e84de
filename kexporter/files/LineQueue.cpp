#include "LineQueue.h"

#include <algorithm>
#include <atomic>
#include <cstdint>
#include <cstring>

namespace {

constexpr std::size_t kMaxBatchBytes = 64 * 1024;
constexpr std::uint32_t kMaxBatchLines = 1024;
// An export writes up to three files by turns.
constexpr std::uint32_t kMaxFiles = 4;

struct QueuedFile {
  NativeFile file;
  LineFailures* owner;
  std::size_t bytes;  // of its waiting lines
};

// Plain storage, so that an ending reads it without a lock or allocation.
// The lines of all files wait in the order given, each tagged with its file.
char batch[kMaxBatchBytes];
std::uint32_t lineEnds[kMaxBatchLines];
std::uint8_t lineFile[kMaxBatchLines];
QueuedFile files[kMaxFiles];
std::uint32_t fileCount = 0;
// Published after the line's bytes, end and file are in place.
std::atomic<std::uint32_t> queuedLines{0};
// One file's lines gathered for its write call.
char gathered[kMaxBatchBytes];
bool writing = false;

// A write within one page of the file crosses at most one page boundary,
// the only place where SIGKILL can cut a write to a file.
std::size_t batchLimit() {
  static const std::size_t limit = std::min(filePageSize(), kMaxBatchBytes);
  return limit;
}

std::size_t lineStart(std::uint32_t line) { return line == 0 ? 0 : lineEnds[line - 1]; }
std::size_t lineSize(std::uint32_t line) { return lineEnds[line] - lineStart(line); }

// Writes the first `lines` waiting lines, each file's in one call, and
// returns how many of them, in queue order, reached their files before the
// first that did not; the lines from that one on are taken back from every
// file, as if the lines had been written one by one up to the failure.
std::uint32_t writeLines(std::uint32_t lines) {
  std::uint32_t firstLost = lines;
  std::size_t written[kMaxFiles];
  for (std::uint32_t f = 0; f < fileCount; ++f) {
    std::size_t size = 0;
    for (std::uint32_t i = 0; i < lines; ++i) {
      if (lineFile[i] != f) continue;
      std::memcpy(gathered + size, batch + lineStart(i), lineSize(i));
      size += lineSize(i);
    }
    written[f] = size == 0 ? 0 : writeBytes(files[f].file, gathered, size);
    if (written[f] == size) continue;
    std::size_t whole = 0;
    for (std::uint32_t i = 0; i < lines; ++i) {
      if (lineFile[i] != f) continue;
      whole += lineSize(i);
      if (whole > written[f]) {
        firstLost = std::min(firstLost, i);
        break;
      }
    }
  }
  if (firstLost == lines) return lines;
  for (std::uint32_t f = 0; f < fileCount; ++f) {
    std::size_t kept = 0;
    for (std::uint32_t i = 0; i < firstLost; ++i)
      if (lineFile[i] == f) kept += lineSize(i);
    takeBack(files[f].file, written[f] - kept);
  }
  return firstLost;
}

// Drops the first `lines` waiting lines; with endings held.
void drop(std::uint32_t lines) {
  const std::uint32_t total = queuedLines.load(std::memory_order_relaxed);
  for (std::uint32_t i = 0; i < lines; ++i) files[lineFile[i]].bytes -= lineSize(i);
  const std::size_t from = lineStart(lines);
  std::memmove(batch, batch + from, lineStart(total) - from);
  for (std::uint32_t i = lines; i < total; ++i) {
    lineEnds[i - lines] = static_cast<std::uint32_t>(lineEnds[i] - from);
    lineFile[i - lines] = lineFile[i];
  }
  queuedLines.store(total - lines, std::memory_order_release);
  if (total == lines) fileCount = 0;
}

std::uint32_t slotOf(NativeFile file, LineFailures& owner) {
  for (std::uint32_t f = 0; f < fileCount; ++f)
    if (files[f].file == file && files[f].owner == &owner) return f;
  if (fileCount == kMaxFiles) LineQueue::writeAll();
  files[fileCount] = {file, &owner, 0};
  return fileCount++;
}

struct Writing {
  Writing() { writing = true; }
  ~Writing() { writing = false; }
};

}  // namespace

void LineQueue::add(NativeFile file, const std::string& line, LineFailures& owner) {
  if (line.size() > batchLimit()) {
    // A line longer than a batch goes alone, after the lines before it.
    writeAll();
    if (!writeLine(file, line)) owner.lineFailed();
    return;
  }
  std::uint32_t slot = slotOf(file, owner);
  std::uint32_t lines = queuedLines.load(std::memory_order_relaxed);
  if (lines == kMaxBatchLines || files[slot].bytes + line.size() > batchLimit() ||
      lineStart(lines) + line.size() > kMaxBatchBytes) {
    writeAll();
    slot = slotOf(file, owner);
    lines = 0;
  }
  if (lines == 0) noteWritingThread();
  const std::size_t start = lineStart(lines);
  std::memcpy(batch + start, line.data(), line.size());
  lineEnds[lines] = static_cast<std::uint32_t>(start + line.size());
  lineFile[lines] = static_cast<std::uint8_t>(slot);
  files[slot].bytes += line.size();
  queuedLines.store(lines + 1, std::memory_order_release);
}

void LineQueue::writeAll() {
  if (writing) return;
  const Writing guard;
  bool oneByOne = false;
  while (queuedLines.load(std::memory_order_relaxed) > 0) {
    holdEnding();
    const std::uint32_t tried = oneByOne ? 1 : queuedLines.load(std::memory_order_relaxed);
    const std::uint32_t whole = writeLines(tried);
    LineFailures* owner = files[lineFile[std::min(whole, tried - 1)]].owner;
    drop(std::min(whole + 1, tried));
    releaseEnding();
    if (whole == tried) continue;
    // What a full disk refused once it will likely refuse again; each line
    // on its own finds which ones are lost.
    oneByOne = true;
    owner->lineFailed();
  }
}

void LineQueue::writeBeforeEnd() {
  const std::uint32_t lines = queuedLines.exchange(0, std::memory_order_acquire);
  if (lines > 0) writeLines(lines);
}
