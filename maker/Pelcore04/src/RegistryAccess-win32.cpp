#include <windows.h>

#include <cstring>
#include <optional>
#include <vector>

#include "Pelcore/PelMessage.h"
#include "Pelcore/PelWin32Text.h"
#include "RegistryAccess.h"
#include "RegistryKey.h"

namespace {

constexpr int kLineUnreadable = 210;
constexpr int kLineWrite = 230;

struct HiveHandle {
  const char* fullName;
  HKEY handle;
};
const HiveHandle kHiveHandles[] = {
    {"HKEY_LOCAL_MACHINE", HKEY_LOCAL_MACHINE}, {"HKEY_CURRENT_USER", HKEY_CURRENT_USER},
    {"HKEY_CLASSES_ROOT", HKEY_CLASSES_ROOT},   {"HKEY_USERS", HKEY_USERS},
    {"HKEY_CURRENT_CONFIG", HKEY_CURRENT_CONFIG},
};

// The system's text for an error code, without its line break.
std::string errorText(LSTATUS status) {
  wchar_t* text = nullptr;
  const DWORD length = FormatMessageW(
      FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
      static_cast<DWORD>(status), 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
  std::string message = length > 0 ? utf8Of(std::wstring(text, length)) : "error " + std::to_string(status);
  LocalFree(text);
  while (!message.empty() && (message.back() == '\n' || message.back() == '\r' || message.back() == ' ')) {
    message.pop_back();
  }
  return message;
}

void reportFailure(int line, const std::string& what, const std::string& key, LSTATUS status) {
  PelMessageSelection::error(kRegistryMessageSource, line)
      << what << " [" << RegistryKey::fullText(key) << "]: " << errorText(status) << PelEndl;
}

// Closes a key on every way out.
class OpenKey {
 public:
  OpenKey() = default;
  ~OpenKey() {
    if (key_ != nullptr) RegCloseKey(key_);
  }
  OpenKey(const OpenKey&) = delete;
  OpenKey& operator=(const OpenKey&) = delete;
  HKEY* out() { return &key_; }
  HKEY get() const { return key_; }

 private:
  HKEY key_ = nullptr;
};

HKEY hiveHandle(const std::string& fullName) {
  for (const HiveHandle& hive : kHiveHandles) {
    if (fullName == hive.fullName) return hive.handle;
  }
  return nullptr;
}

enum class Missing { Fail, Create };

// Opens the key with `access`, or creates it when it is missing and
// `missing` says so. ERROR_FILE_NOT_FOUND for a key text without a hive, as
// for a key that does not exist.
LSTATUS openKey(const std::string& key, REGSAM access, Missing missing, OpenKey& opened) {
  const std::optional<RegistryKey::Parts> parts = RegistryKey::split(key);
  if (!parts) return ERROR_FILE_NOT_FOUND;
  const HKEY hive = hiveHandle(parts->hive);
  const std::wstring path = widened(parts->path);
  const LSTATUS status = RegOpenKeyExW(hive, path.c_str(), 0, access, opened.out());
  if (status != ERROR_FILE_NOT_FOUND || missing == Missing::Fail) return status;
  return RegCreateKeyExW(hive, path.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, access, nullptr, opened.out(),
                         nullptr);
}

// The value's type and bytes; the buffer grows while the value does.
LSTATUS queryValue(HKEY key, const std::wstring& name, DWORD& type, std::vector<BYTE>& data) {
  DWORD size = 64;
  LSTATUS status = ERROR_MORE_DATA;
  while (status == ERROR_MORE_DATA) {
    data.resize(size);
    status = RegQueryValueExW(key, name.c_str(), nullptr, &type, data.data(), &size);
  }
  data.resize(status == ERROR_SUCCESS ? size : 0);
  return status;
}

// REG_SZ and REG_DWORD are the two types the parameters know; a text ends at
// its first zero, stored or not.
RegistryValue valueOf(DWORD type, const std::vector<BYTE>& data) {
  RegistryValue value;
  if (type == REG_SZ) {
    std::vector<wchar_t> text(data.size() / sizeof(wchar_t) + 1, L'\0');
    std::memcpy(text.data(), data.data(), data.size() / sizeof(wchar_t) * sizeof(wchar_t));
    value.type = RegistryValue::Type::String;
    value.text = utf8Of(text.data());
  } else if (type == REG_DWORD && data.size() == sizeof(DWORD)) {
    value.type = RegistryValue::Type::Dword;
    std::memcpy(&value.dword, data.data(), sizeof(DWORD));
  }
  return value;
}

// A Dword as REG_DWORD, a String as REG_SZ with its terminating zero.
LSTATUS setValue(HKEY key, const std::wstring& name, const RegistryValue& value) {
  if (value.type == RegistryValue::Type::Dword) {
    const DWORD number = value.dword;
    return RegSetValueExW(key, name.c_str(), 0, REG_DWORD, reinterpret_cast<const BYTE*>(&number), sizeof number);
  }
  const std::wstring text = widened(value.text);
  const DWORD size = static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t));
  return RegSetValueExW(key, name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()), size);
}

}  // namespace

std::optional<RegistryValue> RegistryAccess::read(const std::string& key, const std::string& name) {
  OpenKey opened;
  LSTATUS status = openKey(key, KEY_QUERY_VALUE, Missing::Fail, opened);
  if (status == ERROR_FILE_NOT_FOUND) return std::nullopt;
  if (status != ERROR_SUCCESS) {
    reportFailure(kLineUnreadable, "Cannot read the registry key", key, status);
    return std::nullopt;
  }
  DWORD type = REG_NONE;
  std::vector<BYTE> data;
  status = queryValue(opened.get(), widened(name), type, data);
  if (status == ERROR_FILE_NOT_FOUND) return std::nullopt;
  if (status != ERROR_SUCCESS) {
    reportFailure(kLineUnreadable, "Cannot read the registry value " + name + " of", key, status);
    return std::nullopt;
  }
  return valueOf(type, data);
}

bool RegistryAccess::write(const std::string& key, const std::string& name, const RegistryValue& value) {
  OpenKey opened;
  LSTATUS status = openKey(key, KEY_SET_VALUE, Missing::Create, opened);
  if (status == ERROR_SUCCESS) status = setValue(opened.get(), widened(name), value);
  if (status != ERROR_SUCCESS) {
    reportFailure(kLineWrite, "Cannot write the registry value " + name + " of", key, status);
    return false;
  }
  return true;
}

bool RegistryAccess::remove(const std::string& key, const std::string& name) {
  OpenKey opened;
  LSTATUS status = openKey(key, KEY_SET_VALUE, Missing::Fail, opened);
  if (status == ERROR_SUCCESS) status = RegDeleteValueW(opened.get(), widened(name).c_str());
  if (status == ERROR_FILE_NOT_FOUND) return false;
  if (status != ERROR_SUCCESS) {
    reportFailure(kLineWrite, "Cannot delete the registry value " + name + " of", key, status);
    return false;
  }
  return true;
}

std::uint64_t RegistryAccess::fileReadCount() { return 0; }
