#ifndef KEXPORTER_FILES_OPENOUTPUTFOLDER_H
#define KEXPORTER_FILES_OPENOUTPUTFOLDER_H

#include <memory>
#include <string>

#include "FileLines.h"

// An output folder opened once by its full path: the folder checks look at
// the open folder, and the export's files are created in the very folder
// that passed them, whatever later happens to its name or its parents'. On
// POSIX the files are created relative to the open folder, never by a name
// again; on Windows the folder is held without delete sharing, so that
// neither it nor a folder above it can be renamed, removed or replaced
// while it is held, and its path keeps naming it.
class OpenOutputFolder {
 public:
  // Opens the folder at fullPath, refusing a symbolic link (on Windows any
  // reparse point) at its name: then, as for anything that is no folder,
  // isOpen() is false.
  explicit OpenOutputFolder(const std::string& fullPath);
  ~OpenOutputFolder();
  OpenOutputFolder(const OpenOutputFolder&) = delete;
  OpenOutputFolder& operator=(const OpenOutputFolder&) = delete;

  bool isOpen() const { return folder_ != kNoFile; }
  // Whether it may be written to by its attributes: on POSIX its mode has a
  // write bit; on Windows it has no FILE_ATTRIBUTE_READONLY.
  bool isWritable() const;
  // Whether a file can be created in it: one of a new name is created
  // exclusively and removed again, so no existing file is ever touched.
  bool canCreateFile() const;
  // No entry besides "." and "..", hidden (and on Windows system) ones
  // included; false when it cannot be listed.
  bool isEmpty() const;

  // Makes `folder` the one the export's files are created in until the next
  // hold(); nullptr holds none.
  static void hold(std::unique_ptr<OpenOutputFolder> folder);

  // Creates `name` new in the held folder for writing, shared for reading
  // and writing. Returns the file, or kNoFile when no folder is held or the
  // name exists already (a link included, which is not followed).
  static NativeFile createNew(const std::string& name);
  // Opens `name` in the held folder for appending, creating it when
  // missing, shared for reading and writing. Returns the file, or kNoFile
  // when no folder is held or the name is anything but a regular file (a
  // link or other reparse point, a FIFO, a folder), which is neither
  // followed nor waited on.
  static NativeFile openForAppend(const std::string& name);

 private:
  enum class Probe { Created, NameTaken, Failed };
  // Creates `name` new in this folder and removes it again.
  Probe createAndRemove(const std::string& name) const;
  NativeFile createIn(const std::string& name) const;
  NativeFile appendIn(const std::string& name) const;
  // `name` in this folder, by its path.
  std::string pathOf(const std::string& name) const;

  std::string path_;
  NativeFile folder_ = kNoFile;
};

#endif
