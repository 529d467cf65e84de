#include "AutoCloseRowset.h"

#include "AutoCloseDatabase.h"
#include "Pelcore/PelMessage.h"

namespace {

const char* const kSource = kAutoCloseDatabaseSource;
constexpr int kLineInitializeTrace = 341;

}  // namespace

AutoCloseRowset::AutoCloseRowset(AutoCloseDatabase* database, const char16_t* query,
                                 int reserved1, int reserved2, int columnCount,
                                 ColumnBinding* bindings)
    : database_(database),
      query_(query),
      reserved1_(reserved1),
      reserved2_(reserved2),
      columnCount_(columnCount),
      bindings_(bindings) {}

AutoCloseRowset::~AutoCloseRowset() {
  if (!open_) return;
  // CloseRowset has logged whatever it throws; a destructor must not throw.
  try {
    database_->CloseRowset();
  } catch (...) {
  }
}

VekRC AutoCloseRowset::Initialize() {
  PelMessageSelection::debug(kSource, kLineInitializeTrace) << "Initialize" << PelEndl;
  if (database_ == nullptr) return VEK_E_INVALIDARG;
  const VekRC rc =
      database_->CreateRowset(query_, reserved1_, reserved2_, columnCount_, bindings_);
  if (rc == VEK_S_OK) open_ = true;
  return rc;
}
