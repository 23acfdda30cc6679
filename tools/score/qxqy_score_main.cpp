// qxqy-score: replays a SQLite log through a contest session, with no window.
// It registers the log as the host's connection, fills a record from its
// options, rebuilds the session from the log and prints the statistics grid
// and score line as the main window shows them after its first show. With
// --log it checks a Cabrillo or ADIF log file instead (log_check_command.h).
#include <sqlite3.h>

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <exception>
#include <iostream>
#include <optional>
#include <string>
#include <vector>

#include "base/posix/sqlite_connections.h"
#include "logfile/report_writers.h"
#include "refdata/reference_files.h"
#include "scoring/contest_session.h"
#include "tools/score/log_check_command.h"
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
  WriteShortText(record.OwnGroup, options.own_group.value_or(""));
  WriteShortText(record.QsoGroup, options.group.value_or(""));
  WriteShortText(record.Country, options.country);
  WriteShortText(record.LogCaption, options.caption);
  return record;
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
  std::string plugins_folder = DefaultPluginsFolder();
  if (options.plugins) {
    plugins_folder = *options.plugins;
    if (plugins_folder.empty() || plugins_folder.back() != '/') plugins_folder += '/';
  }
  if (!options.log.empty()) return RunLogCheck(options, plugins_folder, std::cout, std::cerr);

  LogDatabase database(options.db);
  HostRecord record = RecordFromOptions(options, database.handle());
  // The session (and its query on the database) goes before the database
  // does, on every way out.
  ContestSession session(record, plugins_folder, /*observer=*/nullptr);
  session.Rebuild();
  const StatisticsTable statistics = *session.Statistics();
  if (options.format == "csv") {
    logfile::WriteGridCsv(std::cout, statistics);
  } else {
    logfile::WriteGridText(std::cout, statistics);
  }
  return 0;
}

// `status`, or 2 when standard output could not be written whole (a full
// disk, a closed pipe): output lost is a failure, never a success.
int CheckedOutput(int status) {
  errno = 0;
  // The stream goes through the C library's stdout, whose error flag keeps
  // a failure of an earlier write.
  const bool flushed = static_cast<bool>(std::cout.flush());
  if (std::fflush(stdout) == 0 && flushed && std::ferror(stdout) == 0) return status;
  const int error = errno;
  std::cerr << "qxqy-score: cannot write standard output"
            << (error != 0 ? std::string(": ") + std::strerror(error) : std::string()) << '\n';
  return 2;
}

}  // namespace
}  // namespace qxqy::score

int main(int argc, char** argv) {
  // A closed pipe is a write error to report (CheckedOutput), not a signal
  // that ends the program without a word.
  static_cast<void>(std::signal(SIGPIPE, SIG_IGN));
  int status = 1;
  try {
    status = qxqy::score::Main(std::vector<std::string>(argv + 1, argv + argc));
  } catch (const std::exception& error) {
    std::cerr << "qxqy-score: " << error.what() << '\n';
  }
  return qxqy::score::CheckedOutput(status);
}
