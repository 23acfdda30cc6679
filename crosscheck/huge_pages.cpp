#include "crosscheck/huge_pages.h"

#include <sys/mman.h>

#include <algorithm>
#include <cstdint>

#include "crosscheck/parallel.h"

namespace qxqy::crosscheck {

void AdviseHugePages(const void* data, size_t bytes) {
#ifdef MADV_HUGEPAGE
  constexpr uintptr_t kHugePage = uintptr_t{2} << 20;
  const auto start = reinterpret_cast<uintptr_t>(data);
  const uintptr_t first = (start + kHugePage - 1) & ~(kHugePage - 1);
  const uintptr_t last = (start + bytes) & ~(kHugePage - 1);
  if (last <= first) return;
  // Advice only: the arrays work the same without it.
  (void)madvise(reinterpret_cast<void*>(first), last - first, MADV_HUGEPAGE);
#else
  (void)data;
  (void)bytes;
#endif
}

void TouchPages(void* data, size_t bytes, unsigned threads) {
  constexpr size_t kPage = 4096;
  constexpr size_t kChunk = size_t{2} << 20;
  auto* bytes_at = static_cast<volatile unsigned char*>(data);
  ParallelFor((bytes + kChunk - 1) / kChunk, threads, [&](size_t chunk) {
    const size_t end = std::min(bytes, (chunk + 1) * kChunk);
    for (size_t at = chunk * kChunk; at < end; at += kPage) bytes_at[at] = 0;
  });
}

}  // namespace qxqy::crosscheck
