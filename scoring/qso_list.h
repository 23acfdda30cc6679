// The worked-contact list and the duplicate check.
#pragma once

#include <cstddef>
#include <iterator>
#include <string>
#include <string_view>
#include <vector>

#include "scoring/qso.h"

namespace qxqy {

// The contacts remembered since the last rebuild, always in ascending ordinal
// order of Call; entries with the same call stand in the order they were
// added. Each contact is inserted at its ordinal place, so the duplicate
// check finds it whatever order the contacts arrive in (a log database may
// deliver calls ordered ignoring case). The list owns its entries.
//
// Storage: the sorted sequence is cut into chunks, each a contiguous vector
// of at most `chunk_capacity` entries (room for all of them reserved when
// the chunk is made, so a chunk never reallocates), plus a small contiguous
// array of the first call of every chunk but the first. A lookup
// binary-searches that array, then one chunk; no chunk is ever empty.
//
// Costs with n entries and chunk capacity C: IsDupe O(log n) plus the entries
// that share the call; Add O(log n + C) plus, when a full chunk is split (at
// most once every C/2 adds), O(n / C) to open a slot for the new chunk. A call
// that sorts at or after the last entry (a log replayed in call order) is
// appended in O(1) amortized and fills chunks completely. Memory per entry:
// sizeof(TQSO) divided by how full the chunks are (half to all).
//
// Failure: Add gives the strong guarantee; if an allocation fails
// (std::bad_alloc) the list is unchanged.
class QsoList {
 private:
  using Chunk = std::vector<TQSO>;
  using Chunks = std::vector<Chunk>;

 public:
  // Entries in list order. Valid until the list is next changed.
  class const_iterator {
   public:
    using iterator_category = std::forward_iterator_tag;
    using value_type = TQSO;
    using difference_type = std::ptrdiff_t;
    using pointer = const TQSO*;
    using reference = const TQSO&;

    const_iterator() = default;

    reference operator*() const { return (*chunk_)[index_]; }
    pointer operator->() const { return &(*chunk_)[index_]; }
    const_iterator& operator++() {
      if (++index_ == chunk_->size()) {
        ++chunk_;
        index_ = 0;
      }
      return *this;
    }
    const_iterator operator++(int) {
      const_iterator before = *this;
      ++*this;
      return before;
    }
    friend bool operator==(const const_iterator& a, const const_iterator& b) {
      return a.chunk_ == b.chunk_ && a.index_ == b.index_;
    }
    friend bool operator!=(const const_iterator& a, const const_iterator& b) { return !(a == b); }

   private:
    friend class QsoList;
    // `index` lies inside `*chunk`, or is 0 with `chunk` the end of the chunks.
    const_iterator(Chunks::const_iterator chunk, size_t index) : chunk_(chunk), index_(index) {}

    Chunks::const_iterator chunk_{};
    size_t index_ = 0;
  };

  // Measured on the scoring benchmarks: large enough that the array of chunk
  // starts stays small, small enough that an insert moves few entries.
  static constexpr size_t kDefaultChunkCapacity = 64;

  // `chunk_capacity` below 2 is taken as 2 (a full chunk must split in two).
  explicit QsoList(size_t chunk_capacity = kDefaultChunkCapacity);
  // A moved-from list is empty and usable.
  QsoList(QsoList&& other) noexcept;
  QsoList& operator=(QsoList&& other) noexcept;

  // True when an entry has this call, band and mode (ordinal equality of all
  // three). An empty list holds no duplicate.
  bool IsDupe(std::string_view call, std::string_view band, std::string_view mode) const;

  // Inserts the contact after every entry whose call sorts before or equal
  // to its own.
  void Add(TQSO qso);

  // True when the entries are in ascending ordinal order of Call. Adding
  // keeps them so; this exists so callers that expect a sort can verify it.
  bool IsSorted() const;

  // Removes every entry; the arrays of chunks keep their capacity for a
  // rebuild.
  void Clear();
  size_t Count() const { return count_; }
  bool Empty() const { return count_ == 0; }
  const_iterator begin() const { return const_iterator(chunks_.begin(), 0); }
  const_iterator end() const { return const_iterator(chunks_.end(), 0); }

 private:
  const std::string& LastCall() const { return chunks_.back().back().Call; }
  void Append(TQSO qso);
  void InsertInside(TQSO qso);
  // Moves the upper half of the full chunk `index` into a new chunk after it.
  void SplitChunk(size_t index);
  // Room for one more chunk in both arrays, so that adding one cannot fail
  // halfway.
  void ReserveChunkSlot();
  Chunk NewChunk() const;

  size_t chunk_capacity_;
  Chunks chunks_;
  // chunk_starts_[i] is the first call of chunks_[i + 1].
  std::vector<std::string> chunk_starts_;
  size_t count_ = 0;
};

}  // namespace qxqy
