#include "DemoNames.h"

#include <algorithm>
#include <array>
#include <string_view>

namespace {

struct Romanised {
  std::string_view kanji;
  std::string_view latin;
};

constexpr std::array<Romanised, 40> kSurnames{{
    {"佐藤", "sato"},       {"鈴木", "suzuki"},     {"高橋", "takahashi"},
    {"田中", "tanaka"},     {"伊藤", "ito"},        {"渡辺", "watanabe"},
    {"山本", "yamamoto"},   {"中村", "nakamura"},   {"小林", "kobayashi"},
    {"加藤", "kato"},       {"吉田", "yoshida"},    {"山田", "yamada"},
    {"佐々木", "sasaki"},   {"山口", "yamaguchi"},  {"松本", "matsumoto"},
    {"井上", "inoue"},      {"木村", "kimura"},     {"林", "hayashi"},
    {"斎藤", "saito"},      {"清水", "shimizu"},    {"山崎", "yamazaki"},
    {"森", "mori"},         {"池田", "ikeda"},      {"橋本", "hashimoto"},
    {"阿部", "abe"},        {"石川", "ishikawa"},   {"山下", "yamashita"},
    {"中島", "nakajima"},   {"石井", "ishii"},      {"小川", "ogawa"},
    {"前田", "maeda"},      {"岡田", "okada"},      {"長谷川", "hasegawa"},
    {"藤田", "fujita"},     {"後藤", "goto"},       {"近藤", "kondo"},
    {"村上", "murakami"},   {"遠藤", "endo"},       {"青木", "aoki"},
    {"坂本", "sakamoto"},
}};

constexpr std::array<Romanised, 30> kGivenNames{{
    {"太郎", "taro"},     {"一郎", "ichiro"},   {"健太", "kenta"},
    {"大輔", "daisuke"},  {"翔太", "shota"},    {"拓也", "takuya"},
    {"直樹", "naoki"},    {"浩二", "koji"},     {"誠", "makoto"},
    {"学", "manabu"},     {"花子", "hanako"},   {"美咲", "misaki"},
    {"陽子", "yoko"},     {"恵子", "keiko"},    {"由美", "yumi"},
    {"真由美", "mayumi"}, {"愛", "ai"},         {"彩", "aya"},
    {"優子", "yuko"},     {"京子", "kyoko"},    {"智子", "tomoko"},
    {"裕子", "hiroko"},   {"直美", "naomi"},    {"健一", "kenichi"},
    {"和也", "kazuya"},   {"亮", "ryo"},        {"修", "osamu"},
    {"剛", "tsuyoshi"},   {"聡", "satoshi"},    {"隆", "takashi"},
}};

constexpr std::array<std::string_view, 30> kLatinFirst{
    "James",   "Mary",   "John",    "Patricia", "Robert", "Jennifer",
    "Michael", "Linda",  "William", "Elizabeth", "David", "Barbara",
    "Richard", "Susan",  "Thomas",  "Sarah",    "Daniel", "Karen",
    "Paul",    "Nancy",  "Mark",    "Lisa",     "Anna",   "Peter",
    "Laura",   "Emma",   "Oliver",  "Sophie",   "Lucas",  "Chloe"};

constexpr std::array<std::string_view, 30> kLatinLast{
    "Smith",  "Johnson", "Williams", "Brown",  "Jones",  "Miller",
    "Davis",  "Wilson",  "Anderson", "Taylor", "Thomas", "Moore",
    "Martin", "Jackson", "White",    "Harris", "Clark",  "Lewis",
    "Walker", "Hall",    "Allen",    "Young",  "King",   "Wright",
    "Scott",  "Green",   "Baker",    "Adams",  "Nelson", "Carter"};

struct Department {
  std::string_view japanese;
  std::string_view latin;
};

constexpr std::array<Department, 12> kDepartments{{
    {"営業部", "Sales"},
    {"総務部", "General Affairs"},
    {"経理部", "Accounting"},
    {"人事部", "Human Resources"},
    {"開発部", "Engineering"},
    {"製造部", "Manufacturing"},
    {"品質保証部", "Quality Assurance"},
    {"購買部", "Purchasing"},
    {"法務部", "Legal"},
    {"広報部", "Public Relations"},
    {"情報システム部", "IT"},
    {"物流部", "Logistics"},
}};

struct Place {
  std::string_view japanese;
  std::string_view latin;
  std::string_view areaCode;
};

constexpr std::array<Place, 10> kPlaces{{
    {"東京", "Tokyo", "3"},      {"大阪", "Osaka", "6"},
    {"名古屋", "Nagoya", "52"},  {"福岡", "Fukuoka", "92"},
    {"札幌", "Sapporo", "11"},   {"仙台", "Sendai", "22"},
    {"横浜", "Yokohama", "45"},  {"広島", "Hiroshima", "82"},
    {"京都", "Kyoto", "75"},     {"神戸", "Kobe", "78"},
}};

constexpr std::array<std::string_view, 7> kCompanyKinds{
    "商事", "物産", "工業", "製作所", "電機", "運輸", "建設"};
constexpr std::array<std::string_view, 5> kLatinCompanyKinds{
    "Trading", "Logistics", "Partners", "Industries", "Systems"};
constexpr std::array<std::string_view, 3> kLatinCompanyForms{"Inc.", "Ltd.", "Co."};

// Japanese full names and departments are separated by an ideographic space.
constexpr std::string_view kIdeographicSpace = "　";
constexpr std::string_view kCompanyPrefix = "株式会社";
constexpr std::string_view kSectionPrefix = "第";
constexpr std::string_view kSectionSuffix = "課";

template <typename T, std::size_t N>
const T& pick(SplitMix64& rng, const std::array<T, N>& items) {
  return items[rng.below(N)];
}

std::string lowerAscii(std::string_view text) {
  std::string result(text);
  for (char& c : result) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return result;
}

std::string upperAscii(std::string_view text) {
  std::string result(text);
  for (char& c : result) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  }
  return result;
}

std::string digits(SplitMix64& rng, int count) {
  std::string result;
  for (int i = 0; i < count; ++i) result += static_cast<char>('0' + rng.below(10));
  return result;
}

}  // namespace

DemoNames::Person DemoNames::person(SplitMix64& rng) {
  Person result;
  if (rng.below(5) < 3) {
    const Romanised& surname = pick(rng, kSurnames);
    const Romanised& given = pick(rng, kGivenNames);
    result.name.append(surname.kanji).append(kIdeographicSpace).append(given.kanji);
    result.mailLocal.append(given.latin).append(".").append(surname.latin);
    return result;
  }
  std::string_view first = pick(rng, kLatinFirst);
  std::string_view last = pick(rng, kLatinLast);
  result.name.append(first).append(" ").append(last);
  result.mailLocal = lowerAscii(first) + "." + lowerAscii(last);
  return result;
}

std::string DemoNames::groupName(SplitMix64& rng) {
  const Department& department = pick(rng, kDepartments);
  const Place& place = pick(rng, kPlaces);
  std::string section = std::to_string(1 + rng.below(9));
  std::string result;
  if (rng.below(5) < 3) {
    result.append(department.japanese).append(kIdeographicSpace).append(place.japanese);
    result.append(kIdeographicSpace).append(kSectionPrefix).append(section);
    return result.append(kSectionSuffix);
  }
  result.append(department.latin).append(" ").append(place.latin);
  return result.append(" Team ").append(section);
}

std::string DemoNames::faxCode(SplitMix64& rng) {
  const Place& place = pick(rng, kPlaces);
  if (rng.below(10) < 7) {
    // Ten digits in all with the leading 0 that "+81" replaces.
    int localDigits = static_cast<int>(9 - place.areaCode.size());
    std::string local = digits(rng, localDigits);
    std::string result = "+81 " + std::string(place.areaCode) + " ";
    return result + local.substr(0, localDigits - 4) + " " + local.substr(localDigits - 4);
  }
  const Department& department = pick(rng, kDepartments);
  std::string result = upperAscii(place.latin) + " " + upperAscii(department.latin);
  // A fax machine sends at most 20 characters of identification.
  result.resize(std::min<std::size_t>(result.size(), 17));
  while (result.back() == ' ') result.pop_back();
  return result + " " + digits(rng, 2);
}

std::string DemoNames::senderName(SplitMix64& rng) {
  if (rng.below(5) < 3) {
    std::string result(kCompanyPrefix);
    return result.append(pick(rng, kSurnames).kanji).append(pick(rng, kCompanyKinds));
  }
  std::string result(pick(rng, kLatinLast));
  result.append(" ").append(pick(rng, kLatinCompanyKinds));
  return result.append(" ").append(pick(rng, kLatinCompanyForms));
}

std::string DemoNames::guidText(std::uint64_t salt, std::uint64_t index) {
  const std::uint64_t high = SplitMix64::mix(salt ^ index);
  const std::uint64_t low = SplitMix64::mix(high + 0x632BE59BD9B4E019ULL);
  const std::uint64_t node = ((high & 0xFFFF) << 32) | (low & 0xFFFFFFFF);
  struct Field {
    std::uint64_t value;
    int hexDigits;
  };
  // Version 4 and the RFC 4122 variant, as a real GUID carries them.
  const Field fields[] = {{high >> 32, 8},
                          {(high >> 16) & 0xFFFF, 4},
                          {0x4000 | ((low >> 52) & 0x0FFF), 4},
                          {0x8000 | ((low >> 38) & 0x3FFF), 4},
                          {node, 12}};
  static constexpr char kHex[] = "0123456789ABCDEF";
  std::string result = "{";
  for (const Field& field : fields) {
    if (result.size() > 1) result += '-';
    for (int shift = (field.hexDigits - 1) * 4; shift >= 0; shift -= 4) {
      result += kHex[(field.value >> shift) & 0xF];
    }
  }
  return result + "}";
}
