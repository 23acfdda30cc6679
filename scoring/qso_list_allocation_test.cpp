// The worked-contact list when memory runs out. This program replaces the
// global allocator so that a chosen allocation fails; every allocation an
// add makes (the buffer growing, the index growing) is failed in turn, and
// each failure must leave the list exactly as it was.
#include <gtest/gtest.h>

#include <cstdlib>
#include <new>
#include <string>

#include "scoring/qso_list.h"

namespace {

// Allocations still to succeed before one fails; negative: none fails.
long allocations_before_failure = -1;
bool failure_fired = false;

void* Allocate(size_t size) {
  if (allocations_before_failure == 0) {
    allocations_before_failure = -1;
    failure_fired = true;
    throw std::bad_alloc();
  }
  if (allocations_before_failure > 0) --allocations_before_failure;
  void* block = std::malloc(size == 0 ? 1 : size);
  if (block == nullptr) throw std::bad_alloc();
  return block;
}

}  // namespace

void* operator new(size_t size) { return Allocate(size); }
void operator delete(void* block) noexcept { std::free(block); }
void operator delete(void* block, size_t) noexcept { std::free(block); }

namespace qxqy {
namespace {

std::string CallNumber(int i) { return "QX" + std::to_string(i); }

TEST(QsoListAllocationTest, AnAddThatRunsOutOfMemoryLeavesTheListAsItWas) {
  QsoList list;
  int failures = 0;
  for (int i = 0; i < 300; ++i) {
    const std::string call = CallNumber(i);
    // Fail the first allocation of the add, then the second, ... until the
    // add gets through without meeting a failure.
    for (long succeeding = 0;; ++succeeding) {
      failure_fired = false;
      allocations_before_failure = succeeding;
      bool threw = false;
      try {
        list.AddIfAbsent(call, "14", "CW");
      } catch (const std::bad_alloc&) {
        threw = true;
      }
      allocations_before_failure = -1;
      ASSERT_EQ(threw, failure_fired) << call;
      if (!threw) break;
      ++failures;
      ASSERT_EQ(list.Count(), static_cast<size_t>(i)) << call;
      ASSERT_FALSE(list.IsDupe(call, "14", "CW")) << call;
      for (int earlier = 0; earlier < i; ++earlier) {
        ASSERT_TRUE(list.IsDupe(CallNumber(earlier), "14", "CW")) << "after failing " << call;
      }
    }
    ASSERT_TRUE(list.IsDupe(call, "14", "CW"));
  }
  EXPECT_EQ(list.Count(), 300u);
  // The buffer and the index each grew several times on the way.
  EXPECT_GE(failures, 8);
}

TEST(QsoListAllocationTest, AReservedListAddsThatManyContactsWithoutAllocating) {
  QsoList list;
  ASSERT_TRUE(list.AddIfAbsent("QX1EARLY", "14", "CW"));
  constexpr int kContacts = 2000;
  size_t text_bytes = 0;
  for (int i = 0; i < kContacts; ++i) text_bytes += CallNumber(i).size() + 2 + 2;
  list.Reserve(kContacts + 1, text_bytes + 8 + 4);
  for (int i = 0; i < kContacts; ++i) {
    const std::string call = CallNumber(i);  // allocates nothing: a short string
    allocations_before_failure = 0;
    failure_fired = false;
    ASSERT_NO_THROW(list.AddIfAbsent(call, "14", "CW")) << call;
    allocations_before_failure = -1;
    ASSERT_FALSE(failure_fired) << call;
  }
  EXPECT_EQ(list.Count(), static_cast<size_t>(kContacts) + 1);
  EXPECT_TRUE(list.IsDupe("QX1EARLY", "14", "CW"));
  EXPECT_TRUE(list.IsDupe(CallNumber(kContacts - 1), "14", "CW"));
}

// A rebuild clears the list and adds the log's contacts again: the room the
// first pass took serves the second, which allocates nothing.
TEST(QsoListAllocationTest, AClearedListAddsAsManyContactsAgainWithoutAllocating) {
  QsoList list;
  constexpr int kContacts = 500;
  size_t text_bytes = 0;
  for (int i = 0; i < kContacts; ++i) text_bytes += CallNumber(i).size() + 2 + 2;
  list.Reserve(kContacts, text_bytes);
  for (int i = 0; i < kContacts; ++i) ASSERT_TRUE(list.AddIfAbsent(CallNumber(i), "14", "CW"));
  list.Clear();
  EXPECT_EQ(list.Count(), 0u);
  for (int i = 0; i < kContacts; ++i) {
    const std::string call = CallNumber(i);
    allocations_before_failure = 0;
    failure_fired = false;
    ASSERT_NO_THROW(list.AddIfAbsent(call, "14", "CW")) << call;
    allocations_before_failure = -1;
    ASSERT_FALSE(failure_fired) << call;
  }
  EXPECT_EQ(list.Count(), static_cast<size_t>(kContacts));
}

}  // namespace
}  // namespace qxqy
