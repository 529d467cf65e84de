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

const TableTexts kTexts{"TSIをエクスポート中です。\r\n", "umTSIのエクスポータを開始しました。", "umTSI"};
const char16_t* const kQuery = u"select ts_code,ts_guid,ts_sender from umTSI";
enum { kCode, kGuid, kSender, kColumnCount };
// The fields of a line: code, sender, GUID.
const RowColumns kRowColumns{{"ts_code", "ts_sender", "ts_guid"}, 2};
}  // namespace

void TsiExport::run() {
  ColumnBinding bindings[kColumnCount];
  for (ColumnBinding& binding : bindings) binding.type = kColumnText;
  AutoCloseRowset rowset(state_.database, kQuery, 0, 0, kColumnCount, bindings);
  if (!state_.startTable(kTexts, bindings[kGuid], rowset)) return;

  CsvOutputFile tsi(state_.csvMaxLine, state_.csvTarget());
  tsi.open("tsi");
  // Reused from row to row, so that a row costs no allocation.
  std::vector<std::string> row(3);
  do {
    assignColumnText(row[0], bindings[kCode], 0);
    assignColumnText(row[1], bindings[kSender], 0);
    assignColumnText(row[2], bindings[kGuid], 0);
    state_.writeRow(tsi, row, &kRowColumns);
    ++state_.tsiExportCount;
  } while (state_.fetchNextRow());

  state_.database->CloseRowset();
  state_.closeFile(tsi);
  logSuccess("umTSIのエクスポータが終了しました。");
}
