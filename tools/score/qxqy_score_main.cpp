// qxqy-score: plays the host for the plug-in's portable entry points. It
// registers the SQLite log as the host's connection, fills a record from its
// options, runs the plug-in (whose first show rebuilds the statistics from
// the log) and prints what the main window shows.
#include <sqlite3.h>

#include <cstdio>
#include <exception>
#include <iostream>
#include <string>
#include <vector>

#include "framework/application.h"
#include "framework/error_box.h"
#include "framework/posix/sqlite_connections.h"
#include "MainForm/main_form.h"
#include "Plugin/entry_points.h"
#include "Plugin/module_state.h"
#include "tools/score/score_options.h"

namespace qxqy::score {
namespace {

// An open read-only SQLite connection, registered as the host's connection.
// Only this thread uses it, so it is opened without a mutex of its own:
// every step and column read of the replay would otherwise lock and unlock
// one.
class LogDatabase {
 public:
  explicit LogDatabase(const std::string& path) {
    constexpr int kFlags = SQLITE_OPEN_READONLY | SQLITE_OPEN_NOMUTEX;
    if (sqlite3_open_v2(path.c_str(), &db_, kFlags, nullptr) != SQLITE_OK) {
      const std::string reason = db_ ? sqlite3_errmsg(db_) : "out of memory";
      sqlite3_close(db_);
      db_ = nullptr;
      throw std::runtime_error("Cannot open database " + path + ": " + reason);
    }
    handle_ = RegisterSqliteConnection(db_);
  }
  ~LogDatabase() {
    UnregisterSqliteConnection(handle_);
    // close_v2: a statement still open is finalized with the connection.
    sqlite3_close_v2(db_);
  }
  LogDatabase(const LogDatabase&) = delete;
  LogDatabase& operator=(const LogDatabase&) = delete;
  uint32_t handle() const { return handle_; }

 private:
  sqlite3* db_ = nullptr;
  uint32_t handle_ = 0;
};

HostRecord RecordFromOptions(const ScoreOptions& options, uint32_t connection) {
  HostRecord record{};
  record.Connection = connection;
  WriteShortText(record.LogTable, options.table);
  WriteShortText(record.OwnGroup, options.own_group);
  WriteShortText(record.QsoGroup, options.group);
  WriteShortText(record.Country, options.country);
  WriteShortText(record.LogCaption, options.caption);
  return record;
}

void PrintMainWindow(const TfmMainForm& form) {
  const StringGrid& grid = form.StringGrid1;
  for (int row = 0; row < grid.RowCount(); ++row) {
    for (int col = 0; col < grid.ColCount(); ++col) {
      if (col > 0) std::cout << '\t';
      std::cout << grid.Cell(col, row);
    }
    std::cout << '\n';
  }
  std::cout << form.Label1.Caption() << '\n';
}

int Main(const std::vector<std::string>& args) {
  ScoreOptions options;
  try {
    options = ParseScoreOptions(args);
  } catch (const std::invalid_argument& error) {
    std::cerr << "qxqy-score: " << error.what() << '\n';
    return 2;
  }
  if (options.help) {
    std::cout << ScoreUsage();
    return 0;
  }
  if (options.plugins) {
    std::string folder = *options.plugins;
    if (folder.empty() || folder.back() != '/') folder += '/';
    plugin::OverridePluginsFolder(folder);
  }
  SetErrorBoxQuiet(true);

  LogDatabase database(options.db);
  // The plug-in's window (and its query on the database) goes before the
  // database does, on every way out.
  struct ReleaseOnExit {
    ~ReleaseOnExit() {
      plugin::ReleasePlugin();
      Application::Instance().ProcessMessages();
    }
  } release_on_exit;
  const HostRecord record = RecordFromOptions(options, database.handle());
  plugin::Run(0, &record);

  if (!ErrorBoxLog().empty()) {
    std::cerr << "qxqy-score: " << ErrorBoxLog().front() << '\n';
    return 1;
  }
  const TfmMainForm* form = plugin::Module().main_form.get();
  if (!form) {
    std::cerr << "qxqy-score: the plug-in's window did not open\n";
    return 1;
  }
  PrintMainWindow(*form);
  return 0;
}

}  // namespace
}  // namespace qxqy::score

int main(int argc, char** argv) {
  try {
    return qxqy::score::Main(std::vector<std::string>(argv + 1, argv + argc));
  } catch (const std::exception& error) {
    std::cerr << "qxqy-score: " << error.what() << '\n';
    return 1;
  }
}
