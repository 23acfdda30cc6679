// Memory running out on demand, for the fault tests: this executable
// replaces the global operator new (allocation_fault.cpp), which counts the
// allocations made while armed and throws std::bad_alloc at the chosen one.
//
// While a ScopedAllocationFault is alive, allocations are counted from 1;
// the `fail_at`-th one throws std::bad_alloc, once: from then on nothing is
// counted and nothing fails, so the code under test can report the failure
// and recover as it would after a real shortage that passed. With `fail_at`
// 0 nothing fails and the scope only counts. Scopes do not nest; single
// thread only.
//
// Only operator new is hooked (every form but the over-aligned ones, which
// the project does not use); the matching deletes go to free(), so the
// sanitizers see plain malloc and free and still report leaks.
#pragma once

#include <cstddef>

namespace qxqy::testing {

class ScopedAllocationFault {
 public:
  explicit ScopedAllocationFault(size_t fail_at);
  ~ScopedAllocationFault();
  ScopedAllocationFault(const ScopedAllocationFault&) = delete;
  ScopedAllocationFault& operator=(const ScopedAllocationFault&) = delete;

  // Allocations counted so far (the failed one included).
  size_t Count() const;
  // True once the chosen allocation has failed.
  bool Failed() const;
};

}  // namespace qxqy::testing
