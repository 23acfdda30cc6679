// Lets tests hand their own LogQuery to code that calls CreateLogQuery (the
// main window binds its query that way). While an override is alive,
// CreateLogQuery returns what its factory makes; otherwise the backend's
// query. Overrides nest; not thread-safe.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>

#include "base/log_query.h"

namespace qxqy {

using LogQueryFactory = std::function<std::unique_ptr<LogQuery>(uint32_t connection_handle)>;

class ScopedLogQueryOverride {
 public:
  explicit ScopedLogQueryOverride(LogQueryFactory factory);
  ~ScopedLogQueryOverride();
  ScopedLogQueryOverride(const ScopedLogQueryOverride&) = delete;
  ScopedLogQueryOverride& operator=(const ScopedLogQueryOverride&) = delete;

 private:
  LogQueryFactory previous_;
};

}  // namespace qxqy
