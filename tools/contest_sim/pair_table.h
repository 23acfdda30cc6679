// What the simulator knows of each pair of stations that has met: the
// bands and modes it has used (worked, or written in a line) and its latest
// contact, so that no two contacts of a pair are read against each other by
// the contest check's rules.
#pragma once

#include <cstddef>
#include <cstdint>
#include <utility>
#include <vector>

#include "tools/contest_sim/contest_model.h"

namespace qxqy::contest_sim {

// Two contacts of one pair are at least this far apart, so that no line of
// one is within the check's window (plus any clock's residue) of the other.
constexpr int kPairGapMinutes = 15;

// Open addressing over a power-of-two table; a contest has a few million pairs.
class PairTable {
 public:
  PairTable() : entries_(1024) {}

  bool MayWork(uint32_t a, uint32_t b, int band, Mode mode, int minute) {
    const Entry* entry = Find(a, b);
    return entry == nullptr ||
           ((entry->used & Bit(band, mode)) == 0 && minute - entry->last >= kPairGapMinutes);
  }
  bool FarInTime(uint32_t a, uint32_t b, int minute) {
    const Entry* entry = Find(a, b);
    return entry == nullptr || minute - entry->last >= kPairGapMinutes;
  }
  bool Used(uint32_t a, uint32_t b, int band, Mode mode) {
    const Entry* entry = Find(a, b);
    return entry != nullptr && (entry->used & Bit(band, mode)) != 0;
  }
  void Record(uint32_t a, uint32_t b, int band, Mode mode, int minute) {
    Entry& entry = Insert(a, b);
    entry.used |= Bit(band, mode);
    entry.last = minute;
  }
  void MarkUsed(uint32_t a, uint32_t b, int band, Mode mode) {
    Insert(a, b).used |= Bit(band, mode);
  }

 private:
  struct Entry {
    uint64_t key = 0;  // 0: empty
    int32_t last = 0;
    uint32_t used = 0;
  };
  static uint32_t Bit(int band, Mode mode) { return 1u << (band * 2 + static_cast<int>(mode)); }
  static uint64_t Key(uint32_t a, uint32_t b) {
    if (a > b) std::swap(a, b);
    return (static_cast<uint64_t>(a) + 1) << 32 | (static_cast<uint64_t>(b) + 1);
  }
  // Fibonacci hashing: the product's top bits, as many as the table needs.
  size_t Slot(uint64_t key) const {
    return static_cast<size_t>((key * 0x9E3779B97F4A7C15ull) >> shift_);
  }
  Entry* Find(uint32_t a, uint32_t b) {
    const uint64_t key = Key(a, b);
    for (size_t i = Slot(key);; i = (i + 1) & (entries_.size() - 1)) {
      if (entries_[i].key == key) return &entries_[i];
      if (entries_[i].key == 0) return nullptr;
    }
  }
  Entry& Insert(uint32_t a, uint32_t b) {
    if (Entry* entry = Find(a, b)) return *entry;
    if (2 * (size_ + 1) > entries_.size()) Grow();
    const uint64_t key = Key(a, b);
    size_t i = Slot(key);
    while (entries_[i].key != 0) i = (i + 1) & (entries_.size() - 1);
    entries_[i].key = key;
    entries_[i].last = -kPairGapMinutes;
    ++size_;
    return entries_[i];
  }
  void Grow() {
    std::vector<Entry> old(entries_.size() * 2);
    old.swap(entries_);
    --shift_;
    for (const Entry& entry : old) {
      if (entry.key == 0) continue;
      size_t i = Slot(entry.key);
      while (entries_[i].key != 0) i = (i + 1) & (entries_.size() - 1);
      entries_[i] = entry;
    }
  }

  std::vector<Entry> entries_;
  int shift_ = 64 - 10;  // 1024 entries
  size_t size_ = 0;
};

}  // namespace qxqy::contest_sim
