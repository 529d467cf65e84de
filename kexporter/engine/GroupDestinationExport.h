#ifndef KEXPORTER_ENGINE_GROUPDESTINATIONEXPORT_H
#define KEXPORTER_ENGINE_GROUPDESTINATIONEXPORT_H

#include <string>

struct RunState;

// Exports the groups of umGroup joined with their owning accounts to the
// "group" files: one line per owner, its members joined by the GUIDSPLIT
// separator. Relies on the query's order: all rows of one owner are adjacent.
// When reading the rows fails, the group being gathered is logged instead of
// written; the groups before it are written whole.
class GroupDestinationExport {
 public:
  explicit GroupDestinationExport(RunState& state) : state_(state) {}
  void run();

 private:
  // Appends the member GUID to members_ without the quotes columnText
  // added; an empty or one-byte member cannot be converted: it is logged and
  // adds nothing.
  void appendMember(const std::string& memberText);
  // A check's note for each owner of umGroup rows that has no account: the
  // join leaves its rows out, as the export does without a word.
  void noteOwnersWithoutAccount();

  RunState& state_;
  std::string currentOwner_;
  std::string currentName_;
  std::string members_;
};

#endif
