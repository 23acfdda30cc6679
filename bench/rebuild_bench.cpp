// The rebuild from a 100,000-row SQLite log against a bare read of the same
// query: the same rows in the same order, the same five columns as text,
// straight from the SQLite API. The ratio of the two is what the rebuild
// adds on top of what the database costs anyway.
#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <stdexcept>
#include <string>

#include "base/posix/sqlite_connections.h"
#include "bench/contest_log.h"
#include "scoring/contest_session.h"

namespace qxqy::bench {
namespace {

constexpr int kRows = 100000;

// A 100,000-row log in a temporary file, and a plugins folder holding its
// district table, built once per process.
class BenchLog {
 public:
  static BenchLog& Instance() {
    static BenchLog log;
    return log;
  }
  sqlite3* db() const { return db_; }
  uint32_t handle() const { return handle_; }
  // With its trailing separator.
  std::string plugins_folder() const { return plugins_.string() + "/"; }

 private:
  BenchLog() {
    path_ = (std::filesystem::temp_directory_path() / "qxqy-rebuild-bench.db").string();
    std::filesystem::remove(path_);
    if (sqlite3_open(path_.c_str(), &db_) != SQLITE_OK) throw std::runtime_error("open");
    Exec(
        "CREATE TABLE QSOs (QSOId INTEGER PRIMARY KEY, CallSign TEXT, DigiBand TEXT,"
        " QSOMode TEXT, QSOReportRecived TEXT, WPX TEXT, QSODateTime TEXT)");
    Exec("BEGIN");
    sqlite3_stmt* insert = nullptr;
    sqlite3_prepare_v2(db_,
                       "INSERT INTO QSOs (CallSign, DigiBand, QSOMode, QSOReportRecived, WPX,"
                       " QSODateTime) VALUES (?, ?, ?, ?, ?, '2026-03-14 12:00')",
                       -1, &insert, nullptr);
    ContestLogGenerator generator(42);
    for (int i = 0; i < kRows; ++i) {
      const LoggedContact contact = generator.Next();
      sqlite3_bind_text(insert, 1, contact.call.c_str(), -1, SQLITE_TRANSIENT);
      sqlite3_bind_text(insert, 2, contact.band.c_str(), -1, SQLITE_TRANSIENT);
      sqlite3_bind_text(insert, 3, contact.mode.c_str(), -1, SQLITE_TRANSIENT);
      sqlite3_bind_text(insert, 4, contact.exchange.c_str(), -1, SQLITE_TRANSIENT);
      sqlite3_bind_text(insert, 5, contact.wpx.c_str(), -1, SQLITE_TRANSIENT);
      sqlite3_step(insert);
      sqlite3_reset(insert);
    }
    sqlite3_finalize(insert);
    Exec("COMMIT");
    handle_ = RegisterSqliteConnection(db_);

    plugins_ = std::filesystem::temp_directory_path() / "qxqy-rebuild-bench-plugins";
    std::filesystem::create_directories(plugins_);
    std::ofstream table(plugins_ / "qx-qy.dom", std::ios::binary);
    for (const std::string& line : ContestLogGenerator::DistrictTableLines())
      table << line << "\r\n";
  }
  ~BenchLog() {
    UnregisterSqliteConnection(handle_);
    sqlite3_close(db_);
    std::filesystem::remove(path_);
    std::filesystem::remove_all(plugins_);
  }
  void Exec(const char* sql) {
    if (sqlite3_exec(db_, sql, nullptr, nullptr, nullptr) != SQLITE_OK) {
      throw std::runtime_error(sqlite3_errmsg(db_));
    }
  }

  std::string path_;
  std::filesystem::path plugins_;
  sqlite3* db_ = nullptr;
  uint32_t handle_ = 0;
};

void BM_BareRead(benchmark::State& state) {
  sqlite3* db = BenchLog::Instance().db();
  const char* columns[] = {"QSOReportRecived", "CallSign", "DigiBand", "QSOMode", "WPX"};
  for (auto _ : state) {
    sqlite3_stmt* statement = nullptr;
    sqlite3_prepare_v2(db, "Select * from QSOs order by CallSign", -1, &statement, nullptr);
    int index[5];
    for (int c = 0; c < 5; ++c) {
      for (int i = 0; i < sqlite3_column_count(statement); ++i) {
        if (std::string(sqlite3_column_name(statement, i)) == columns[c]) index[c] = i;
      }
    }
    size_t bytes = 0;
    while (sqlite3_step(statement) == SQLITE_ROW) {
      for (int c = 0; c < 5; ++c) {
        const unsigned char* text = sqlite3_column_text(statement, index[c]);
        bytes += text ? std::string(reinterpret_cast<const char*>(text)).size() : 0;
      }
    }
    sqlite3_finalize(statement);
    benchmark::DoNotOptimize(bytes);
  }
  state.SetItemsProcessed(state.iterations() * kRows);
}
BENCHMARK(BM_BareRead)->Unit(benchmark::kMillisecond);

void BM_RebuildFromLog(benchmark::State& state) {
  HostRecord record{};
  record.Connection = BenchLog::Instance().handle();
  WriteShortText(record.LogTable, "QSOs");
  WriteShortText(record.OwnGroup, "QX");
  WriteShortText(record.QsoGroup, "DX");
  WriteShortText(record.Country, "QX");
  ContestSession session(record, BenchLog::Instance().plugins_folder(), /*observer=*/nullptr);
  for (auto _ : state) {
    session.Rebuild();
  }
  state.counters["contacts"] = static_cast<double>(session.Scoring()->qso_list().Count());
  state.SetItemsProcessed(state.iterations() * kRows);
}
BENCHMARK(BM_RebuildFromLog)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace qxqy::bench
