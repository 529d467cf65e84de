#include "OutputFolder.h"

#include "Cp932Text.h"

std::string outputFolder;

const char* const kFolderNotGiven = "データ保存先を指定してください。";
const char* const kFolderTooLong =
    "データ出力先パスが長すぎます。240バイト以内で指定してください。";
const char* const kFolderNotFound = "指定したデータ出力先が見つかりません。";
const char* const kFolderNotWritable =
    "指定したデータ出力先に書き込み権限がありません。";
const char* const kFolderNotEmpty = "指定したデータ出力先が空ではありません。";

std::string fullPathOf(const std::string& text) {
  if (text.empty()) return std::string();
  std::string full = folder_system::absolutePathOf(text);
  if (cp932Length(full) > kMaxFullPathBytes) return std::string();
  return full;
}

FolderCheck checkOutputFolder(const std::string& fieldText) {
  using namespace folder_system;
  FolderCheck check;
  if (fieldText.empty()) {
    check.failure = kFolderNotGiven;
    return check;
  }
  check.fullPath = fullPathOf(fieldText);
  const std::string& path = check.fullPath;
  if (cp932Length(path) > kMaxOutputFolderBytes) {
    check.failure = kFolderTooLong;
  } else if (path.empty() || !isWritableFolder(path)) {
    check.failure = kFolderNotFound;
  } else if (!canCreateFileIn(path)) {
    check.failure = kFolderNotWritable;
  } else if (!isEmptyFolder(path)) {
    check.failure = kFolderNotEmpty;
  }
  return check;
}
