// What the fuzz targets found, kept as tests.
#include <gtest/gtest.h>

#include "RegistryFile.h"

// A file cut short inside a hex value: its last line still asks for a
// continuation. A value added to that key must not become that continuation
// when the file is read again.
TEST(FuzzFindings, ValueAddedAfterAHexValueCutShortSurvivesReadingAgain) {
  const std::string key = "HKLM\\SOFTWARE\\Tarvik\\Fenwick\\NXV5\\GW\\VEK";
  RegistryFile file = RegistryFile::parse(
      "Windows Registry Editor Version 5.00\r\n\r\n[" + key + "]\r\n\"VekPath\"=\"/opt/x\"\r\n"
      "\"Multi\"=hex(7):41,00,\\",
      "cut.reg");
  RegistryValue port;
  port.type = RegistryValue::Type::Dword;
  port.dword = 8080;
  file.set(key, "VekTesselPortNumber", port);

  const RegistryFile again = RegistryFile::parse(file.serialize(), "cut.reg");
  const std::optional<RegistryValue> found = again.find(key, "VekTesselPortNumber");
  ASSERT_TRUE(found.has_value()) << file.serialize();
  EXPECT_EQ(8080u, found->dword);
  EXPECT_EQ("/opt/x", again.find(key, "VekPath")->text);
}

// The same, cut short right after the CR of the hex value's last line: that
// line asks for a continuation as it would before its LF, and the values set
// go before it.
TEST(FuzzFindings, HexValueCutShortAfterItsCarriageReturnSwallowsNoValueSet) {
  const std::string key = "HKLM\\SOFTWARE\\Tarvik\\Fenwick\\NXV5\\GW\\VEK";
  RegistryFile file = RegistryFile::parse("[" + key + "]\n\"\"=hex:\\\r", "cut.reg");
  RegistryValue path;
  path.type = RegistryValue::Type::String;
  path.text = "/opt/x";
  file.set(key, "VekPath", path);

  const std::optional<RegistryValue> found = RegistryFile::parse(file.serialize(), "cut.reg").find(key, "VekPath");
  ASSERT_TRUE(found.has_value()) << file.serialize();
  EXPECT_EQ("/opt/x", found->text);
}
