#include "DemoDatabase.h"

#include <sqlite3.h>

#include <algorithm>
#include <filesystem>
#include <numeric>
#include <stdexcept>
#include <utility>
#include <vector>

#include "DemoNames.h"
#include "SplitMix64.h"

namespace {

// The names the export treats as special trays, exactly as the product
// stores them (half-width katakana).
constexpr char kFaxTrayName[] = "ﾌｧｸｽ受信ﾄﾚｲ";
constexpr char kUntransferredTrayName[] = "未転送ﾄﾚｲ";

constexpr int kNullTray = -1;
constexpr int kPersonType = 1;
constexpr int kGroupType = 2;

struct SpecialAccount {
  const char* name;
  int tray;
};

// Accounts that decide between the destination, excluded_destination and
// faxTray files, and texts that need quoting or a careful CP932 conversion.
constexpr SpecialAccount kSpecialAccounts[] = {
    {kFaxTrayName, 1},
    {kUntransferredTrayName, 1},
    {"ファクス受信トレイ", 1},  // full-width look-alikes are ordinary names
    {"未転送トレイ", 1},
    {"ﾌｧｸｽ受信ﾄﾚｲ2", 1},  // a near miss, also ordinary
    {kFaxTrayName, 0},     // a second fax line without a receive tray
    {kUntransferredTrayName, kNullTray},
    {"東京本社 \"代表\"", 1},
    {"Smith, John", 1},
    {"来客受付", 0},
    {"Guest Kiosk", 2},
    {"退職者　佐藤　誠", kNullTray},
    {"髙橋　健一", 1},  // 髙 has two codes in CP932; Windows writes FB FC
    {"受付〜夜間", 1},  // the wave dash, a JIS look-alike
};
constexpr int kSpecialAccountCount = static_cast<int>(std::size(kSpecialAccounts));

struct SpecialTsi {
  const char* code;
  const char* sender;  // nullptr for a null ts_sender
};

constexpr SpecialTsi kSpecialTsis[] = {
    {"+81 3 5555 0101", nullptr},
    {"ACME, INC.", "Acme Trading Inc."},
    {"\"TOKYO\" BRANCH", "東京支店"},
};

constexpr char kMailDomain[] = "@example.com";

// The data of an installation must not depend on how many rows another
// table gets, so each table draws from a stream of its own.
constexpr std::uint64_t kAccountStream = 0x6163636F756E7473ULL;
constexpr std::uint64_t kGroupStream = 0x67726F7570730000ULL;
constexpr std::uint64_t kTsiStream = 0x7473697300000000ULL;
constexpr std::uint64_t kGuidSalt = 0x4755494453414C54ULL;

class DemoError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

class Statement {
 public:
  Statement(sqlite3* db, const char* sql) : db_(db) {
    if (sqlite3_prepare_v2(db, sql, -1, &statement_, nullptr) != SQLITE_OK) {
      throw DemoError(sqlite3_errmsg(db));
    }
  }
  ~Statement() { sqlite3_finalize(statement_); }
  Statement(const Statement&) = delete;
  Statement& operator=(const Statement&) = delete;

  // REQUIRES: the text outlives the next step().
  void bindText(int index, const std::string& text) {
    sqlite3_bind_text(statement_, index, text.data(), static_cast<int>(text.size()),
                      SQLITE_STATIC);
  }
  void bindText(int index, const char* text) {
    if (text == nullptr) {
      sqlite3_bind_null(statement_, index);
      return;
    }
    sqlite3_bind_text(statement_, index, text, -1, SQLITE_STATIC);
  }
  void bindInt(int index, long long value) { sqlite3_bind_int64(statement_, index, value); }
  void bindTray(int index, int tray) {
    if (tray == kNullTray) {
      sqlite3_bind_null(statement_, index);
      return;
    }
    bindInt(index, tray);
  }
  void step() {
    if (sqlite3_step(statement_) != SQLITE_DONE) throw DemoError(sqlite3_errmsg(db_));
    sqlite3_reset(statement_);
  }

 private:
  sqlite3* db_;
  sqlite3_stmt* statement_ = nullptr;
};

class Connection {
 public:
  explicit Connection(const std::string& path) {
    int rc = sqlite3_open_v2(path.c_str(), &db_, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE,
                             nullptr);
    if (rc != SQLITE_OK) {
      std::string message = db_ ? sqlite3_errmsg(db_) : sqlite3_errstr(rc);
      sqlite3_close(db_);
      throw DemoError(message);
    }
  }
  ~Connection() { sqlite3_close(db_); }
  Connection(const Connection&) = delete;
  Connection& operator=(const Connection&) = delete;

  sqlite3* get() const { return db_; }
  void exec(const char* sql) {
    char* error = nullptr;
    if (sqlite3_exec(db_, sql, nullptr, nullptr, &error) != SQLITE_OK) {
      std::string message = error ? error : "unknown error";
      sqlite3_free(error);
      throw DemoError(message);
    }
  }
  // Closes now, so that a failure to finish the file is reported.
  void close() {
    int rc = sqlite3_close(db_);
    db_ = nullptr;
    if (rc != SQLITE_OK) throw DemoError(sqlite3_errstr(rc));
  }

 private:
  sqlite3* db_ = nullptr;
};

// Nothing else reads the file while it is made, and a half-made file is
// thrown away, so neither journal nor syncing is needed. Neither setting is
// stored in the file.
constexpr char kFastWriting[] =
    "PRAGMA journal_mode=OFF; PRAGMA synchronous=OFF; PRAGMA locking_mode=EXCLUSIVE;"
    "PRAGMA temp_store=MEMORY; PRAGMA cache_size=-65536;";

constexpr char kSchema[] =
    "CREATE TABLE umAccount(ac_guid TEXT, ac_id INTEGER PRIMARY KEY, ac_name TEXT,"
    " ac_storeTray INTEGER, ac_type INTEGER, ac_mailAddress TEXT);"
    "CREATE TABLE umGroup(gr_ownerguid TEXT, gr_guid TEXT);"
    "CREATE TABLE umTSI(ts_code TEXT, ts_guid TEXT, ts_sender TEXT);";

// Built after the rows, which is faster than keeping them up to date.
constexpr char kIndexes[] =
    "CREATE UNIQUE INDEX umAccount_ac_guid ON umAccount(ac_guid);"
    "CREATE INDEX umGroup_gr_ownerguid ON umGroup(gr_ownerguid);"
    "CREATE INDEX umTSI_ts_guid ON umTSI(ts_guid);";

// Mostly a receive tray; now and then none, the other kind, or unset.
int randomTray(SplitMix64& rng) {
  std::uint64_t draw = rng.below(100);
  if (draw < 90) return 1;
  if (draw < 95) return 0;
  if (draw < 97) return 2;
  return kNullTray;
}

// Where the fixed special accounts stand among the people: spread evenly,
// the first at index 0. Distinct because people >= count.
std::vector<int> specialSlots(int people) {
  const int count = std::min(people, kSpecialAccountCount);
  std::vector<int> slots(count);
  for (int k = 0; k < count; ++k) {
    slots[k] = static_cast<int>(static_cast<long long>(k) * people / count);
  }
  return slots;
}

// Member rows per group: the first group one, the rest shared so that low
// group numbers get many (the square of a uniform draw favours them).
std::vector<int> groupSizes(SplitMix64& rng, int groups, int members) {
  std::vector<int> sizes(groups, 1);
  if (groups == 0) return sizes;
  long long extra = static_cast<long long>(members) - groups;
  if (groups == 1) {
    sizes[0] += static_cast<int>(extra);
    return sizes;
  }
  for (long long i = 0; i < extra; ++i) {
    double u = rng.unit();
    sizes[1 + static_cast<int>((groups - 1) * u * u)] += 1;
  }
  return sizes;
}

struct FaultyMember {
  int group = -1;
  int member = -1;
};

// A middle member of the first group with three or more, else the second of
// the first group with two, else the only member of the first group.
FaultyMember chooseFaultyMember(const std::vector<int>& sizes) {
  for (int minimum : {3, 2}) {
    for (int g = 0; g < static_cast<int>(sizes.size()); ++g) {
      if (sizes[g] >= minimum) return {g, 1};
    }
  }
  if (sizes.empty()) return {};
  return {0, 0};
}

class Generator {
 public:
  Generator(std::uint64_t seed, const DemoSizes& sizes, bool withFaults)
      : seed_(seed),
        sizes_(sizes),
        people_(sizes.accounts - sizes.groups),
        salt_(SplitMix64::mix(seed ^ kGuidSalt)),
        withFaults_(withFaults) {}

  void write(Connection& db) {
    db.exec(kFastWriting);
    db.exec("BEGIN;");
    db.exec(kSchema);
    writeAccounts(db);
    writeGroups(db);
    writeTsis(db);
    db.exec(kIndexes);
    db.exec("COMMIT;");
  }

 private:
  std::string accountGuid(int index) const { return DemoNames::guidText(salt_, index); }

  void writeAccounts(Connection& db) {
    Statement insert(db.get(),
                     "INSERT INTO umAccount(ac_guid, ac_id, ac_name, ac_storeTray, ac_type,"
                     " ac_mailAddress) VALUES(?, ?, ?, ?, ?, ?)");
    SplitMix64 rng(seed_ ^ kAccountStream);
    const std::vector<int> slots = specialSlots(people_);
    std::size_t nextSpecial = 0;
    for (int index = 0; index < sizes_.accounts; ++index) {
      const int id = index + 1;
      const std::string guid = accountGuid(index);
      std::string name;
      std::string mail;
      int tray = randomTray(rng);
      int type = kPersonType;
      if (nextSpecial < slots.size() && slots[nextSpecial] == index) {
        name = kSpecialAccounts[nextSpecial].name;
        tray = kSpecialAccounts[nextSpecial].tray;
        ++nextSpecial;
      } else if (index < people_) {
        DemoNames::Person person = DemoNames::person(rng);
        name = std::move(person.name);
        mail = person.mailLocal + "." + std::to_string(id) + kMailDomain;
      } else {
        name = DemoNames::groupName(rng);
        mail = "group." + std::to_string(id) + kMailDomain;
        type = kGroupType;
      }
      insert.bindText(1, guid);
      insert.bindInt(2, id);
      insert.bindText(3, name);
      insert.bindTray(4, tray);
      insert.bindInt(5, type);
      insert.bindText(6, mail.empty() ? nullptr : mail.c_str());
      insert.step();
    }
  }

  void writeGroups(Connection& db) {
    Statement insert(db.get(), "INSERT INTO umGroup(gr_ownerguid, gr_guid) VALUES(?, ?)");
    SplitMix64 rng(seed_ ^ kGroupStream);
    const std::vector<int> sizes = groupSizes(rng, sizes_.groups, sizes_.members);
    const FaultyMember faulty = withFaults_ ? chooseFaultyMember(sizes) : FaultyMember{};
    // Members are taken in turn from a shuffled list of the people, so that
    // no group names one person twice unless it has more members than
    // there are people.
    std::vector<int> order(std::max(people_, 0));
    std::iota(order.begin(), order.end(), 0);
    for (int i = people_ - 1; i > 0; --i) std::swap(order[i], order[rng.below(i + 1)]);
    std::size_t cursor = 0;
    for (int g = 0; g < sizes_.groups; ++g) {
      const std::string owner = accountGuid(people_ + g);
      for (int m = 0; m < sizes[g]; ++m) {
        std::string member = accountGuid(order[cursor++ % order.size()]);
        if (g == faulty.group && m == faulty.member) member.clear();
        insert.bindText(1, owner);
        insert.bindText(2, member);
        insert.step();
      }
    }
  }

  void writeTsis(Connection& db) {
    Statement insert(db.get(), "INSERT INTO umTSI(ts_code, ts_guid, ts_sender) VALUES(?, ?, ?)");
    SplitMix64 rng(seed_ ^ kTsiStream);
    for (int t = 0; t < sizes_.tsis; ++t) {
      const std::string guid = accountGuid(static_cast<int>(rng.below(people_)));
      std::string code;
      std::string sender;
      bool nullSender = false;
      if (t < static_cast<int>(std::size(kSpecialTsis))) {
        code = kSpecialTsis[t].code;
        nullSender = kSpecialTsis[t].sender == nullptr;
        if (!nullSender) sender = kSpecialTsis[t].sender;
      } else {
        code = DemoNames::faxCode(rng);
        nullSender = rng.below(10) == 0;
        if (!nullSender) sender = DemoNames::senderName(rng);
      }
      insert.bindText(1, code);
      insert.bindText(2, guid);
      insert.bindText(3, nullSender ? nullptr : sender.c_str());
      insert.step();
    }
  }

  std::uint64_t seed_;
  DemoSizes sizes_;
  int people_;
  std::uint64_t salt_;
  bool withFaults_;
};

}  // namespace

DemoDatabase::DemoDatabase(std::uint64_t seed, const DemoSizes& sizes, bool withFaults)
    : seed_(seed), sizes_(sizes), withFaults_(withFaults) {}

std::string DemoDatabase::checkSizes(const DemoSizes& sizes) {
  if (sizes.accounts < 0 || sizes.groups < 0 || sizes.members < 0 || sizes.tsis < 0) {
    return "sizes must not be negative";
  }
  if (sizes.groups > sizes.accounts) return "every group needs an account of its own";
  if (sizes.members < sizes.groups) return "every group needs at least one member";
  const int people = sizes.accounts - sizes.groups;
  if (sizes.members > 0 && people == 0) return "members need accounts that are not groups";
  if (sizes.tsis > 0 && people == 0) return "TSIs need accounts that are not groups";
  return {};
}

int DemoDatabase::specialAccountCount() { return kSpecialAccountCount; }

std::string DemoDatabase::write(const std::string& path) const {
  try {
    std::error_code ignored;
    std::filesystem::remove(path, ignored);
    Connection db(path);
    Generator(seed_, sizes_, withFaults_).write(db);
    db.close();
    return {};
  } catch (const std::exception& error) {
    return path + ": " + error.what();
  }
}
