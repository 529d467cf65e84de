#include "OutputFolder.h"

#include <memory>

#include "Cp932Text.h"
#include "OpenOutputFolder.h"

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
  std::string full = absolutePathOf(text);
  if (cp932Length(full) > kMaxFullPathBytes) return std::string();
  return full;
}

FolderCheck checkOutputFolder(const std::string& fieldText) {
  OpenOutputFolder::hold(nullptr);
  FolderCheck check;
  if (fieldText.empty()) {
    check.failure = kFolderNotGiven;
    return check;
  }
  check.fullPath = fullPathOf(fieldText);
  if (cp932Length(check.fullPath) > kMaxOutputFolderBytes) {
    check.failure = kFolderTooLong;
    return check;
  }
  auto folder = std::make_unique<OpenOutputFolder>(check.fullPath);
  if (check.fullPath.empty() || !folder->isWritable()) {
    check.failure = kFolderNotFound;
  } else if (!folder->canCreateFile()) {
    check.failure = kFolderNotWritable;
  } else if (!folder->isEmpty()) {
    check.failure = kFolderNotEmpty;
  } else {
    OpenOutputFolder::hold(std::move(folder));
  }
  return check;
}
