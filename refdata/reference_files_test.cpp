#include "refdata/reference_files.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "base/env.h"
#include "base/error.h"
#include "tests/support/file_write_lock.h"
#include "tests/support/temp_dir.h"

namespace qxqy {
namespace {

using Lines = std::vector<std::string>;

// A Plugins folder in a temporary folder, with its trailing separator.
class ReferenceFilesTest : public ::testing::Test {
 protected:
  std::string Folder() const { return dir_.File("Plugins") + env::PathSeparator(); }
  std::string Write(const char* name, const std::string& bytes) const {
    return dir_.Write(std::string("Plugins/") + name, bytes);
  }

  qxqy::testing::TempDir dir_;
  DistrictTable table_;
  StringList calls_;
};

TEST_F(ReferenceFilesTest, LoadsBothFilesLineByLine) {
  Write(kDistrictTableFileName, "ABC=ABC\r\nabc=XYZ\r\n\r\nDEF = DEF");
  Write(kCallDistrictsFileName, "QX1AB=ABC\nQY2CD=DEF\n");
  LoadReferenceFiles(Folder(), table_, calls_);
  EXPECT_EQ(table_.Lines().Lines(), (Lines{"ABC=ABC", "abc=XYZ", "", "DEF = DEF"}));
  EXPECT_EQ(table_.ValueOfName("abc"), "ABC");
  EXPECT_EQ(calls_.Lines(), (Lines{"QX1AB=ABC", "QY2CD=DEF"}));
}

TEST_F(ReferenceFilesTest, MissingFilesLeaveTheListsEmpty) {
  table_.Assign({"OLD=OLD"});
  calls_.Add("OLD=OLD");
  LoadReferenceFiles(Folder(), table_, calls_);
  EXPECT_EQ(table_.Count(), 0u);
  EXPECT_EQ(table_.ValueOfName("OLD"), "");
  EXPECT_TRUE(calls_.Empty());
}

TEST_F(ReferenceFilesTest, OneFileWithoutTheOther) {
  Write(kCallDistrictsFileName, "QX1AB=ABC");
  LoadReferenceFiles(Folder(), table_, calls_);
  EXPECT_EQ(table_.Count(), 0u);
  EXPECT_EQ(calls_.Lines(), Lines{"QX1AB=ABC"});
}

TEST_F(ReferenceFilesTest, AFolderWithTheFileNameCountsAsMissing) {
  Write("qx-qy.dom/inside", "x");
  LoadReferenceFiles(Folder(), table_, calls_);
  EXPECT_EQ(table_.Count(), 0u);
}

TEST_F(ReferenceFilesTest, AFileHeldOpenForWritingCannotBeRead) {
  Write(kDistrictTableFileName, "ABC=ABC\r\n");
  const std::string calls_path = Folder() + kCallDistrictsFileName;
  Write(kCallDistrictsFileName, "QX1AB=ABC\r\n");
  const qxqy::testing::FileWriteLock lock(calls_path);
  try {
    LoadReferenceFiles(Folder(), table_, calls_);
    FAIL() << "expected FileOpenError";
  } catch (const FileOpenError& error) {
    EXPECT_EQ(std::string(error.what()), "Cannot open file " + calls_path);
  }
  // The district table was read before the call-sign list failed.
  EXPECT_EQ(table_.Count(), 1u);
}

TEST_F(ReferenceFilesTest, AByteOrderMarkBeforeTheFirstLineIsNoPartOfIt) {
  // What a Windows editor writes before the text when saving as UTF-8.
  Write(kDistrictTableFileName,
        "\xEF\xBB\xBF"
        "ABC=ABC\r\nDEF=DEF\r\n");
  Write(kCallDistrictsFileName,
        "\xEF\xBB\xBF"
        "QX1AB=ABC\r\n");
  LoadReferenceFiles(Folder(), table_, calls_);
  EXPECT_EQ(table_.Lines().Lines(), (Lines{"ABC=ABC", "DEF=DEF"}));
  EXPECT_EQ(table_.ValueOfName("ABC"), "ABC");
  EXPECT_EQ(calls_.Lines(), Lines{"QX1AB=ABC"});
}

#ifndef _WIN32
TEST_F(ReferenceFilesTest, SaysWhyAFileCannotBeRead) {
  const std::string path = Write(kDistrictTableFileName, "ABC=ABC\r\n");
  const qxqy::testing::FileWriteLock lock(path);
  try {
    LoadReferenceFiles(Folder(), table_, calls_);
    FAIL() << "expected FileOpenError";
  } catch (const FileOpenError& error) {
    EXPECT_EQ(std::string(error.what()), "Cannot open file " + path);  // as the plug-in shows it
    EXPECT_EQ(error.Explained(),
              "Cannot open file " + path + ": another program holds it open for writing");
  }
}
#endif

}  // namespace
}  // namespace qxqy
