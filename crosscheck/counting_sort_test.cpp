// The threaded counting sort against a stable sort of the same items.
#include "crosscheck/counting_sort.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <vector>

namespace qxqy::crosscheck {
namespace {

TEST(CountingSort, GroupsByBucketInItemOrderOnAnyThreads) {
  std::mt19937 random(5);
  for (size_t count : {0, 1, 2, 7, 1000}) {
    for (size_t buckets : {1, 3, 50}) {
      std::vector<uint32_t> bucket(count);
      for (uint32_t& b : bucket) {
        b = random() % 5 == 0 ? kNoBucket : static_cast<uint32_t>(random() % buckets);
      }
      std::vector<uint32_t> expected;
      for (uint32_t i = 0; i < count; ++i) {
        if (bucket[i] != kNoBucket) expected.push_back(i);
      }
      std::stable_sort(expected.begin(), expected.end(),
                       [&](uint32_t a, uint32_t b) { return bucket[a] < bucket[b]; });
      for (unsigned threads : {1U, 2U, 3U, 8U}) {
        std::vector<uint32_t> order;
        const std::vector<uint32_t> start = CountingSort(
            count, buckets, threads, [&](size_t i) { return bucket[i]; },
            [&](size_t kept) { order.assign(kept, kNoBucket); },
            [&](size_t i, uint32_t at) { order[at] = static_cast<uint32_t>(i); });
        const auto where = "count " + std::to_string(count) + ", buckets " +
                           std::to_string(buckets) + ", threads " + std::to_string(threads);
        EXPECT_EQ(order, expected) << where;
        ASSERT_EQ(start.size(), buckets + 1) << where;
        EXPECT_EQ(start.back(), expected.size()) << where;
        for (size_t b = 0; b < buckets; ++b) {
          for (uint32_t k = start[b]; k < start[b + 1]; ++k)
            EXPECT_EQ(bucket[order[k]], b) << where;
        }
      }
    }
  }
}

}  // namespace
}  // namespace qxqy::crosscheck
