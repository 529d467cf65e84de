#include "TsiExport.h"

#include <string>
#include <vector>

#include "AutoCloseDatabase.h"
#include "AutoCloseRowset.h"
#include "CsvOutputFile.h"
#include "ProgressView.h"
#include "RowValueText.h"
#include "RunState.h"

namespace {

const char* const kPhaseText = "TSIをエクスポート中です。\r\n";
const char* const kStartMessage = "umTSIのエクスポータを開始しました。";
const char16_t* const kQuery = u"select ts_code,ts_guid,ts_sender from umTSI";
enum { kCode, kGuid, kSender, kColumnCount };
}  // namespace

void TsiExport::run() {
  ColumnBinding bindings[kColumnCount];
  for (ColumnBinding& binding : bindings) binding.type = kColumnText;
  AutoCloseRowset rowset(state_.database, kQuery, 0, 0, kColumnCount, bindings);
  if (!state_.startTable(kPhaseText, kStartMessage, rowset)) return;

  CsvOutputFile tsi(state_.csvMaxLine);
  tsi.open("tsi");
  // Reused from row to row, so that a row costs no allocation.
  std::vector<std::string> row(3);
  do {
    assignColumnText(row[0], bindings[kCode], 0);
    assignColumnText(row[1], bindings[kSender], 0);
    assignColumnText(row[2], bindings[kGuid], 0);
    state_.writeRow(tsi, row);
    ++state_.tsiExportCount;
  } while (state_.fetchNextRow());

  state_.database->CloseRowset();
  state_.closeFile(tsi);
  logSuccess("umTSIのエクスポータが終了しました。");
}
