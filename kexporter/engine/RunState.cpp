#include "RunState.h"

#include "CsvOutputFile.h"
#include "ExportTexts.h"
#include "Frontend.h"
#include "ProgressView.h"
#include "AutoCloseDatabase.h"
#include "RunLog.h"

void logSuccess(const std::string& message) { RunLog::write(kTagSuccess, message, false); }

void logFailure(const std::string& message) { RunLog::write(kTagFailure, message, false); }

bool RunState::fetchFirstRow() {
  if (database->GetNextRow(0) == 0) return true;
  logFailure(kAccessFailedMessage);
  showWarning(kAccessFailedMessage);
  succeeded = false;
  return false;
}

bool RunState::fetchNextRow() {
  bool fetched = database->GetNextRow(0) == 0;
  ++processedCount;
  progress->setPosition(processedCount);
  return fetched;
}

void RunState::writeRow(CsvOutputFile& file, const std::vector<std::string>& fields) {
  if (file.writeRow(fields) == kCsvSubstituted) succeeded = false;
}
