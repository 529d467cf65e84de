#ifndef TOOLS_DEMO_DEMONAMES_H
#define TOOLS_DEMO_DEMONAMES_H

#include <cstdint>
#include <string>

#include "SplitMix64.h"

// The texts of the demo rows: people, groups, fax codes and senders, in
// Japanese and Latin script, of the lengths a real installation holds. Every
// character fits CP932, so an export of the generated data writes no "?".
class DemoNames {
 public:
  struct Person {
    std::string name;      // "山田　太郎" or "John Smith"
    std::string mailLocal; // "taro.yamada" or "john.smith"
  };

  // A person, Japanese about three times in five.
  static Person person(SplitMix64& rng);
  // A department or team name, such as "営業部　大阪　第3課".
  static std::string groupName(SplitMix64& rng);
  // A fax sender identifier: a phone number or an upper-case station name.
  static std::string faxCode(SplitMix64& rng);
  // A company name for a TSI's sender.
  static std::string senderName(SplitMix64& rng);
  // A GUID text "{8-4-4-4-12}" in upper-case hex. Distinct indexes give
  // distinct GUIDs for one salt: the index goes through a 64-bit bijection
  // and all 64 bits of the result appear in the text.
  static std::string guidText(std::uint64_t salt, std::uint64_t index);
};

#endif
