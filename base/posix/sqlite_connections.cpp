#include "base/posix/sqlite_connections.h"

#include <sqlite3.h>

#include <map>
#include <vector>

namespace qxqy {

namespace {

// Enough for the different queries one log is read with; more would only
// hold memory for texts that are not asked for again.
constexpr size_t kMaxKeptStatements = 4;

struct Connection {
  sqlite3* db = nullptr;
  std::vector<sqlite3_stmt*> kept;  // oldest first
};

struct Registry {
  std::map<uint32_t, Connection> connections;
  uint32_t next_handle = 1;
};

Registry& TheRegistry() {
  static Registry registry;
  return registry;
}

Connection* Find(uint32_t handle) {
  auto& connections = TheRegistry().connections;
  const auto it = connections.find(handle);
  return it == connections.end() ? nullptr : &it->second;
}

}  // namespace

uint32_t RegisterSqliteConnection(sqlite3* connection) {
  Registry& registry = TheRegistry();
  uint32_t handle = registry.next_handle++;
  if (handle == 0) handle = registry.next_handle++;  // zero means "no connection"
  Connection& entry = registry.connections[handle];
  entry.db = connection;
  entry.kept.reserve(kMaxKeptStatements);  // keeping a statement never allocates
  return handle;
}

void UnregisterSqliteConnection(uint32_t handle) {
  Connection* connection = Find(handle);
  if (connection == nullptr) return;
  for (sqlite3_stmt* statement : connection->kept) sqlite3_finalize(statement);
  TheRegistry().connections.erase(handle);
}

sqlite3* FindSqliteConnection(uint32_t handle) {
  const Connection* connection = Find(handle);
  return connection == nullptr ? nullptr : connection->db;
}

sqlite3_stmt* TakeKeptStatement(uint32_t handle, std::string_view sql) {
  Connection* connection = Find(handle);
  if (connection == nullptr) return nullptr;
  std::vector<sqlite3_stmt*>& kept = connection->kept;
  for (auto it = kept.begin(); it != kept.end(); ++it) {
    const char* text = sqlite3_sql(*it);
    if (text != nullptr && sql == text) {
      sqlite3_stmt* statement = *it;
      kept.erase(it);
      return statement;
    }
  }
  return nullptr;
}

void KeepStatement(uint32_t handle, sqlite3_stmt* statement) noexcept {
  if (statement == nullptr) return;
  Connection* connection = Find(handle);
  if (connection == nullptr || sqlite3_db_handle(statement) != connection->db) {
    sqlite3_finalize(statement);
    return;
  }
  sqlite3_reset(statement);
  std::vector<sqlite3_stmt*>& kept = connection->kept;
  if (kept.size() == kMaxKeptStatements) {
    sqlite3_finalize(kept.front());
    kept.erase(kept.begin());
  }
  kept.push_back(statement);
}

}  // namespace qxqy
