// A reference file that another program holds open for writing: _Run's
// window construction fails with "Cannot open file <full path>", no window
// is left behind and no error box appears (the error leaves the entry
// point). Once the file is free again, the next _Run works.
#include <gtest/gtest.h>

#include <string>

#include "Plugin/testing/plugin_session_fixture.h"
#include "base/error.h"
#include "refdata/reference_files.h"
#include "tests/support/file_write_lock.h"

namespace qxqy::testing {
namespace {

class LockedReferenceFileTest : public PluginSessionTest {};

TEST_F(LockedReferenceFileTest, RunFailsWithTheFullPathAndLeavesNoWindow) {
  plugins_.Write(kDistrictTableFileName, "ALB=ALB\r\n");
  plugins_.Write(kCallDistrictsFileName, "QX1AB=ALB\r\n");
  CreateLogTable();
  for (const char* file : {kDistrictTableFileName, kCallDistrictsFileName}) {
    SCOPED_TRACE(file);
    const std::string path = plugins_.File(file);
    {
      const FileWriteLock lock(path);
      try {
        plugin::Run(0, &Host().Get());
        FAIL() << "expected FileOpenError";
      } catch (const FileOpenError& error) {
        EXPECT_EQ(std::string(error.what()), "Cannot open file " + path);
      }
      EXPECT_EQ(MainForm(), nullptr);
      EXPECT_TRUE(App().Components().empty());
      EXPECT_TRUE(ErrorBoxLog().empty());
      ShortText result{};
      plugin::GrabNumber(&Host().LookupCountry("QX").Call("QX1AB").Get(), &result);
      EXPECT_EQ(ReadShortText(result), "");  // idle: no lists, no lookup
    }
    plugin::Run(0, &Host().Get());
    ASSERT_NE(MainForm(), nullptr);
    EXPECT_EQ(MainForm()->Session().GetDistrictTable()->Count(), 1u);
    plugin::ReleasePlugin();
    App().ProcessMessages();
  }
}

}  // namespace
}  // namespace qxqy::testing
