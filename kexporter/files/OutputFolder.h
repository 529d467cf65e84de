#ifndef KEXPORTER_FILES_OUTPUTFOLDER_H
#define KEXPORTER_FILES_OUTPUTFOLDER_H

#include <cstddef>
#include <string>

// The full path of the chosen output folder, UTF-8; empty at start. Written
// by whoever asks the operator for the folder (terminal or dialog) before the
// export starts, read by the export, the CSV files and the run log. Files in
// it are named outputFolder + kPathSeparator + name.
extern std::string outputFolder;

// What joins a folder and a name: "/" on POSIX, a backslash on Windows.
extern const char* const kPathSeparator;

// The most CP932 bytes an output folder's full path may have.
inline constexpr std::size_t kMaxOutputFolderBytes = 240;
// The most CP932 bytes a full path can have at all.
inline constexpr std::size_t kMaxFullPathBytes = 519;

// The messages of the five checks, in their order.
extern const char* const kFolderNotGiven;     // "データ保存先を指定してください。"
extern const char* const kFolderTooLong;      // "...240バイト以内で指定してください。"
extern const char* const kFolderNotFound;     // "指定したデータ出力先が見つかりません。"
extern const char* const kFolderNotWritable;  // "...書き込み権限がありません。"
extern const char* const kFolderNotEmpty;     // "指定したデータ出力先が空ではありません。"

// The outcome of checking the operator's folder text.
struct FolderCheck {
  std::string fullPath;  // fullPathOf(the text); empty for an empty text
  std::string failure;   // the first failing check's message, or empty
  bool passed() const { return failure.empty(); }
};

// text as an absolute path, normalised by its text alone: "." and ".."
// resolved, doubled separators removed, links not followed; a relative text
// is taken from the current folder. On POSIX it ends in "/" only when it is
// "/" or text ends in "/"; on Windows it is GetFullPathNameW's, with
// backslashes, and keeps a trailing separator of text or of a drive root.
// Empty when it cannot be made (an empty text, an unknown current folder, a
// result over kMaxFullPathBytes CP932 bytes).
std::string fullPathOf(const std::string& text);

// Checks the operator's folder text, first failure wins: the text is not
// empty; its full path has at most kMaxOutputFolderBytes CP932 bytes (an
// over-long full path counts as not found); then, on the folder opened once
// (OpenOutputFolder, which refuses a link at its name), that it is an
// existing folder that is not read-only, that a new file can be created in
// it, and that it is empty. A folder that passes stays open as the one the
// export writes into (OpenOutputFolder::hold); every check lets go of the
// one held before. Does not set outputFolder: the caller stores fullPath
// there for every non-empty text.
FolderCheck checkOutputFolder(const std::string& fieldText);

// text made absolute and normalised as fullPathOf says, not yet limited in
// length; empty when it cannot be made. One twin per platform.
std::string absolutePathOf(const std::string& text);

#endif
