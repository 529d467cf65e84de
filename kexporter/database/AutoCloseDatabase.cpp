#include "AutoCloseDatabase.h"

#include <new>

#include "CatchBlocks.h"
#include "Pelcore/PelMessage.h"
#include "VekOdb/OdbDataSourceTessel.h"
#include "VekOdb/OdbRowset.h"
#include "VekOdb/OdbSession.h"

namespace {

// The line numbers are part of the messages, fixed whatever the code's
// layout.
const char* const kSource = kAutoCloseDatabaseSource;
constexpr int kLineNewDataSource = 67;
constexpr int kLineInitializeDataSource = 70;
constexpr int kLineNewSession = 74;
constexpr int kLineInitializeSession = 77;
constexpr int kLineCloseCatch = 133;
constexpr int kLineCreateRowsetTrace = 220;
constexpr int kLineCreateRowsetFailed = 225;
constexpr int kLineRowsetInitializeFailed = 231;
constexpr int kLineCreateRowsetCatch = 234;
constexpr int kLineGetNextRowTrace = 241;
constexpr int kLineGetNextRowCatch = 246;
constexpr int kLineCloseRowsetTrace = 252;
constexpr int kLineCloseRowsetCatch = 256;

// Arguments of the rowset's Initialize that carry no meaning for callers.
constexpr int kRowsetMode = 10;

}  // namespace

AutoCloseDatabase::AutoCloseDatabase(const char16_t* host, const char16_t* database,
                                     const char16_t* third, const char16_t* fourth) {
  host_.allocateCopy(host, 0);
  database_.allocateCopy(database, 0);
  third_.allocateCopy(third, 0);
  fourth_.allocateCopy(fourth, 0);
}

AutoCloseDatabase::~AutoCloseDatabase() { Close(VEK_S_OK); }

VekRC AutoCloseDatabase::Open() {
  // A connection held from an earlier Open would otherwise be lost, still open.
  if (dataSource_ != nullptr) Close(VEK_S_OK);
  dataSource_ = new (std::nothrow) OdbDataSourceTessel();
  if (dataSource_ == nullptr) {
    PelMessageSelection::normal(kSource, kLineNewDataSource)
        << "Can't new OdbDataSourceTessel: " << database_ << ". rc = 0x" << PelHex
        << VEK_E_NOTCREATED << PelEndl;
    return VEK_E_NOTCREATED;
  }
  VekRC rc = dataSource_->Initialize(host_.c_str(), database_.c_str(), third_.c_str(),
                                     fourth_.c_str());
  if (rc != VEK_S_OK) {
    if (rc != VEK_E_PASSON) {
      PelMessageSelection::error(kSource, kLineInitializeDataSource)
          << "Can't initialize OdbDataSourceTessel: " << database_ << ". rc = 0x" << PelHex << rc
          << PelEndl;
    }
    return rc;
  }
  dataSource_->CreateSession(&session_);
  if (session_ == nullptr) {
    PelMessageSelection::normal(kSource, kLineNewSession)
        << "Can't new OdbSession: " << database_ << ". rc = 0x" << PelHex << VEK_E_NOTCREATED
        << PelEndl;
    return VEK_E_NOTCREATED;
  }
  rc = session_->Initialize(dataSource_, SessionOption());
  if (rc != VEK_S_OK) {
    if (rc != VEK_E_PASSON) {
      PelMessageSelection::error(kSource, kLineInitializeSession)
          << "Can't initialize OdbSession: " << database_ << ". rc = 0x" << PelHex << rc
          << PelEndl;
    }
    return rc;
  }
  return VEK_S_OK;
}

VekRC AutoCloseDatabase::Close(VekRC rc) {
  VekRC released = VEK_S_OK;
  try {
    const bool heldDataSource = dataSource_ != nullptr;
    if (session_ != nullptr) session_->ReleaseRowset(&rowset_);
    if (dataSource_ != nullptr) dataSource_->ReleaseSession(&session_);
    delete dataSource_;
    dataSource_ = nullptr;
    if (heldDataSource) AfterClose();
  } catch (...) {
    released = standardCatch(kSource, kLineCloseCatch);
  }
  return rc != VEK_S_OK ? rc : released;
}

VekRC AutoCloseDatabase::CreateRowset(const char16_t* query, int reserved1, int reserved2,
                                      int columnCount, ColumnBinding* bindings) {
  PelMessageSelection::debug(kSource, kLineCreateRowsetTrace) << "CreateRowset" << PelEndl;
  try {
    // Without a session (Open failed or not called) there is nothing to
    // create a rowset on.
    VekRC rc = VEK_E_UNEXPECTED;
    if (session_ != nullptr) {
      session_->ReleaseRowset(&rowset_);
      rc = session_->CreateRowset(&rowset_);
      if (rc == VEK_S_OK && rowset_ == nullptr) rc = VEK_E_NOTCREATED;
    }
    if (rc != VEK_S_OK) {
      if (rc != VEK_E_PASSON) {
        PelMessageSelection::error(kSource, kLineCreateRowsetFailed)
            << "CreateRowset failed. rc = 0x" << PelHex << rc << PelEndl;
      }
      return standardCatchOf(rc, kSource, kLineCreateRowsetCatch);
    }
    rc = rowset_->Initialize(session_, query, kRowsetMode, reserved1, reserved2, columnCount,
                             bindings);
    if (rc != VEK_S_OK) {
      if (rc != VEK_E_PASSON) {
        PelMessageSelection::error(kSource, kLineRowsetInitializeFailed)
            << "Rowset Initialize failed. rc = 0x" << PelHex << rc << PelEndl;
      }
      return standardCatchOf(rc, kSource, kLineCreateRowsetCatch);
    }
    columnCount_ = columnCount;
    bindings_ = bindings;
    return VEK_S_OK;
  } catch (...) {
    return standardCatch(kSource, kLineCreateRowsetCatch);
  }
}

VekRC AutoCloseDatabase::GetNextRow(int x) {
  PelMessageSelection::debug(kSource, kLineGetNextRowTrace) << "GetNextRow" << PelEndl;
  try {
    // The export run asks for a row even when its rowset did not open.
    if (rowset_ == nullptr) return standardCatchOf(VEK_E_UNEXPECTED, kSource, kLineGetNextRowCatch);
    return rowset_->GetNextRow(x);
  } catch (...) {
    return standardCatch(kSource, kLineGetNextRowCatch);
  }
}

void AutoCloseDatabase::CloseRowset() {
  PelMessageSelection::debug(kSource, kLineCloseRowsetTrace) << "CloseRowset" << PelEndl;
  try {
    if (session_ != nullptr) session_->ReleaseRowset(&rowset_);
    columnCount_ = 0;
    bindings_ = nullptr;
  } catch (...) {
    rethrowingCatch(kSource, kLineCloseRowsetCatch);
  }
}

int AutoCloseDatabase::SessionOption() { return 1; }

void AutoCloseDatabase::AfterClose() {}
