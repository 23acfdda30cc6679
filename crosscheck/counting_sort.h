// A counting sort on a few threads, for grouping the contest's lines by a
// small key (a log, a call) in one pass over them per step.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "crosscheck/parallel.h"

namespace qxqy::crosscheck {

inline constexpr uint32_t kNoBucket = 0xFFFFFFFF;

// Groups the items 0..count-1 by bucket: `bucket_of(i)` gives item i's
// bucket (below `buckets`), or kNoBucket to leave it out; it is asked twice
// per item and must answer the same. Once the number of kept items is
// known, `ready(kept)` is called (to size the arrays that `place` fills);
// then place(i, at) tells each kept item's position, items in their order
// within a bucket, buckets in theirs. The items are cut into one run per
// thread: `place` is called on several threads at once, never twice for
// one position. Returns where each bucket starts (buckets + 1 entries, the
// last the number kept).
template <typename BucketOf, typename Ready, typename Place>
std::vector<uint32_t> CountingSort(size_t count, size_t buckets, unsigned threads,
                                   BucketOf bucket_of, Ready ready, Place place) {
  const size_t runs = std::max<size_t>(1, std::min<size_t>(threads, count));
  const auto run_start = [&](size_t run) { return count * run / runs; };
  // Each run's count per bucket...
  std::vector<std::vector<uint32_t>> counted(runs, std::vector<uint32_t>(buckets, 0));
  ParallelFor(runs, threads, [&](size_t run) {
    std::vector<uint32_t>& counts = counted[run];
    for (size_t i = run_start(run); i < run_start(run + 1); ++i) {
      const uint32_t bucket = bucket_of(i);
      if (bucket != kNoBucket) ++counts[bucket];
    }
  });
  // ... turned into where each run's items of each bucket go.
  std::vector<uint32_t> start(buckets + 1, 0);
  uint32_t next = 0;
  for (size_t bucket = 0; bucket < buckets; ++bucket) {
    start[bucket] = next;
    for (std::vector<uint32_t>& counts : counted) {
      const uint32_t n = counts[bucket];
      counts[bucket] = next;
      next += n;
    }
  }
  start[buckets] = next;
  ready(static_cast<size_t>(next));
  ParallelFor(runs, threads, [&](size_t run) {
    std::vector<uint32_t>& fill = counted[run];
    for (size_t i = run_start(run); i < run_start(run + 1); ++i) {
      const uint32_t bucket = bucket_of(i);
      if (bucket != kNoBucket) place(i, fill[bucket]++);
    }
  });
  return start;
}

}  // namespace qxqy::crosscheck
