#include "RunState.h"

#include "AutoCloseDatabase.h"
#include "AutoCloseRowset.h"
#include "CsvOutputFile.h"
#include "ExportTexts.h"
#include "Frontend.h"
#include "Pelcore/VekRC.h"
#include "ProgressView.h"
#include "RunLog.h"

void logSuccess(const std::string& message) { RunLog::write(kTagSuccess, message, false); }

void logFailure(const std::string& message) { RunLog::write(kTagFailure, message, false); }

namespace {

void failDatabaseAccess(RunState& state) {
  logFailure(kAccessFailedMessage);
  showWarning(kAccessFailedMessage);
  state.succeeded = false;
}

}  // namespace

bool RunState::startQuery(AutoCloseRowset& rowset) {
  // Unchecked: a query that did not open yields no first row.
  rowset.Initialize();
  if (database->GetNextRow(0) == VEK_S_OK) return true;
  failDatabaseAccess(*this);
  return false;
}

bool RunState::startTable(const char* phaseText, const char* startMessage, AutoCloseRowset& rowset) {
  progress->setMessage(phaseText);
  logSuccess(startMessage);
  return startQuery(rowset);
}

RunState::Fetch RunState::fetchNext() {
  const VekRC rc = database->GetNextRow(0);
  ++processedCount;
  progress->setPosition(processedCount);
  if (rc == VEK_S_OK) return Fetch::Row;
  if (rc == VEK_E_NOMOREROWS) return Fetch::End;
  // A row that cannot be read (the server went away, a value that does not
  // fit) would otherwise end the table as if it were complete.
  failDatabaseAccess(*this);
  return Fetch::Failed;
}

void RunState::writeRow(CsvOutputFile& file, const std::vector<std::string>& fields) {
  // A row that did not reach its file is lost: the export goes on, but the
  // run must not end as if it were complete.
  const int result = file.writeRow(fields);
  if (result == kCsvSubstituted || result == kCsvFailure) succeeded = false;
}

void RunState::closeFile(CsvOutputFile& file) {
  if (file.close() == kCsvFailure) succeeded = false;
}
