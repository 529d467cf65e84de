#ifndef TESTS_FAULTS_INSTALLATIONTREE_H
#define TESTS_FAULTS_INSTALLATIONTREE_H

#include <filesystem>
#include <map>
#include <set>
#include <string>

namespace fs = std::filesystem;

// What an installation's folder tree holds outside the places a run may
// write: every entry's kind, permissions and content digest, by relative
// path. Symbolic links are recorded, not followed.
class InstallationTree {
 public:
  // Records the tree below root, leaving out the relative paths in `skip`
  // (a folder is left out with everything below it).
  InstallationTree(const fs::path& root, std::set<std::string> skip);

  // The entries created, removed or changed since this record, one line
  // each; empty when the tree is as it was.
  std::string changesSince() const;

 private:
  std::map<std::string, std::string> record() const;

  fs::path root_;
  std::set<std::string> skip_;
  std::map<std::string, std::string> entries_;
};

#endif
