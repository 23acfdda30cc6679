#include "tools/hostsim/error_box_watcher.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <cstdio>
#include <memory>
#include <string>

#include "tools/hostsim/host_window.h"

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
            "error-box: while shown: owner none; no other window\n"
            "error-box: \"second\\nline\"\n"
            "error-box: while shown: owner none; no other window\n");
}

// The host's window and a window of the plug-in's, as the box's owner
// disables the one and not the other; after the box, both enabled again and
// the owner active. Nothing is reported after an action that showed no box.
TEST(ErrorBoxWatcherTest, ReportsTheWindowsStatesWhileShownAndAfter) {
  std::unique_ptr<std::FILE, FileCloser> file(std::tmpfile());
  ASSERT_TRUE(file);
  Output output(file.get());
  const HostWindow host;
  const HWND plugin_window =
      CreateWindowExA(0, "STATIC", "Plug-in", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 400, 400, 200, 100,
                      nullptr, nullptr, nullptr, nullptr);
  ASSERT_NE(plugin_window, nullptr);
  {
    ErrorBoxWatcher watcher(output);
    watcher.ReportAfterBoxes();
    SetActiveWindow(host.Handle());
    EXPECT_EQ(MessageBoxA(host.Handle(), "failed", "Error", MB_OK | MB_ICONERROR), IDOK);
    watcher.ReportAfterBoxes();
    watcher.ReportAfterBoxes();
  }
  DestroyWindow(plugin_window);
  EXPECT_EQ(Contents(file.get()),
            "error-box: \"failed\"\n"
            "error-box: while shown: owner host; host disabled, \"Plug-in\" enabled\n"
            "error-box: after: host enabled, \"Plug-in\" enabled; active host\n");
}

}  // namespace
}  // namespace qxqy::hostsim
