#include "DestinationExport.h"

#include <vector>

#include "AutoCloseDatabase.h"
#include "AutoCloseRowset.h"
#include "CsvOutputFile.h"
#include "ProgressView.h"
#include "RowValueText.h"
#include "RunState.h"

namespace {

const TableTexts kTexts{"あて先をエクスポート中です。\r\n", "umAccountのエクスポータを開始しました。", "umAccount"};
// The fields of every row written.
const RowColumns kRowColumns{{"ac_guid", "ac_name"}, 0};

const char16_t* const kQuery =
    u"select ac_guid,ac_id,ac_name,ac_storeTray from umAccount order by ac_id";

// The special trays carry half-width katakana names; the quotes are part of
// the comparison because column texts arrive quoted.
const std::string kUntransferredTrayName = "\"未転送ﾄﾚｲ\"";
const std::string kFaxTrayName = "\"ﾌｧｸｽ受信ﾄﾚｲ\"";
const std::string kNullRendering = "\"null\"";
const std::string kStoreTray = "1";

enum { kGuid, kId, kName, kStoreTrayColumn, kColumnCount };

const char16_t* const kDuplicateGuidsQuery =
    u"select ac_guid,count(*) from umAccount where ac_guid is not null group by ac_guid "
    u"having count(*)>1 order by ac_guid";

// A check's note for each GUID that more than one account carries: every
// copy is written, and the group join repeats the owner's members per copy.
void noteDuplicateGuids(RunState& state) {
  state.noteEach(kDuplicateGuidsQuery, "accounts sharing a GUID", [](int copies) {
    const std::string times = std::to_string(copies);
    return times + " accounts have this GUID: each is written, and a group it owns lists every member " + times +
           " times";
  });
}

}  // namespace

void DestinationExport::run() {
  ColumnBinding bindings[kColumnCount];
  bindings[kGuid].type = kColumnText;
  bindings[kId].type = kColumnInteger;
  bindings[kName].type = kColumnText;
  bindings[kStoreTrayColumn].type = kColumnInteger;
  AutoCloseRowset rowset(state_.database, kQuery, 0, 0, kColumnCount, bindings);
  if (!state_.startTable(kTexts, bindings[kGuid], rowset)) return;

  CsvOutputFile destination(state_.csvMaxLine, state_.csvTarget());
  CsvOutputFile excluded(state_.csvMaxLine, state_.csvTarget());
  CsvOutputFile faxTray(state_.csvMaxLine, state_.csvTarget());
  destination.open("destination");
  excluded.open("excluded_destination");
  faxTray.open("faxTray");

  // Reused from row to row, so that a row costs no allocation.
  std::vector<std::string> row(2);
  std::string tray;
  do {
    assignColumnText(row[0], bindings[kGuid], 0);
    assignColumnText(row[1], bindings[kName], 0);
    assignColumnText(tray, bindings[kStoreTrayColumn], 0);
    const std::string& name = row[1];
    bool special = name == kUntransferredTrayName || name == kFaxTrayName;
    if (tray == kStoreTray && !special) {
      state_.writeRow(destination, row, &kRowColumns);
      ++state_.destinationCount;
    } else if (tray != kNullRendering) {
      state_.writeRow(excluded, row, &kRowColumns);
      ++state_.excludedCount;
      // The same row again: its problems were told with the line above.
      if (name == kFaxTrayName) state_.writeRow(faxTray, row, nullptr);
    }
  } while (state_.fetchNextRow());

  state_.database->CloseRowset();
  state_.closeFile(destination);
  state_.closeFile(excluded);
  state_.closeFile(faxTray);
  if (state_.check) noteDuplicateGuids(state_);
  logSuccess("umAccountのエクスポータが終了しました。");
}
