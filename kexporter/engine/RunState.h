#ifndef KEXPORTER_ENGINE_RUNSTATE_H
#define KEXPORTER_ENGINE_RUNSTATE_H

#include <cstddef>
#include <functional>
#include <string>
#include <vector>

#include "CsvOutputFile.h"
#include "ExportSettings.h"
#include "Pelcore/VekRC.h"
#include "VekOdb/ColumnBinding.h"

class AutoCloseDatabase;
class AutoCloseRowset;
class CheckReport;
class ProgressView;

// The texts of one table export.
struct TableTexts {
  const char* phaseText;     // the progress view's phase
  const char* startMessage;  // the run log's start line
  const char* table;         // the table, as a check's problem lines name it
};

// The table columns of a CSV row's fields, for a check's problem lines.
struct RowColumns {
  std::vector<const char*> names;  // one per field
  std::size_t keyField;            // the field that holds the row's GUID
};

// Everything one export run works on; lives for the duration of run().
// A check (check set) runs the same steps with files that write nothing
// and tells every data problem to the report as well.
struct RunState {
  int csvMaxLine = kDefaultCsvMaxLine;
  std::string guidSplit = kDefaultGuidSplit;
  std::string version;
  AutoCloseDatabase* database = nullptr;
  ProgressView* progress = nullptr;
  CheckReport* check = nullptr;  // nullptr in an export
  int accountCount = 0;
  int groupCount = 0;
  int tsiCount = 0;
  int totalCount = 0;
  int processedCount = 0;
  int destinationCount = 0;
  int excludedCount = 0;
  int groupDestinationCount = 0;
  int tsiExportCount = 0;
  bool succeeded = true;

  // The table export under way and its rows' GUID binding; none while
  // counting.
  const char* table = nullptr;
  const ColumnBinding* keyBinding = nullptr;
  // processedCount when the table export under way read its first row.
  int tableStart = 0;

  // Where the CSV files of this run go: nowhere in a check.
  CsvTarget csvTarget() const { return check ? CsvTarget::Nowhere : CsvTarget::OutputFolder; }

  // Opens `rowset`'s query and fetches its first row. False when there is
  // none: the database access failed, which is logged, shown and fails the
  // run.
  bool startQuery(AutoCloseRowset& rowset);
  // Begins a table export: shows its phase text, logs its start line, then
  // startQuery(rowset). `keyBinding` holds each row's GUID. A check reports
  // a query without a first row as a problem of the table.
  bool startTable(const TableTexts& texts, const ColumnBinding& keyBinding, AutoCloseRowset& rowset);
  enum class Fetch { Row, End, Failed };
  // Fetches the next row and counts the one just handled on the progress
  // bar. Failed when the row could not be read: logged, shown, and the run
  // fails; a check tells how many rows were read. A check reports a row whose value does not fit its column, fails
  // the run and goes on with the next row, so that it lists them all.
  Fetch fetchNext();
  // fetchNext() == Fetch::Row: false at the end of the rows and on an error.
  bool fetchNextRow() { return fetchNext() == Fetch::Row; }
  // Writes through `file`; a line that cannot be written, or that needed
  // "?" for characters CP932 cannot hold, fails the run, though the export
  // goes on. A check reports those characters by `columns` (nullptr: a row
  // already reported through another file).
  void writeRow(CsvOutputFile& file, const std::vector<std::string>& fields, const RowColumns* columns);
  // Closes `file`; a file whose rows were lost after all (its folder was
  // removed) fails the run. A check counts its rows and files.
  void closeFile(CsvOutputFile& file);
  // Fails the run; a check also reports the row's problem.
  void failRow(const std::string& guid, const std::string& what);
  // For a check's notes: runs `query`, whose rows are a GUID text and a
  // count, and notes each GUID (as its column text) with noteText(count). A
  // query that cannot be read becomes a note of its own, `what` saying what
  // was looked for.
  void noteEach(const char16_t* query, const std::string& what,
                const std::function<std::string(int count)>& noteText);

 private:
  // GetNextRow; a check passes over the rows whose values do not fit,
  // reporting each and counting it as processed.
  VekRC nextRow();
};

// Run-log lines of the run; the run never shows them through the log itself.
void logSuccess(const std::string& message);
void logFailure(const std::string& message);

#endif
