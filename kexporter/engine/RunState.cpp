#include "RunState.h"

#include <cstdio>

#include "AutoCloseDatabase.h"
#include "AutoCloseRowset.h"
#include "CheckReport.h"
#include "ExportTexts.h"
#include "Frontend.h"
#include "Pelcore/VekRC.h"
#include "ProgressView.h"
#include "RowValueText.h"
#include "RunLog.h"
#include "VekOdb/OdbCodes.h"

void logSuccess(const std::string& message) { RunLog::write(kTagSuccess, message, false); }

void logFailure(const std::string& message) { RunLog::write(kTagFailure, message, false); }

namespace {

void failDatabaseAccess(RunState& state) {
  logFailure(kAccessFailedMessage);
  showWarning(kAccessFailedMessage);
  state.succeeded = false;
}

bool doesNotFit(VekRC rc) { return rc == ODB_E_CANTCONVERTVALUE || rc == ODB_E_DATAOVERFLOW; }

std::string notFitting(VekRC rc) {
  char text[64];
  std::snprintf(text, sizeof text, "a value does not fit its column (rc = 0x%08X)",
                static_cast<unsigned>(rc));
  return text;
}

}  // namespace

VekRC RunState::nextRow() {
  VekRC rc = database->GetNextRow(0);
  while (check && table && doesNotFit(rc)) {
    // The bindings before the one that did not fit hold this row's values:
    // its GUID, unless the GUID itself (or, in umTSI, the code before it)
    // did not fit.
    failRow(columnText(*keyBinding, 0), notFitting(rc));
    ++processedCount;
    progress->setPosition(processedCount);
    rc = database->GetNextRow(0);
  }
  return rc;
}

bool RunState::startQuery(AutoCloseRowset& rowset) {
  // Unchecked: a query that did not open yields no first row.
  rowset.Initialize();
  if (nextRow() == VEK_S_OK) return true;
  failDatabaseAccess(*this);
  return false;
}

bool RunState::startTable(const TableTexts& texts, const ColumnBinding& key, AutoCloseRowset& rowset) {
  progress->setMessage(texts.phaseText);
  logSuccess(texts.startMessage);
  table = texts.table;
  keyBinding = &key;
  tableStart = processedCount;
  if (startQuery(rowset)) return true;
  if (check) check->problem(table, "", "the export's query gave no first row: the database access failed");
  return false;
}

RunState::Fetch RunState::fetchNext() {
  const VekRC rc = nextRow();
  ++processedCount;
  progress->setPosition(processedCount);
  if (rc == VEK_S_OK) return Fetch::Row;
  if (rc == VEK_E_NOMOREROWS) return Fetch::End;
  // A row that cannot be read (the server went away, a value that does not
  // fit) would otherwise end the table as if it were complete.
  failDatabaseAccess(*this);
  if (check)
    check->problem(table, "", "reading stopped after " + std::to_string(processedCount - tableStart) +
                                  " rows: the database access failed");
  return Fetch::Failed;
}

void RunState::writeRow(CsvOutputFile& file, const std::vector<std::string>& fields,
                        const RowColumns* columns) {
  // A row that did not reach its file is lost: the export goes on, but the
  // run must not end as if it were complete.
  const int result = file.writeRow(fields);
  if (result == kCsvSubstituted || result == kCsvFailure) succeeded = false;
  if (result == kCsvSubstituted && check && columns)
    check->unmappableCharacters(table, fields[columns->keyField], columns->names, fields);
}

void RunState::closeFile(CsvOutputFile& file) {
  if (file.close() == kCsvFailure) succeeded = false;
  if (check) check->countFile(file);
}

void RunState::noteEach(const char16_t* query, const std::string& what,
                        const std::function<std::string(int count)>& noteText) {
  ColumnBinding bindings[2];
  bindings[0].type = kColumnText;
  bindings[1].type = kColumnInteger;
  AutoCloseRowset rowset(database, query, 0, 0, 2, bindings);
  rowset.Initialize();
  VekRC rc;
  std::string guid;
  while ((rc = database->GetNextRow(0)) == VEK_S_OK) {
    assignColumnText(guid, bindings[0], 0);
    check->note(table, guid, noteText(columnInt(bindings[1])));
  }
  database->CloseRowset();
  if (rc != VEK_E_NOMOREROWS) check->note(table, "", what + " could not be looked for: the database access failed");
}

void RunState::failRow(const std::string& guid, const std::string& what) {
  succeeded = false;
  if (check) check->problem(table ? table : "", guid, what);
}
