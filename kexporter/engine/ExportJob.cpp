#include "ExportJob.h"

#include <memory>
#include <string>

#include "AutoCloseDatabase.h"
#include "AutoCloseRowset.h"
#include "CheckReport.h"
#include "DestinationExport.h"
#include "ExportSettings.h"
#include "ExportTexts.h"
#include "Frontend.h"
#include "GroupDestinationExport.h"
#include "OutputFolder.h"
#include "QueryTesStub.h"
#include "RowValueText.h"
#include "RunLog.h"
#include "RunState.h"
#include "SupportRoutines.h"
#include "TsiExport.h"

namespace {

const char* const kSettingsFile = "Kexporter.ini";
const char* const kSettingsSection = "Kexporter";

// The user-management database on this machine. The database library reads
// only the database name (the registry says where the installation keeps
// it) and discards the host and the two further texts.
const char16_t* const kLocalHost = u"localhost";
const char16_t* const kUserDatabase = u"ud_gwAddress";
const char16_t* const kConnectionKind = u"L";
const char16_t* const kNoFourthText = u"";

void readSettings(RunState& state) {
  state.csvMaxLine = ExportSettings::readInt(kSettingsFile, kSettingsSection, "CSVMAXLINE");
  if (state.csvMaxLine == -1) state.csvMaxLine = kDefaultCsvMaxLine;
  state.guidSplit = ExportSettings::readString(kSettingsFile, kSettingsSection, "GUIDSPLIT");
  if (state.guidSplit.empty()) state.guidSplit = kDefaultGuidSplit;
  state.version = ExportSettings::readString(kSettingsFile, kSettingsSection, "VERSION");
}

// Reads one count query into `count`. False when it yields no row: the
// failure is logged and shown, the run is failed, and a check reports it as
// a problem of `table`.
bool countRows(RunState& state, const char16_t* query, const char* table, const char* successMessage,
               int& count) {
  ColumnBinding binding;
  binding.type = kColumnInteger;
  AutoCloseRowset rowset(state.database, query, 0, 0, 1, &binding);
  if (!state.startQuery(rowset)) {
    if (state.check) state.check->problem(table, "", "the rows cannot be counted: the database access failed");
    return false;
  }
  do {
    count = columnInt(binding);
    state.totalCount += count;
  } while (state.database->GetNextRow(0) == VEK_S_OK);
  state.database->CloseRowset();
  logSuccess(successMessage);
  return true;
}

// An export stops at the first count that fails; a check counts the other
// tables and goes on with them, to find every problem in one run.
void countTables(RunState& state) {
  const struct {
    const char16_t* query;
    const char* table;
    const char* successMessage;
    int& count;
  } tables[] = {
      {u"select count(*) from umAccount", "umAccount", "データ件数取得が成功しました。(UMACCOUNT)", state.accountCount},
      {u"select count(*) from umGroup", "umGroup", "データ件数取得が成功しました。(UMGROUP)", state.groupCount},
      {u"select count(*) from umTSI", "umTSI", "データ件数取得が成功しました。(UMTSI)", state.tsiCount},
  };
  for (const auto& table : tables) {
    if (!countRows(state, table.query, table.table, table.successMessage, table.count) && !state.check) return;
  }
}

// Each table is exported only when it has rows and nothing failed before;
// a check goes on after a failure, to find every problem in one run.
void exportTables(RunState& state) {
  auto goOn = [&] { return state.succeeded || state.check != nullptr; };
  if (!goOn()) return;
  if (state.accountCount > 0) DestinationExport(state).run();
  if (!goOn()) return;
  if (state.groupCount > 0) GroupDestinationExport(state).run();
  if (!goOn()) return;
  if (state.tsiCount > 0) TsiExport(state).run();
}

void logSummary(const RunState& state) {
  logSuccess(kDestinationCountLabel + intToText(state.destinationCount));
  logSuccess(kGroupDestinationCountLabel + intToText(state.groupDestinationCount));
  logSuccess(kExcludedCountLabel + intToText(state.excludedCount));
  logSuccess(kTsiCountLabel + intToText(state.tsiExportCount));
  logSuccess(kEndedMessage);
}

std::string resultText(const RunState& state) {
  std::string text = kEndedMessage;
  text += "\r\n" + std::string(54, '-') + "\r\n\r\n";
  if (state.succeeded) {
    text += kNormalEndText;
    int exported = state.destinationCount + state.groupDestinationCount + state.tsiExportCount;
    if (exported == 0) text += std::string("\r\n") + kNoDataText + kNoImportText;
  } else {
    text += kErrorText;
  }
  text += std::string("\r\n") + kDetailsPrefix + outputFolder + kDetailsSuffix;
  return text;
}

void failEarly(const char* message) {
  logFailure(message);
  showWarning(message);
  RunLog::close();
}

}  // namespace

void ExportJob::run() {
  outcome_ = Outcome::Failed;
  RunState state;
  readSettings(state);
  RunLog::open();
  logSuccess(kStartedMessage);
  if (!exportAll(state)) return;
  RunLog::close();
  outcome_ = state.succeeded ? Outcome::Succeeded : Outcome::Failed;
  frontend().showResult(resultText(state));
}

void ExportJob::check(CheckReport& report) {
  outcome_ = Outcome::Failed;
  RunState state;
  readSettings(state);
  state.check = &report;
  // No output folder and no run log: the log lines of the steps go nowhere.
  RunLog::close();
  if (!exportAll(state)) return;
  report.finish();
  outcome_ = state.succeeded ? Outcome::Succeeded : Outcome::Failed;
}

bool ExportJob::exportAll(RunState& state) {
  if (QueryTesStub::initializeTessel(0, state.version) != VEK_S_OK) {
    failEarly(kInitFailedMessage);
    return false;
  }
  logSuccess(kInitSucceededMessage);

  AutoCloseDatabase database(kLocalHost, kUserDatabase, kConnectionKind, kNoFourthText);
  if (database.Open() != VEK_S_OK) {
    failEarly(kNotInstalledMessage);
    QueryTesStub::terminateTessel();
    database.Close(0);
    return false;
  }
  logSuccess(kOpenSucceededMessage);
  state.database = &database;

  std::unique_ptr<ProgressView> progress = frontend().startProgress();
  state.progress = progress.get();
  countTables(state);
  progress->setTotal(state.totalCount);
  progress->setPosition(0);
  exportTables(state);

  progress->end();
  database.Close(0);
  if (QueryTesStub::terminateTessel() != VEK_S_OK) {
    logFailure(kTerminateFailedMessage);
    state.succeeded = false;
  }
  logSummary(state);
  return true;
}
