#include "CsvOutputFile.h"

#include "ExportSettings.h"
#include "FileLines.h"
#include "OpenOutputFolder.h"
#include "OutputFolder.h"
#include "RunLog.h"
#include "SupportRoutines.h"

int maxLinesPerFile = kDefaultCsvMaxLine;

const char* const kCsvWriteFailed = "ファイルへの書き込みが失敗しました。";
const char* const kCsvCharsReplaced = "CP932に変換できない文字を?に置き換えました。";

namespace {

// The header line of kind, or nullptr for a kind without one. Kinds are
// compared byte for byte.
const char* headerOf(const std::string& kind) {
  if (kind == "destination") return "DGUID,NAME";
  if (kind == "group") return "GGUID,NAME,DGUID";
  if (kind == "tsi") return "NAME,SENDER,DGUID";
  return nullptr;
}

}  // namespace

CsvOutputFile::CsvOutputFile(int maxLines, CsvTarget target) : target_(target) {
  maxLinesPerFile = maxLines;
}

CsvOutputFile::~CsvOutputFile() { close(); }

int CsvOutputFile::open(const std::string& kind) {
  close();
  const std::string name = kind + "_" + intToText(nextSequence_) + ".csv";
  path_ = outputFolder + kPathSeparator + name;
  ++nextSequence_;
  kind_ = kind;
  linesInFile_ = 0;
  int result = 0;
  if (target_ == CsvTarget::Nowhere) {
    openNowhere_ = true;
  } else {
    // Created new only: an existing file of the name must survive the export.
    file_ = OpenOutputFolder::createNew(name);
  }
  if (!hasFile()) {
    failedOpen_ = true;
    reportFailure();
    result = kCsvFailure;
  }
  const char* header = headerOf(kind);
  if (header && writeFields({header}) == kCsvFailure) result = kCsvFailure;
  return result;
}

bool CsvOutputFile::isFull() const {
  return maxLinesPerFile > 0 && linesInFile_ >= maxLinesPerFile;
}

int CsvOutputFile::writeRow(const std::vector<std::string>& fields) {
  ++rows_;
  return writeFields(fields);
}

int CsvOutputFile::writeFields(const std::vector<std::string>& fields) {
  if (hasFile() && isFull()) open(kind_);
  if (!hasFile()) return 0;
  line_.clear();
  bool substituted = false;
  for (std::size_t i = 0; i < fields.size(); ++i) {
    if (i > 0) line_ += ',';
    substituted |= text_.appendConverted(fields[i], line_);
  }
  line_ += kLineEnd;
  ++linesInFile_;
  if (file_ == kNoFile && !openNowhere_) {
    reportFailure();
    return kCsvFailure;
  }
  if (file_ != kNoFile) {
    // A line with "?" is written at once, so that its report follows its
    // write and a line that failed is reported as failed only.
    const bool lostBefore = substituted && writeQueued();
    LineQueue::add(file_, line_, *this);
    if (substituted ? writeQueued() : takeLostLine()) return kCsvFailure;
    lostLine_ = lostBefore;  // returned by the next call
  }
  if (!substituted) return 0;
  reportSubstitution();
  return kCsvSubstituted;
}

int CsvOutputFile::close() {
  int result = 0;
  if (file_ != kNoFile) {
    if (writeQueued()) result = kCsvFailure;
    // A file whose name went away while it was written (its folder was
    // removed) holds rows that nobody will find.
    if (!hasName(file_)) {
      reportFailure();
      result = kCsvFailure;
    }
    closeFile(file_);
  }
  file_ = kNoFile;
  failedOpen_ = false;
  openNowhere_ = false;
  return result;
}

void CsvOutputFile::reportFailure() {
  // The message begins with the tag too, so the line carries it twice.
  std::string message =
      std::string(kTagFailure) + kCsvWriteFailed + "(" + path_ + ")";
  RunLog::write(kTagFailure, message, true);
}

void CsvOutputFile::lineFailed() {
  lostLine_ = true;
  reportFailure();
}

bool CsvOutputFile::writeQueued() {
  LineQueue::writeAll();
  return takeLostLine();
}

bool CsvOutputFile::takeLostLine() {
  const bool lost = lostLine_;
  lostLine_ = false;
  return lost;
}

void CsvOutputFile::reportSubstitution() {
  std::string message = std::string(kCsvCharsReplaced) + "(" + path_ + ":" +
                        intToText(linesInFile_) + ")";
  RunLog::write(kTagFailure, message, false);
}
