#include "tests/faults/allocation_fault.h"

#include <cstdlib>
#include <new>

namespace qxqy::testing {

namespace {

struct HookState {
  bool armed = false;
  bool failed = false;
  size_t count = 0;
  size_t fail_at = 0;
};

HookState hook;

// Counts an allocation; true when this one must fail.
bool CountAllocation() {
  if (!hook.armed) return false;
  ++hook.count;
  if (hook.count != hook.fail_at) return false;
  hook.armed = false;
  hook.failed = true;
  return true;
}

void* Allocate(size_t size) {
  if (CountAllocation()) throw std::bad_alloc();
  // malloc(0) may return null; operator new must not.
  if (void* block = std::malloc(size == 0 ? 1 : size)) return block;
  throw std::bad_alloc();
}

}  // namespace

ScopedAllocationFault::ScopedAllocationFault(size_t fail_at) {
  hook = HookState{/*armed=*/true, /*failed=*/false, /*count=*/0, fail_at};
}

ScopedAllocationFault::~ScopedAllocationFault() { hook.armed = false; }

size_t ScopedAllocationFault::Count() const { return hook.count; }

bool ScopedAllocationFault::Failed() const { return hook.failed; }

}  // namespace qxqy::testing

// The replaceable global allocation functions (every form but the
// over-aligned ones). The nothrow forms turn the failure into null, as the
// library's own do.
void* operator new(std::size_t size) { return qxqy::testing::Allocate(size); }
void* operator new[](std::size_t size) { return qxqy::testing::Allocate(size); }
void* operator new(std::size_t size, const std::nothrow_t&) noexcept {
  try {
    return qxqy::testing::Allocate(size);
  } catch (const std::bad_alloc&) {
    return nullptr;
  }
}
void* operator new[](std::size_t size, const std::nothrow_t& tag) noexcept {
  return operator new(size, tag);
}
void operator delete(void* block) noexcept { std::free(block); }
void operator delete[](void* block) noexcept { std::free(block); }
void operator delete(void* block, std::size_t) noexcept { std::free(block); }
void operator delete[](void* block, std::size_t) noexcept { std::free(block); }
void operator delete(void* block, const std::nothrow_t&) noexcept { std::free(block); }
void operator delete[](void* block, const std::nothrow_t&) noexcept { std::free(block); }
