// The platform's own log query, implemented once per platform
// (posix/sqlite_log_query.cpp, win32/ado_log_query.cpp).
#pragma once

#include <cstdint>
#include <memory>

#include "base/log_query.h"

namespace qxqy::backend {

// The platform's query over the connection behind `connection_handle`
// (CreateLogQuery calls it unless a test override is in place).
std::unique_ptr<LogQuery> CreateNativeLogQuery(uint32_t connection_handle);

}  // namespace qxqy::backend
