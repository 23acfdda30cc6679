// Arbitrary bytes decoded into what a host and its operator do: entry-point
// calls with contacts from small alphabets (so duplicates, case variants and
// blank-padded bands meet), message dispatch, and clicks on the plug-in's
// windows. HostSession checks after every action that the window remembers
// exactly the model's contacts, previews and totals agree with it, error
// boxes appear only for failed rebuilds, and the window references match
// the windows alive; AddressSanitizer watches the lifetimes.
//
// One application, one log database and one Plugins folder serve every
// input; the environment is reset before and after each input, so that an
// input replayed alone does what it did among others. With
// QXQY_FUZZ_DIGEST set, each run prints "digest <input> <outcome>": a hash
// of the input's bytes and the digest of what the host and the operator
// saw, for scripts/fuzz-smoke.sh to compare.
#include <fuzzer/FuzzedDataProvider.h>

#include <cinttypes>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

#include "fuzz/fuzz_environment.h"
#include "fuzz/host_session.h"
#include "fuzz/log_database.h"

namespace {
constexpr int kMaxActions = 256;
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace qxqy::fuzzing;
  static LogDatabase log(kHostLogLayout);
  static const bool print_digest = std::getenv("QXQY_FUZZ_DIGEST") != nullptr;
  FuzzEnvironment& environment = FuzzEnvironment::Instance();
  environment.Reset();
  FuzzedDataProvider input(data, size);
  uint64_t digest = 0;
  {
    HostSession session(log);
    for (int i = 0; i < kMaxActions && input.remaining_bytes() > 0; ++i) {
      if (!session.Perform(input.ConsumeEnum<HostAction>(), input)) break;
    }
    digest = session.Digest();
  }
  environment.EndInput();
  if (print_digest) {
    uint64_t input_hash = 0xCBF29CE484222325ull;
    for (size_t i = 0; i < size; ++i) input_hash = (input_hash ^ data[i]) * 0x100000001B3ull;
    std::fprintf(stderr, "digest %016" PRIx64 " %016" PRIx64 "\n", input_hash, digest);
  }
  return 0;
}
