#ifndef VEKPEL_PARAMETERCACHE_H
#define VEKPEL_PARAMETERCACHE_H

#include <map>
#include <mutex>
#include <shared_mutex>
#include <utility>

#include "Pelcore/PelMutex.h"
#include "Pelcore/PelUnicodeString.h"

// One family's cache: key to the value first read for it, for the life of
// the process. Entries are never replaced or removed, and map nodes never
// move, so a returned reference stays valid while others are inserted.
template <typename Value>
class ParameterCache {
 public:
  // The cached value of `key`; on its first request, `read()` gives the
  // value. Of concurrent first requests exactly one reads. When `read`
  // throws, nothing is kept and the exception passes on.
  template <typename Read>
  const Value& get(const char16_t* key, Read read) {
    const PelUnicodeString name(key);
    {
      std::shared_lock<std::shared_mutex> lookup(entriesMutex_);
      const auto found = entries_.find(name);
      if (found != entries_.end()) return found->second;
    }
    PelAutoMutex reading(readMutex_);
    // Only holders of readMutex_ insert, so this lookup needs no more.
    const auto found = entries_.find(name);
    if (found != entries_.end()) return found->second;
    Value value = read();
    std::unique_lock<std::shared_mutex> insert(entriesMutex_);
    return entries_.emplace(name, std::move(value)).first->second;
  }

 private:
  // Keys in the order of PelUnicodeString::compare, letter case included.
  struct KeyOrder {
    bool operator()(const PelUnicodeString& a, const PelUnicodeString& b) const {
      return a.compare(b.c_str()) < 0;
    }
  };

  PelMutex readMutex_;             // serialises reads of the store and insertions
  std::shared_mutex entriesMutex_; // shared for lookups, exclusive to insert
  std::map<PelUnicodeString, Value, KeyOrder> entries_;  // Guarded by entriesMutex_.
};

#endif
