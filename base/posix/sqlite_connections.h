// Native connection handles for LogQuery. A SQLite connection pointer does
// not fit the host record's 32-bit connection field, so the embedding
// program (a test, the command-line scorer) registers its open connection
// and puts the returned handle into the record. The registry never opens or
// closes a connection.
//
// The registry also keeps, per handle, a few statements that queries have
// finished with, so that a query opened again with the same text (a log
// rebuilt again and again, as the tests and the fuzzers do) is not prepared
// again. Unregistering finalizes them: unregister a handle before closing
// its connection, or the close fails with the statements still open.
#pragma once

#include <cstdint>
#include <string_view>

struct sqlite3;
struct sqlite3_stmt;

namespace qxqy {

// Registers `connection` (not owned; it must stay open while registered and
// while queries made from the handle are in use) and returns its non-zero
// handle.
uint32_t RegisterSqliteConnection(sqlite3* connection);
// Forgets a handle and finalizes the statements kept for it; unknown
// handles are ignored. Queries made from it fail at their next Open().
void UnregisterSqliteConnection(uint32_t handle);
// The connection behind `handle`, or null.
sqlite3* FindSqliteConnection(uint32_t handle);

// A statement kept for `handle` whose text is exactly `sql`, reset and now
// the caller's; null when none is kept.
sqlite3_stmt* TakeKeptStatement(uint32_t handle, std::string_view sql);
// Resets `statement`, prepared on the connection behind `handle`, and keeps
// it for a later query with the same text; finalizes it when the handle is
// not registered. The kept statements of a handle are few: the one kept
// longest is finalized first.
void KeepStatement(uint32_t handle, sqlite3_stmt* statement) noexcept;

}  // namespace qxqy
