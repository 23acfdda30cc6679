#include "Plugin/export_barrier.h"

#include <gtest/gtest.h>

#include <functional>
#include <new>
#include <string>
#include <vector>

#include "base/error.h"
#include "ui/testing/framework_fixture.h"

namespace qxqy::testing {
namespace {

using ExportBarrierTest = FrameworkTest;

TEST_F(ExportBarrierTest, AnErrorIsShownAndTheNeutralResultReturned) {
  const struct {
    const char* name;
    std::function<void()> work;
    std::vector<std::string> boxes;
  } cases[] = {
      {"no error", [] {}, {}},
      {"database error",
       [] { throw DatabaseError("no such table: QSOs"); },
       {"no such table: QSOs"}},
      {"failed allocation", [] { throw std::bad_alloc(); }, {"Out of memory"}},
      {"not a std::exception", [] { throw 42; }, {"Unexpected error"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    int result = 7;
    plugin::RunBarrier(
        [&] {
          result = 1;
          c.work();
        },
        [&] { result = 0; });
    EXPECT_EQ(result, c.boxes.empty() ? 1 : 0);
    EXPECT_EQ(ErrorBoxLog(), c.boxes);
    ClearErrorBoxLog();
  }
}

}  // namespace
}  // namespace qxqy::testing
