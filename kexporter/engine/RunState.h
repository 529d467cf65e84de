#ifndef KEXPORTER_ENGINE_RUNSTATE_H
#define KEXPORTER_ENGINE_RUNSTATE_H

#include <string>
#include <vector>

class AutoCloseDatabase;
class AutoCloseRowset;
class CsvOutputFile;
class ProgressView;

// Everything one export run works on; lives for the duration of run().
struct RunState {
  int csvMaxLine = 20000;
  std::string guidSplit = "&";
  std::string version;
  AutoCloseDatabase* database = nullptr;
  ProgressView* progress = nullptr;
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

  // Opens `rowset`'s query and fetches its first row. False when there is
  // none: the database access failed, which is logged, shown and fails the
  // run.
  bool startQuery(AutoCloseRowset& rowset);
  // Begins a table export: shows its phase text, logs its start line, then
  // startQuery(rowset).
  bool startTable(const char* phaseText, const char* startMessage, AutoCloseRowset& rowset);
  enum class Fetch { Row, End, Failed };
  // Fetches the next row and counts the one just handled on the progress
  // bar. Failed when the row could not be read: logged, shown, and the run
  // fails.
  Fetch fetchNext();
  // fetchNext() == Fetch::Row: false at the end of the rows and on an error.
  bool fetchNextRow() { return fetchNext() == Fetch::Row; }
  // Writes through `file`; a line that cannot be written, or that needed
  // "?" for characters CP932 cannot hold, fails the run, though the export
  // goes on.
  void writeRow(CsvOutputFile& file, const std::vector<std::string>& fields);
  // Closes `file`; a file whose rows were lost after all (its folder was
  // removed) fails the run.
  void closeFile(CsvOutputFile& file);
};

// Run-log lines of the run; the run never shows them through the log itself.
void logSuccess(const std::string& message);
void logFailure(const std::string& message);

#endif
