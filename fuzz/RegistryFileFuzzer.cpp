// Fuzz target: the registry file reader. Any bytes must parse without harm,
// and values written into the parsed file must read back, also after the
// file has gone through its bytes again.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "RegistryFile.h"

namespace {

const std::string kKey = "HKLM\\SOFTWARE\\Tarvik\\Fenwick\\NXV5\\GW\\VEK";

bool holds(const RegistryFile& file, const RegistryValue& path, const RegistryValue& port) {
  const std::optional<RegistryValue> text = file.find(kKey, "vekpath");
  const std::optional<RegistryValue> number = file.find(kKey, "VekTesselPortNumber");
  return text && text->type == path.type && text->text == path.text && number &&
         number->type == port.type && number->dword == port.dword;
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  // A malformed line writes a message; they are not what is tested here.
  setenv("PEL_MESSAGE_FILE", "/dev/null", 1);
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  RegistryFile file = RegistryFile::parse({reinterpret_cast<const char*>(data), size}, "fuzz.reg");
  const RegistryValue path{RegistryValue::Type::String, "/opt/tarvik \"nx\" \\ 東京", 0};
  const RegistryValue port{RegistryValue::Type::Dword, "", 0x1F90};
  file.set(kKey, "VekPath", path);
  file.set(kKey, "VekTesselPortNumber", port);
  const RegistryFile again = RegistryFile::parse(file.serialize(), "fuzz.reg");
  if (!holds(file, path, port) || !holds(again, path, port) || !file.remove(kKey, "VekPath") ||
      file.find(kKey, "VekPath")) {
    std::abort();
  }
  return 0;
}
