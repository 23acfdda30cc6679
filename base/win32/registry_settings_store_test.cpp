// The registry store: values round-trip as REG_SZ under the host's key,
// anything else found there reads as absent, and write failures say why.
#include "base/win32/registry_settings_store.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "base/env.h"
#include "base/error.h"

namespace qxqy::win32 {
namespace {

constexpr char kRoot[] = "Software\\QxqyRegistryStoreTest";

class RegistrySettingsStoreTest : public ::testing::Test {
 protected:
  RegistrySettingsStoreTest() { RegDeleteTreeA(HKEY_CURRENT_USER, kRoot); }
  ~RegistrySettingsStoreTest() override { RegDeleteTreeA(HKEY_CURRENT_USER, kRoot); }

  // Stores raw bytes of any type under kRoot\<section>.
  static void WriteRaw(const std::string& section, const std::string& name, DWORD type,
                       const std::vector<BYTE>& bytes) {
    HKEY key = nullptr;
    const std::string path = std::string(kRoot) + "\\" + section;
    ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, 0, KEY_SET_VALUE,
                              nullptr, &key, nullptr),
              ERROR_SUCCESS);
    RegSetValueExA(key, name.c_str(), 0, type, bytes.data(), static_cast<DWORD>(bytes.size()));
    RegCloseKey(key);
  }

  RegistrySettingsStore store_{kRoot};
};

TEST_F(RegistrySettingsStoreTest, ValuesRoundTripPerSection) {
  EXPECT_FALSE(store_.Read("TfmMainForm", "CurrentBand").has_value());
  store_.Write("TfmMainForm", "CurrentBand", "5");
  store_.Write("TfmDomList", "NormPos", "1020,164,1359,346");
  store_.Write("TfmMainForm", "Empty", "");
  EXPECT_EQ(store_.Read("TfmMainForm", "CurrentBand"), "5");
  EXPECT_EQ(store_.Read("TfmDomList", "NormPos"), "1020,164,1359,346");
  EXPECT_EQ(store_.Read("TfmMainForm", "Empty"), "");
  EXPECT_FALSE(store_.Read("TfmDomList", "CurrentBand").has_value());
  store_.Write("TfmMainForm", "CurrentBand", "9");
  EXPECT_EQ(RegistrySettingsStore(kRoot).Read("TfmMainForm", "CurrentBand"), "9")
      << "another store on the same key sees the write";
}

TEST_F(RegistrySettingsStoreTest, ValuesThatAreNotPlainTextReadAsAbsentOrCut) {
  struct Case {
    const char* name;
    DWORD type;
    std::vector<BYTE> bytes;
    std::optional<std::string> expected;
  };
  const Case cases[] = {
      {"dword", REG_DWORD, {5, 0, 0, 0}, std::nullopt},
      {"binary", REG_BINARY, {'1', '2'}, std::nullopt},
      {"multi", REG_MULTI_SZ, {'a', 0, 'b', 0, 0}, std::nullopt},
      {"unterminated", REG_SZ, {'1', '2', '3'}, std::string("123")},
      {"early terminator", REG_SZ, {'4', 0, '5', 0}, std::string("4")},
      {"empty", REG_SZ, {}, std::string()},
      {"huge", REG_SZ, std::vector<BYTE>(200000, 'x'), std::nullopt},
  };
  for (const Case& c : cases) {
    WriteRaw("Garbage", c.name, c.type, c.bytes);
    EXPECT_EQ(store_.Read("Garbage", c.name), c.expected) << c.name;
  }
}

TEST_F(RegistrySettingsStoreTest, WriteFailureNamesTheValueAndTheReason) {
  // A key name longer than the registry allows cannot be created.
  const std::string section(300, 'S');
  try {
    store_.Write(section, "CurrentBand", "1");
    ADD_FAILURE() << "no error for an impossible key";
  } catch (const Error& error) {
    const std::string message = error.what();
    EXPECT_NE(message.find("CurrentBand"), std::string::npos) << message;
    EXPECT_GT(message.size(), message.find("CurrentBand: ") + 12) << "a reason follows";
  }
}

TEST(PlatformSettingsStore, LivesUnderTheHostsKey) {
  const std::string root = "Software\\" + env::HostExecutableName();
  auto store = CreateSettingsStore();
  store->Write("QxqyPlatformStoreTest", "Value", "text");
  char buffer[32] = {};
  DWORD size = sizeof buffer;
  const std::string path = root + "\\QxqyPlatformStoreTest";
  EXPECT_EQ(
      RegGetValueA(HKEY_CURRENT_USER, path.c_str(), "Value", RRF_RT_REG_SZ, nullptr, buffer, &size),
      ERROR_SUCCESS);
  EXPECT_STREQ(buffer, "text");
  RegDeleteTreeA(HKEY_CURRENT_USER, path.c_str());
}

}  // namespace
}  // namespace qxqy::win32
