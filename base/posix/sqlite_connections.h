// Native connection handles for LogQuery. A SQLite connection pointer does
// not fit the host record's 32-bit connection field, so the embedding
// program (a test, the command-line scorer) registers its open connection
// and puts the returned handle into the record. The registry never opens,
// closes or frees a connection.
#pragma once

#include <cstdint>

struct sqlite3;

namespace qxqy {

// Registers `connection` (not owned; it must stay open while registered and
// while queries made from the handle are in use) and returns its non-zero
// handle.
uint32_t RegisterSqliteConnection(sqlite3* connection);
// Forgets a handle; unknown handles are ignored. Queries made from it fail
// at their next Open().
void UnregisterSqliteConnection(uint32_t handle);
// The connection behind `handle`, or null.
sqlite3* FindSqliteConnection(uint32_t handle);

}  // namespace qxqy
