// What must hold for any log a reader was given, whatever its bytes: the
// contacts and findings point at lines of the text, the contacts' fields are
// within their bounds, and scoring them accounts for every contact once.
#pragma once

#include <string_view>

#include "logfile/log_file.h"

namespace qxqy::fuzzing {

// Reads `bytes` as `format`, checks the result and scores it with the
// built-in country rule; aborts through QXQY_FUZZ_CHECK on a broken
// invariant.
void CheckLogReader(std::string_view bytes, logfile::LogFormat format);

}  // namespace qxqy::fuzzing
