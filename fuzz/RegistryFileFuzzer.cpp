// Fuzz target: the registry file reader. Any bytes must parse without harm,
// and a value written into the parsed file must read back, also after the
// file has gone through its bytes again.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "RegistryFile.h"

namespace {

const std::string kKey = "HKLM\\SOFTWARE\\Tarvik\\Fenwick\\NXV5\\GW\\VEK";

void require(bool condition) {
  if (!condition) std::abort();
}

void expectText(const RegistryFile& file, std::string_view name, const std::string& text) {
  const std::optional<RegistryValue> found = file.find(kKey, name);
  require(found && found->type == RegistryValue::Type::String && found->text == text);
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  // A malformed line writes a message; they are not what is tested here.
  setenv("PEL_MESSAGE_FILE", "/dev/null", 1);
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  RegistryFile file = RegistryFile::parse(bytes, "fuzz.reg");
  file.find(kKey, "VekPath");
  file.find("HKEY_LOCAL_MACHINE\\SOFTWARE", "VekTesselPortNumber");
  file.serialize();

  RegistryValue path;
  path.type = RegistryValue::Type::String;
  path.text = "/opt/tarvik \"nx\" \\ 東京";
  RegistryValue port;
  port.type = RegistryValue::Type::Dword;
  port.dword = 0x1F90;
  file.set(kKey, "VekPath", path);
  file.set(kKey, "VekTesselPortNumber", port);
  expectText(file, "VekPath", path.text);

  const RegistryFile again = RegistryFile::parse(file.serialize(), "fuzz.reg");
  expectText(again, "vekpath", path.text);
  const std::optional<RegistryValue> number = again.find(kKey, "VekTesselPortNumber");
  require(number && number->type == RegistryValue::Type::Dword && number->dword == port.dword);

  require(file.remove(kKey, "VekPath"));
  require(!file.find(kKey, "VekPath"));
  return 0;
}
