#include "base/log_query_override.h"

#include "base/native_log_query.h"

namespace qxqy {

namespace {
LogQueryFactory& CurrentOverride() {
  static LogQueryFactory factory;
  return factory;
}
}  // namespace

ScopedLogQueryOverride::ScopedLogQueryOverride(LogQueryFactory factory)
    : previous_(std::move(CurrentOverride())) {
  CurrentOverride() = std::move(factory);
}

ScopedLogQueryOverride::~ScopedLogQueryOverride() { CurrentOverride() = std::move(previous_); }

std::unique_ptr<LogQuery> CreateLogQuery(uint32_t connection_handle) {
  if (CurrentOverride()) return CurrentOverride()(connection_handle);
  return backend::CreateNativeLogQuery(connection_handle);
}

}  // namespace qxqy
