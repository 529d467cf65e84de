#include "RunState.h"

#include "CsvOutputFile.h"
#include "ExportTexts.h"
#include "Frontend.h"
#include "ProgressView.h"
#include "RunLog.h"

void logSuccess(const std::string& message) { RunLog::write(kTagSuccess, message, false); }

void logFailure(const std::string& message) { RunLog::write(kTagFailure, message, false); }

void RunState::rowProcessed() {
  ++processedCount;
  progress->setPosition(processedCount);
}

void RunState::writeRow(CsvOutputFile& file, const std::vector<std::string>& fields) {
  if (file.writeRow(fields) == kCsvSubstituted) succeeded = false;
}

void RunState::failDatabaseAccess() {
  logFailure(kAccessFailedMessage);
  showWarning(kAccessFailedMessage);
  succeeded = false;
}
