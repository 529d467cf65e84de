#include "GroupDestinationExport.h"

#include <vector>

#include "AutoCloseDatabase.h"
#include "AutoCloseRowset.h"
#include "Cp932Text.h"
#include "CsvOutputFile.h"
#include "ProgressView.h"
#include "RowValueText.h"
#include "RunState.h"
#include "Pelcore/VekRC.h"

namespace {

const TableTexts kTexts{"グループあて先をエクスポート中です。\r\n", "umGroupのエクスポータを開始しました。", "umGroup"};
// The fields of a line: owner, name, members.
const RowColumns kRowColumns{{"gr_ownerguid", "ac_name", "gr_guid"}, 0};

const char16_t* const kQuery =
    u"select gr_ownerguid,ac_name,gr_guid from umGroup,umAccount "
    u"where umGroup.gr_ownerguid=umAccount.ac_guid order by umGroup.gr_ownerguid";

enum { kOwner, kName, kMember, kColumnCount };

// The owners of umGroup rows that the join above drops, with their rows:
// no account has their GUID.
const char16_t* const kOwnersWithoutAccountQuery =
    u"select gr_ownerguid,count(*) from umGroup where not exists "
    u"(select 1 from umAccount where umAccount.ac_guid=umGroup.gr_ownerguid) "
    u"group by gr_ownerguid order by gr_ownerguid";

// A quoted member of at most this many bytes (as the importing side counts
// them, in CP932) holds no GUID: two quotes and at most one byte.
const std::size_t kShortestConvertibleMember = 4;

// A character takes at most 4 UTF-8 bytes and at least one CP932 byte, so a
// text this long is long enough without being converted to count it.
const std::size_t kSurelyConvertibleUtf8 = 4 * kShortestConvertibleMember;

bool isConvertible(const std::string& memberText) {
  return memberText.size() >= kSurelyConvertibleUtf8 ||
         cp932Length(memberText) >= kShortestConvertibleMember;
}

}  // namespace

void GroupDestinationExport::appendMember(const std::string& memberText) {
  if (isConvertible(memberText)) {
    members_.append(memberText, 1, memberText.size() - 2);
    return;
  }
  // The message's closing parentheses stay empty: they would hold the
  // converted member, which is empty here by definition.
  logFailure("グループ(" + currentOwner_ + ")にはコンバータできないあて先データがあります。()");
  state_.failRow(currentOwner_, "gr_guid: the member " + memberText + " cannot be converted");
}

void GroupDestinationExport::noteOwnersWithoutAccount() {
  state_.noteEach(kOwnersWithoutAccountQuery, "group owners without an account", [](int rows) {
    return "no account has this GUID: the group rows of this owner are not exported (" + std::to_string(rows) +
           (rows == 1 ? " row)" : " rows)");
  });
}

void GroupDestinationExport::run() {
  ColumnBinding bindings[kColumnCount];
  for (ColumnBinding& binding : bindings) binding.type = kColumnText;
  AutoCloseRowset rowset(state_.database, kQuery, 0, 0, kColumnCount, bindings);
  if (!state_.startTable(kTexts, bindings[kOwner], rowset)) {
    if (state_.check) noteOwnersWithoutAccount();
    return;
  }

  CsvOutputFile group(state_.csvMaxLine, state_.csvTarget());
  group.open("group");
  // The line's fields are reused from group to group.
  std::vector<std::string> line(3);
  auto writeGroup = [&] {
    line[0] = currentOwner_;
    line[1] = currentName_;
    line[2].assign(1, '"').append(members_) += '"';
    state_.writeRow(group, line, &kRowColumns);
    ++state_.groupDestinationCount;
  };

  std::string owner, member;
  RunState::Fetch fetched;
  do {
    assignColumnText(owner, bindings[kOwner], 0);
    assignColumnText(member, bindings[kMember], 0);
    if (owner == currentOwner_) {
      members_ += state_.guidSplit;
      appendMember(member);
    } else {
      if (!currentOwner_.empty()) writeGroup();
      currentOwner_ = owner;
      assignColumnText(currentName_, bindings[kName], 0);
      members_.clear();
      appendMember(member);
    }
  } while ((fetched = state_.fetchNext()) == RunState::Fetch::Row);
  if (fetched == RunState::Fetch::Failed) {
    // Its members were read only in part: a line for it would look whole.
    logFailure("グループ(" + currentOwner_ + ")はデータベースの読み込みが途中で失敗したため出力していません。");
  } else if (!currentOwner_.empty()) {
    writeGroup();
  }

  state_.closeFile(group);
  state_.database->CloseRowset();
  if (state_.check) noteOwnersWithoutAccount();
  logSuccess("umGroupのエクスポータが終了しました。");
}
