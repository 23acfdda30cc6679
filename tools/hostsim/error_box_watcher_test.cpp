#include "tools/hostsim/error_box_watcher.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <cstdio>
#include <memory>
#include <string>

namespace qxqy::hostsim {
namespace {

struct FileCloser {
  void operator()(std::FILE* file) const { std::fclose(file); }
};

std::string Contents(std::FILE* file) {
  std::string text;
  std::rewind(file);
  for (int c; (c = std::fgetc(file)) != EOF;) text += static_cast<char>(c);
  return text;
}

TEST(ErrorBoxWatcherTest, ReportsAndDismissesTheMessageBoxesOfItsProcess) {
  std::unique_ptr<std::FILE, FileCloser> file(std::tmpfile());
  ASSERT_TRUE(file);
  Output output(file.get());
  {
    ErrorBoxWatcher watcher(output);
    EXPECT_EQ(MessageBoxA(nullptr, "Cannot open file C:\\log.db", "Error", MB_OK | MB_ICONERROR),
              IDOK);
    EXPECT_EQ(MessageBoxA(nullptr, "second\nline", "Error", MB_OK), IDOK);
  }
  EXPECT_EQ(Contents(file.get()),
            "error-box: \"Cannot open file C:\\\\log.db\"\n"
            "error-box: \"second\\nline\"\n");
}

}  // namespace
}  // namespace qxqy::hostsim
