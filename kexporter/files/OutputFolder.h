#ifndef KEXPORTER_FILES_OUTPUTFOLDER_H
#define KEXPORTER_FILES_OUTPUTFOLDER_H

#include <cstddef>
#include <string>

// The full path of the chosen output folder, UTF-8; empty at start. Written
// by whoever asks the operator for the folder (terminal or dialog) before the
// export starts, read by the export, the CSV files and the run log. Files in
// it are named outputFolder + "/" + name.
extern std::string outputFolder;

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
// resolved, doubled "/" removed, symbolic links not followed; a relative
// text is taken from the current folder. Ends in "/" only when it is "/" or
// text ends in "/". Empty when it cannot be made (an empty text, an unknown
// current folder, a result over kMaxFullPathBytes CP932 bytes).
std::string fullPathOf(const std::string& text);

// path without its trailing "/" ("/" itself stays): with one, the system
// would follow a symbolic link at the folder's own name.
std::string withoutTrailingSlash(const std::string& path);

// Checks the operator's folder text, first failure wins: the text is not
// empty; its full path has at most kMaxOutputFolderBytes CP932 bytes (an
// over-long full path counts as not found); it is an existing folder, not a
// symbolic link to one (the export will not follow it), whose mode has a
// write bit; a new file can be created in it (probed with a new
// unique name, created exclusively and removed, so no existing file is ever
// touched); it has no entry besides "." and "..", hidden ones included (a
// folder that cannot be listed counts as not empty). Does not set
// outputFolder: the caller stores fullPath there for every non-empty text.
FolderCheck checkOutputFolder(const std::string& fieldText);

#endif
