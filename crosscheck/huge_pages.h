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

// Reserves room for `count` elements in `v` (which must hold none yet) and
// advises huge pages for it.
template <typename T>
void ReserveWithHugePages(std::vector<T>& v, size_t count) {
  v.reserve(count);
  AdviseHugePages(v.data(), count * sizeof(T));
}

}  // namespace qxqy::crosscheck
