#ifndef TOOLS_DEMO_DEMODATABASE_H
#define TOOLS_DEMO_DEMODATABASE_H

#include <cstdint>
#include <string>

// How many rows each table of a demo database gets. Group owners are
// accounts (counted in accounts); members are the rows of umGroup.
struct DemoSizes {
  int accounts = 300;
  int groups = 20;
  int members = 120;
  int tsis = 40;
};

// One user-management database ("ud_gwAddress") of a demo installation:
// the tables umAccount, umGroup and umTSI filled from a seed, with the
// accounts, groups and TSIs that exercise every rule of the export.
//
// Accounts 1 to accounts - groups are people; among them, spread evenly, the
// fixed special accounts (the two special trays in half-width katakana, their
// full-width look-alikes, trays 0, 2 and null, a name with a double quote,
// one with a comma). The last `groups` accounts own the groups; the first
// group has exactly one member, the others share the remaining members
// unevenly, so that a few groups are large. The first TSIs have a null
// sender, a comma in the code and a double quote in the code.
class DemoDatabase {
 public:
  // REQUIRES: checkSizes(sizes) is empty.
  // withFaults replaces one member GUID by the empty text, which the export
  // cannot convert and reports as a failure of the run.
  DemoDatabase(std::uint64_t seed, const DemoSizes& sizes, bool withFaults);

  // Returns an empty text when the sizes fit together, else why they don't
  // (for example more groups than accounts, or a group without a member).
  static std::string checkSizes(const DemoSizes& sizes);
  // The number of fixed special accounts; fewer are written when there are
  // fewer people.
  static int specialAccountCount();

  // Writes the database as a new file at path, replacing a file already
  // there. Returns an empty text on success, else the error.
  std::string write(const std::string& path) const;

 private:
  std::uint64_t seed_;
  DemoSizes sizes_;
  bool withFaults_;
};

#endif
