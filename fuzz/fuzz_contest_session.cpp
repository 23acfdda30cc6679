// Arbitrary bytes decoded into the work of one contest session with no
// window (see session_driver.h): contacts previewed, committed and logged,
// rebuilds from a SQLite log, district suggestions and marks, closes, each
// answer checked against the plain model of the rules in contest_model.h.
//
// The log and the reference folders are made once per process. Each input
// empties the log, picks a reference folder and the record's connection
// (now and then none), and starts a new session, so an input's outcome
// depends on its bytes alone.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstddef>
#include <cstdint>

#include "fuzz/log_database.h"
#include "fuzz/reference_folders.h"
#include "fuzz/session_driver.h"

namespace qxqy::fuzzing {
namespace {

constexpr int kMaxActions = 256;

// The host's table, and two views of it: the same columns named in upper
// case, in another order, beside one more and with the calls ordered by
// bytes; and one without the WPX column, whose rebuild fails at its first
// row. Views cost one insert per row where tables would cost three.
LogDatabase& Log() {
  static LogDatabase log(
      kHostLogLayout,
      {
          {"Upper",
           "CREATE VIEW Upper AS SELECT QSOId AS QSOID, WPX AS WPX,"
           " QSOReportRecived AS QSOREPORTRECIVED, 'extra' AS EXTRA, QSOMode AS QSOMODE,"
           " DigiBand AS DIGIBAND, CallSign COLLATE BINARY AS CALLSIGN FROM QSOs"},
          {"NoWpx",
           "CREATE VIEW NoWpx AS SELECT QSOId, CallSign, DigiBand, QSOMode,"
           " QSOReportRecived FROM QSOs"},
      });
  return log;
}

const ReferenceFolders& Folders() {
  static const ReferenceFolders folders;
  return folders;
}

}  // namespace
}  // namespace qxqy::fuzzing

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace qxqy::fuzzing;
  LogDatabase& log = Log();
  log.Clear();
  FuzzedDataProvider input(data, size);
  const ReferenceFolder& folder =
      Folders()[input.ConsumeIntegralInRange<size_t>(0, Folders().Count() - 1)];
  const uint32_t connection = input.ConsumeIntegralInRange(0, 15) == 0 ? 0 : log.Handle();
  SessionDriver driver(log, folder, connection);
  for (int i = 0; i < kMaxActions && input.remaining_bytes() > 0; ++i) {
    if (!driver.Perform(input.ConsumeEnum<EngineAction>(), input)) break;
  }
  driver.CheckStatistics();
  return 0;
}
