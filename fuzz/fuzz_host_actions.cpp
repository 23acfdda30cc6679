// Arbitrary bytes decoded into what a host and its operator do: entry-point
// calls with contacts from small alphabets (so duplicates, case variants and
// blank-padded bands meet), message dispatch, and clicks on the plug-in's
// windows. HostSession checks after every action that the window remembers
// exactly the model's contacts, previews and totals agree with it, error
// boxes appear only for failed rebuilds, and the window references match
// the windows alive; AddressSanitizer watches the lifetimes.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstddef>
#include <cstdint>

#include "fuzz/fuzz_environment.h"
#include "fuzz/host_session.h"

namespace {
constexpr int kMaxActions = 400;
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace qxqy::fuzzing;
  FuzzEnvironment& environment = FuzzEnvironment::Instance();
  FuzzedDataProvider input(data, size);
  {
    HostSession session;
    for (int i = 0; i < kMaxActions && input.remaining_bytes() > 0; ++i) {
      session.Perform(input.ConsumeEnum<HostAction>(), input);
    }
  }
  environment.EndInput();
  return 0;
}
