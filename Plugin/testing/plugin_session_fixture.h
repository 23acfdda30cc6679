// A fixture for tests that drive the plug-in through its entry points over a
// real log: an in-memory SQLite database registered as the host's
// connection, a temporary Plugins folder, and a module with no window at
// the start of every test. The module is released and the database closed
// at the end.
#pragma once

#include <sqlite3.h>

#include <string>

#include "MainForm/main_form.h"
#include "Plugin/entry_points.h"
#include "Plugin/module_state.h"
#include "base/posix/sqlite_connections.h"
#include "tests/support/record_builder.h"
#include "tests/support/temp_dir.h"
#include "ui/testing/framework_fixture.h"

namespace qxqy::testing {

class PluginSessionTest : public FrameworkTest {
 protected:
  PluginSessionTest() {
    EXPECT_EQ(sqlite3_open(":memory:", &db_), SQLITE_OK);
    handle_ = RegisterSqliteConnection(db_);
    plugin::ModuleState& module = plugin::Module();
    module.CurrentRecord = HostRecord{};
    module.main_form.reset();
    module.dom_list.reset();
    plugin::OverridePluginsFolder(plugins_.path().string() + "/");
  }
  ~PluginSessionTest() override {
    plugin::ReleasePlugin();
    App().ProcessMessages();
    UnregisterSqliteConnection(handle_);
    sqlite3_close(db_);
  }

  void Exec(const std::string& sql) {
    char* error = nullptr;
    ASSERT_EQ(sqlite3_exec(db_, sql.c_str(), nullptr, nullptr, &error), SQLITE_OK) << error;
  }
  void CreateLogTable() {
    Exec(
        "CREATE TABLE QSOs (CallSign TEXT, DigiBand TEXT, QSOMode TEXT,"
        " QSOReportRecived TEXT, WPX TEXT)");
  }
  // Inserts one row, binding the values so that any bytes go in unchanged.
  void InsertRow(const std::string& call, const std::string& band, const std::string& mode,
                 const std::string& report, const std::string& wpx) {
    sqlite3_stmt* insert = nullptr;
    ASSERT_EQ(
        sqlite3_prepare_v2(db_, "INSERT INTO QSOs VALUES (?, ?, ?, ?, ?)", -1, &insert, nullptr),
        SQLITE_OK);
    const std::string* values[] = {&call, &band, &mode, &report, &wpx};
    for (int i = 0; i < 5; ++i) {
      sqlite3_bind_text(insert, i + 1, values[i]->data(), static_cast<int>(values[i]->size()),
                        SQLITE_STATIC);
    }
    EXPECT_EQ(sqlite3_step(insert), SQLITE_DONE);
    sqlite3_finalize(insert);
  }

  // The record of the operator's station: every contact scores 3 points
  // and home-country prefixes count.
  RecordBuilder Host() const {
    RecordBuilder builder;
    builder.Connection(handle_).LogTable("QSOs").OwnGroup("QX").QsoGroup("DX").Country("QX");
    return builder;
  }
  static TfmMainForm* MainForm() { return plugin::Module().main_form.get(); }
  static std::string TotalsCell(int col) { return MainForm()->StringGrid1.Cell(col, 7); }

  sqlite3* db_ = nullptr;
  uint32_t handle_ = 0;
  TempDir plugins_;
};

}  // namespace qxqy::testing
