// Large arrays read in random order (every contact line of a contest and
// its indexes) backed by huge pages where the system offers them: a read of
// any line then rarely misses the address cache, which would otherwise cost
// about as much as the read itself.
#pragma once

#include <cstddef>
#include <vector>

namespace qxqy::crosscheck {

// Asks for huge pages for the whole 2 MB pages inside [data, data + bytes),
// before they are first written. Does nothing where not offered.
void AdviseHugePages(const void* data, size_t bytes);

// Writes a byte of every page of [data, data + bytes), on up to `threads`
// threads: the system clears each fresh page when it is first written, and
// for arrays of many megabytes that clearing is worth sharing out. The
// bytes must be memory the caller owns and has not yet given a value.
void TouchPages(void* data, size_t bytes, unsigned threads);

// Reserves room for `count` elements in `v` (which must hold none yet) and
// advises huge pages for it.
template <typename T>
void ReserveWithHugePages(std::vector<T>& v, size_t count) {
  v.reserve(count);
  AdviseHugePages(v.data(), count * sizeof(T));
}

// Gives `v` (which must hold none yet) `count` value-initialised elements
// on huge pages, its pages first touched on up to `threads` threads.
template <typename T>
void ResizeWithHugePages(std::vector<T>& v, size_t count, unsigned threads) {
  ReserveWithHugePages(v, count);
  TouchPages(v.data(), count * sizeof(T), threads);
  v.resize(count);
}

}  // namespace qxqy::crosscheck
