#include "scoring/qso_list.h"

#include <algorithm>
#include <cassert>
#include <utility>

namespace qxqy {

namespace {

bool CallBefore(const TQSO& qso, std::string_view call) {
  return CompareOrdinal(qso.Call, call) < 0;
}
bool CallAfter(std::string_view call, const TQSO& qso) {
  return CompareOrdinal(call, qso.Call) < 0;
}
bool StartBefore(const std::string& start, std::string_view call) {
  return CompareOrdinal(start, call) < 0;
}
bool StartAfter(std::string_view call, const std::string& start) {
  return CompareOrdinal(call, start) < 0;
}

}  // namespace

QsoList::QsoList(size_t chunk_capacity) : chunk_capacity_(std::max<size_t>(chunk_capacity, 2)) {}

QsoList::QsoList(QsoList&& other) noexcept
    : chunk_capacity_(other.chunk_capacity_),
      chunks_(std::move(other.chunks_)),
      chunk_starts_(std::move(other.chunk_starts_)),
      count_(std::exchange(other.count_, 0)) {}

QsoList& QsoList::operator=(QsoList&& other) noexcept {
  if (this != &other) {
    chunk_capacity_ = other.chunk_capacity_;
    chunks_ = std::move(other.chunks_);
    chunk_starts_ = std::move(other.chunk_starts_);
    count_ = std::exchange(other.count_, 0);
    other.chunks_.clear();
    other.chunk_starts_.clear();
  }
  return *this;
}

bool QsoList::IsDupe(std::string_view call, std::string_view band, std::string_view mode) const {
  // A call after the last one cannot be in the list: during a rebuild the
  // rows arrive in call order, so this answers most checks in O(1).
  if (chunks_.empty() || CompareOrdinal(call, LastCall()) > 0) return false;
  // Chunks 1..index start before the call and the next one (if any) starts
  // at or after it, so the first entry with the call, if there is one, is in
  // chunk `index` or opens the next chunk.
  const size_t index =
      std::lower_bound(chunk_starts_.begin(), chunk_starts_.end(), call, StartBefore) -
      chunk_starts_.begin();
  const Chunk& chunk = chunks_[index];
  const size_t first =
      std::lower_bound(chunk.begin(), chunk.end(), call, CallBefore) - chunk.begin();
  const_iterator it = first < chunk.size() ? const_iterator(chunks_.begin() + index, first)
                                           : const_iterator(chunks_.begin() + index + 1, 0);
  // Every entry with the call is examined, across chunk boundaries.
  for (; it != end() && it->Call == call; ++it) {
    if (it->Band == band && it->Mode == mode) return true;
  }
  return false;
}

void QsoList::Add(TQSO qso) {
  // A call that sorts last (the usual case while replaying an ordered log)
  // goes straight to the end without a search.
  if (chunks_.empty() || CompareOrdinal(qso.Call, LastCall()) >= 0) {
    Append(std::move(qso));
  } else {
    InsertInside(std::move(qso));
  }
  ++count_;
}

void QsoList::Append(TQSO qso) {
  if (chunks_.empty() || chunks_.back().size() == chunk_capacity_) {
    // Everything that can fail happens before the list changes.
    ReserveChunkSlot();
    Chunk chunk = NewChunk();
    std::string start = chunks_.empty() ? std::string() : qso.Call;
    chunk.push_back(std::move(qso));
    if (!chunks_.empty()) chunk_starts_.push_back(std::move(start));
    chunks_.push_back(std::move(chunk));
    return;
  }
  chunks_.back().push_back(std::move(qso));  // within the reserved capacity
}

void QsoList::InsertInside(TQSO qso) {
  // The last chunk starting at or before the call holds the upper end of the
  // entries with that call: the next chunk starts with a later call. A call
  // before every entry goes to the front of the first chunk.
  size_t index =
      std::upper_bound(chunk_starts_.begin(), chunk_starts_.end(), qso.Call, StartAfter) -
      chunk_starts_.begin();
  size_t at = std::upper_bound(chunks_[index].begin(), chunks_[index].end(), qso.Call, CallAfter) -
              chunks_[index].begin();
  // Only the first chunk may gain a new front entry; the others start with a
  // call at or before this one, so their recorded start stays right.
  assert(at > 0 || index == 0);
  if (chunks_[index].size() == chunk_capacity_) {
    SplitChunk(index);
    // At the split point the entry goes to the end of the lower half, which
    // leaves the upper half's start as recorded.
    const size_t lower_size = chunks_[index].size();
    if (at > lower_size) {
      ++index;
      at -= lower_size;
    }
  }
  Chunk& chunk = chunks_[index];
  chunk.insert(chunk.begin() + static_cast<std::ptrdiff_t>(at), std::move(qso));
}

void QsoList::SplitChunk(size_t index) {
  ReserveChunkSlot();
  Chunk upper = NewChunk();
  Chunk& lower = chunks_[index];
  const auto middle = lower.begin() + static_cast<std::ptrdiff_t>(lower.size() / 2);
  std::string start = middle->Call;
  // From here on nothing allocates: moves within reserved capacity.
  std::move(middle, lower.end(), std::back_inserter(upper));
  lower.erase(middle, lower.end());
  chunk_starts_.insert(chunk_starts_.begin() + static_cast<std::ptrdiff_t>(index),
                       std::move(start));
  chunks_.insert(chunks_.begin() + static_cast<std::ptrdiff_t>(index) + 1, std::move(upper));
}

void QsoList::ReserveChunkSlot() {
  if (chunks_.size() < chunks_.capacity() && chunk_starts_.size() < chunk_starts_.capacity()) {
    return;
  }
  const size_t wanted = std::max<size_t>(16, 2 * chunks_.size());
  chunks_.reserve(wanted);
  chunk_starts_.reserve(wanted);
}

QsoList::Chunk QsoList::NewChunk() const {
  Chunk chunk;
  chunk.reserve(chunk_capacity_);
  return chunk;
}

bool QsoList::IsSorted() const {
  return std::adjacent_find(begin(), end(), [](const TQSO& a, const TQSO& b) {
           return CompareQsoCalls(a, b) > 0;
         }) == end();
}

void QsoList::Clear() {
  chunks_.clear();
  chunk_starts_.clear();
  count_ = 0;
}

}  // namespace qxqy
