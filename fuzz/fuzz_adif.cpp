// Arbitrary bytes as an ADIF log: read, checked and scored (see
// log_reader_checks.h).
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "fuzz/log_reader_checks.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  qxqy::fuzzing::CheckLogReader(std::string_view(reinterpret_cast<const char*>(data), size),
                                qxqy::logfile::LogFormat::kAdif);
  return 0;
}
