#include "tools/hostsim/registry_probe.h"

#include <gtest/gtest.h>

#include <string>

namespace qxqy::hostsim {
namespace {

constexpr char kSection[] = "RegistryProbeTest";

class RegistryProbeTest : public ::testing::Test {
 protected:
  void SetUp() override { section_.DeleteSection(); }
  void TearDown() override { section_.DeleteSection(); }

  RegistrySection section_{OwnSettingsRoot(), kSection};
};

TEST(OwnSettingsRootTest, IsTheExecutableNameWithoutFolderOrExtension) {
  EXPECT_EQ(OwnSettingsRoot(), "Software\\hostsim_tests");
}

TEST_F(RegistryProbeTest, MissingSectionAndValuesReadAsAbsent) {
  EXPECT_FALSE(section_.Exists());
  EXPECT_FALSE(section_.Read("NormPos"));
  EXPECT_TRUE(section_.ReadAll().empty());
  section_.DeleteValue("NormPos");  // nothing to delete: no error
  section_.DeleteSection();
}

TEST_F(RegistryProbeTest, WrittenValuesReadBackWithTheirType) {
  section_.WriteString("CurrentBand", "5");
  section_.WriteString("Empty", "");
  section_.WriteString("Odd", "a\"b\\c\x01");
  section_.WriteDword("NormPos", 4294967295u);
  const struct {
    const char* name;
    std::string described;
  } cases[] = {
      {"CurrentBand", "string \"5\""},
      {"Empty", "string \"\""},
      {"Odd", "string \"a\\\"b\\\\c\\x01\""},
      {"NormPos", "dword 4294967295"},
  };
  for (const auto& c : cases) {
    const auto value = section_.Read(c.name);
    ASSERT_TRUE(value) << c.name;
    EXPECT_EQ(DescribeRegistryValue(*value), c.described) << c.name;
  }
}

TEST_F(RegistryProbeTest, ReadAllSortsByNameIgnoringCase) {
  section_.WriteString("visible", "1");
  section_.WriteString("NormPos", "1,2,3,4");
  section_.WriteString("Flags", "0");
  const auto values = section_.ReadAll();
  ASSERT_EQ(values.size(), 3u);
  EXPECT_EQ(values[0].name, "Flags");
  EXPECT_EQ(values[1].name, "NormPos");
  EXPECT_EQ(values[2].name, "visible");
}

TEST_F(RegistryProbeTest, DeleteRemovesOneValueOrTheSection) {
  section_.WriteString("A", "1");
  section_.WriteString("B", "2");
  section_.DeleteValue("A");
  EXPECT_FALSE(section_.Read("A"));
  EXPECT_TRUE(section_.Read("B"));
  section_.DeleteSection();
  EXPECT_FALSE(section_.Exists());
}

TEST(DescribeRegistryValueTest, OtherTypesShowTheirTypeAndSize) {
  EXPECT_EQ(DescribeRegistryValue({"x", REG_BINARY, std::string("\x01\x02\x03", 3)}),
            "type 3, 3 bytes");
  // A number value of the wrong size is not read as a number.
  EXPECT_EQ(DescribeRegistryValue({"x", REG_DWORD, std::string(2, '\0')}), "type 4, 2 bytes");
  // A string stored without its terminator keeps every byte.
  EXPECT_EQ(DescribeRegistryValue({"x", REG_SZ, "ab"}), "string \"ab\"");
}

}  // namespace
}  // namespace qxqy::hostsim
