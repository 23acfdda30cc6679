// Process paths and file access on Windows.
#include <gtest/gtest.h>

#include <string>

#include "base/env.h"
#include "base/error.h"
#include "tests/support/file_write_lock.h"
#include "tests/support/temp_dir.h"

namespace qxqy::env {
namespace {

TEST(EnvWin32, HostPathsComeFromTheRunningProgram) {
  const std::string path = HostExecutablePath();
  const std::string folder = HostExecutableFolder();
  ASSERT_FALSE(folder.empty());
  EXPECT_EQ(folder.back(), '\\');
  EXPECT_EQ(path.rfind(folder, 0), 0u) << path;
  EXPECT_EQ(HostExecutableName(), "base_tests");
  EXPECT_EQ(folder + HostExecutableName() + ".exe", path);
  EXPECT_EQ(PathSeparator(), '\\');
}

TEST(EnvWin32, FileExistsOnlyForFiles) {
  qxqy::testing::TempDir dir;
  const std::string file = dir.Write("Plugins\\qx-qy.dom", "ABC=Alpha\r\n");
  struct Case {
    std::string path;
    bool exists;
  };
  const Case cases[] = {
      {file, true},
      {dir.File("Plugins"), false},
      {dir.File("Plugins\\missing.txt"), false},
      {"", false},
  };
  for (const Case& c : cases) EXPECT_EQ(FileExists(c.path), c.exists) << "'" << c.path << "'";
}

TEST(EnvWin32, ReadsTheWholeFileAsBytes) {
  qxqy::testing::TempDir dir;
  std::string bytes = "ABC=Alpha\r\nDEF=\xC4\xE5\xF2\r\n";
  bytes.push_back('\0');
  bytes += std::string(70000, 'x');  // longer than one read
  const std::string file = dir.Write("qx-qy.dom", bytes);
  EXPECT_EQ(ReadFileDenyWrite(file), bytes);
}

TEST(EnvWin32, FileOpenForWritingElsewhereCannotBeRead) {
  qxqy::testing::TempDir dir;
  const std::string file = dir.Write("qx-qy.txt", "QX1AA=ABC\r\n");
  qxqy::testing::FileWriteLock writer(file);
  try {
    ReadFileDenyWrite(file);
    ADD_FAILURE() << "read a file that another program writes";
  } catch (const FileOpenError& error) {
    EXPECT_EQ(std::string(error.what()), "Cannot open file " + file);
  }
  EXPECT_THROW(ReadFileDenyWrite(dir.File("missing")), FileOpenError);
}

}  // namespace
}  // namespace qxqy::env
