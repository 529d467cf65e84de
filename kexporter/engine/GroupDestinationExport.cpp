#include "GroupDestinationExport.h"

#include <vector>

#include "AutoCloseDatabase.h"
#include "AutoCloseRowset.h"
#include "Cp932Text.h"
#include "CsvOutputFile.h"
#include "ProgressView.h"
#include "RowValueText.h"
#include "RunState.h"

namespace {

const char16_t* const kQuery =
    u"select gr_ownerguid,ac_name,gr_guid from umGroup,umAccount "
    u"where umGroup.gr_ownerguid=umAccount.ac_guid order by umGroup.gr_ownerguid";

enum { kOwner, kName, kMember, kColumnCount };

// A quoted member of at most this many bytes (as the importing side counts
// them, in CP932) holds no GUID: two quotes and at most one byte.
const std::size_t kShortestConvertibleMember = 4;

}  // namespace

std::string GroupDestinationExport::convertMember(const std::string& memberText) {
  if (cp932Length(memberText) >= kShortestConvertibleMember)
    return memberText.substr(1, memberText.size() - 2);
  const std::string converted;
  logFailure("グループ(" + currentOwner_ + ")にはコンバータできないあて先データがあります。(" +
             converted + ")");
  state_.succeeded = false;
  return converted;
}

void GroupDestinationExport::run() {
  state_.progress->setMessage("グループあて先をエクスポート中です。\r\n");
  logSuccess("umGroupのエクスポータを開始しました。");

  ColumnBinding bindings[kColumnCount];
  for (ColumnBinding& binding : bindings) binding.type = kColumnText;
  AutoCloseRowset rowset(state_.database, kQuery, 0, 0, kColumnCount, bindings);
  rowset.Initialize();
  if (!state_.fetchFirstRow()) return;

  CsvOutputFile group(state_.csvMaxLine);
  group.open("group");
  auto writeGroup = [&] {
    state_.writeRow(group, {currentOwner_, currentName_, "\"" + members_ + "\""});
    ++state_.groupDestinationCount;
  };

  do {
    const std::string owner = columnText(bindings[kOwner], 0);
    const std::string name = columnText(bindings[kName], 0);
    const std::string member = columnText(bindings[kMember], 0);
    if (owner == currentOwner_) {
      members_ += state_.guidSplit;
      members_ += convertMember(member);
    } else {
      if (!currentOwner_.empty()) writeGroup();
      currentOwner_ = owner;
      currentName_ = name;
      members_ = convertMember(member);
    }
  } while (state_.fetchNextRow());
  if (!currentOwner_.empty()) writeGroup();

  group.close();
  state_.database->CloseRowset();
  logSuccess("umGroupのエクスポータが終了しました。");
}
