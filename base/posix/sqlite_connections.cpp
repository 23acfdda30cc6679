#include "base/posix/sqlite_connections.h"

#include <map>

namespace qxqy {

namespace {

struct Registry {
  std::map<uint32_t, sqlite3*> connections;
  uint32_t next_handle = 1;
};

Registry& TheRegistry() {
  static Registry registry;
  return registry;
}

}  // namespace

uint32_t RegisterSqliteConnection(sqlite3* connection) {
  Registry& registry = TheRegistry();
  uint32_t handle = registry.next_handle++;
  if (handle == 0) handle = registry.next_handle++;  // zero means "no connection"
  registry.connections[handle] = connection;
  return handle;
}

void UnregisterSqliteConnection(uint32_t handle) { TheRegistry().connections.erase(handle); }

sqlite3* FindSqliteConnection(uint32_t handle) {
  const auto& connections = TheRegistry().connections;
  const auto it = connections.find(handle);
  return it == connections.end() ? nullptr : it->second;
}

}  // namespace qxqy
