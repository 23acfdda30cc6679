#include "base/posix/ini_settings_store.h"

#include <gtest/gtest.h>
#include <stdlib.h>

#include <fstream>
#include <sstream>

#include "base/env.h"
#include "base/error.h"
#include "tests/support/temp_dir.h"

namespace qxqy {
namespace {

std::string ReadAll(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

TEST(IniSettingsStoreTest, ValuesSurviveANewStoreOnTheSameFile) {
  testing::TempDir dir;
  const std::string path = dir.File("sub/Logger.ini");
  {
    IniSettingsStore store(path);
    store.Write("TfmMainForm", "CurrentBand", "5");
    store.Write("TfmMainForm", "NormPos", "1009,201,1343,427");
    store.Write("TfmDomList", "NormPos", "1,2,3,4");
    store.Write("TfmMainForm", "CurrentBand", "6");
  }
  IniSettingsStore reopened(path);
  EXPECT_EQ(reopened.Read("TfmMainForm", "CurrentBand"), "6");
  EXPECT_EQ(reopened.Read("TfmMainForm", "NormPos"), "1009,201,1343,427");
  EXPECT_EQ(reopened.Read("TfmDomList", "NormPos"), "1,2,3,4");
  EXPECT_EQ(reopened.Read("TfmDomList", "CurrentBand"), std::nullopt);
  EXPECT_EQ(reopened.Read("Missing", "CurrentBand"), std::nullopt);
}

TEST(IniSettingsStoreTest, TwoStoresOnOneFileKeepEachOthersValues) {
  testing::TempDir dir;
  const std::string path = dir.File("Logger.ini");
  IniSettingsStore main_window(path);
  IniSettingsStore multiplier_window(path);
  main_window.Write("TfmMainForm", "CurrentBand", "2");
  multiplier_window.Write("TfmDomList", "Visible", "1");
  main_window.Write("TfmMainForm", "Visible", "0");
  IniSettingsStore check(path);
  EXPECT_EQ(check.Read("TfmDomList", "Visible"), "1");
  EXPECT_EQ(check.Read("TfmMainForm", "CurrentBand"), "2");
}

TEST(IniSettingsStoreTest, GarbageLinesAreIgnored) {
  testing::TempDir dir;
  const std::string path = dir.Write("Logger.ini",
                                     "orphan=1\n"
                                     "[TfmMainForm]\r\n"
                                     "CurrentBand=7\r\n"
                                     "no equals sign\n"
                                     "=no name\n"
                                     "; comment=1\n"
                                     "[broken\n"
                                     "Hidden=1\n"
                                     "[Odd=Section]\n"
                                     "[TfmDomList]\n"
                                     "NormPos=1,2,3,4=5\n");
  IniSettingsStore store(path);
  EXPECT_EQ(store.Read("TfmMainForm", "CurrentBand"), "7");
  EXPECT_EQ(store.Read("TfmMainForm", "orphan"), std::nullopt);
  EXPECT_EQ(store.Read("TfmMainForm", "Hidden"), std::nullopt);
  // A section line is never read as a value, even with "=" in its name.
  EXPECT_EQ(store.Read("Odd=Section", "[Odd"), std::nullopt);
  EXPECT_EQ(store.Read("TfmDomList", "NormPos"), "1,2,3,4=5");
}

TEST(IniSettingsStoreTest, WritingLeavesNoTemporaryFileBehind) {
  testing::TempDir dir;
  const std::string path = dir.File("Logger.ini");
  IniSettingsStore store(path);
  store.Write("TfmMainForm", "CurrentBand", "1");
  int files = 0;
  for (const auto& entry : std::filesystem::directory_iterator(dir.path())) {
    (void)entry;
    ++files;
  }
  EXPECT_EQ(files, 1);
  EXPECT_EQ(ReadAll(path), "[TfmMainForm]\nCurrentBand=1\n\n");
}

TEST(IniSettingsStoreTest, UnwritableFileThrowsNamingIt) {
  testing::TempDir dir;
  const std::string blocker = dir.Write("file", "x");
  IniSettingsStore store(blocker + "/Logger.ini");
  EXPECT_EQ(store.Read("A", "B"), std::nullopt);
  try {
    store.Write("TfmMainForm", "CurrentBand", "1");
    FAIL() << "no error";
  } catch (const Error& error) {
    EXPECT_NE(std::string(error.what()).find("Logger.ini"), std::string::npos);
  }
}

TEST(IniSettingsStoreTest, ValuesThatWouldBreakTheFileAreRefused) {
  testing::TempDir dir;
  IniSettingsStore store(dir.File("Logger.ini"));
  EXPECT_THROW(store.Write("Section", "Name", "two\nlines"), Error);
  EXPECT_THROW(store.Write("Section", "a=b", "1"), Error);
  EXPECT_THROW(store.Write("[x]", "Name", "1"), Error);
}

TEST(IniSettingsStoreTest, DefaultPathFollowsTheConfigFolderAndHostName) {
  const char* saved = getenv("XDG_CONFIG_HOME");
  const std::string previous = saved != nullptr ? saved : "";
  setenv("XDG_CONFIG_HOME", "/tmp/qxqy-config", 1);
  EXPECT_EQ(IniSettingsStore::DefaultPath(),
            "/tmp/qxqy-config/" + env::HostExecutableName() + ".ini");
  setenv("XDG_CONFIG_HOME", "relative", 1);
  EXPECT_NE(IniSettingsStore::DefaultPath().find("/.config/"), std::string::npos);
  if (saved != nullptr) {
    setenv("XDG_CONFIG_HOME", previous.c_str(), 1);
  } else {
    unsetenv("XDG_CONFIG_HOME");
  }
}

}  // namespace
}  // namespace qxqy
