// An open-addressing hash index over entries kept elsewhere: each slot holds
// an entry's 32-bit hash and a 32-bit reference to it (an offset or an index
// chosen by the owner). The owner decides what equal means; the stored hash
// is compared first, so an entry's bytes are read only when the whole hash
// matches, and growing the table never reads the entries.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string_view>
#include <vector>

namespace qxqy {

namespace hash_bytes_detail {

inline uint64_t Load64(const char* at) {
  uint64_t word;
  std::memcpy(&word, at, sizeof word);
  return word;
}
inline uint64_t Load32(const char* at) {
  uint32_t word;
  std::memcpy(&word, at, sizeof word);
  return word;
}
// The last 1 to 7 bytes as one word, by loads that may overlap (no byte
// loop, no library call); every byte lands in the word.
inline uint64_t LoadTail(const char* at, size_t count) {
  if (count >= 4) return Load32(at) | Load32(at + count - 4) << 32;
  const auto byte = [at](size_t i) { return uint64_t{static_cast<unsigned char>(at[i])}; };
  return byte(0) | byte(count / 2) << 8 | byte(count - 1) << 16;
}

}  // namespace hash_bytes_detail

// The hash the indexes use: 32 bits (the index's slot count never needs
// more), every bit depending on every byte. Inline and word-at-a-time,
// because the keys hashed per contact are short.
inline uint32_t HashBytes(std::string_view bytes) {
  using hash_bytes_detail::Load64;
  using hash_bytes_detail::LoadTail;
  constexpr uint64_t kMultiplier = 0x9E3779B97F4A7C15ull;
  const auto mix = [](uint64_t hash, uint64_t word) {
    hash = (hash ^ word) * kMultiplier;
    return hash ^ (hash >> 29);
  };
  const char* next = bytes.data();
  size_t left = bytes.size();
  uint64_t hash = left * kMultiplier;  // the length tells tails apart
  for (; left >= 8; next += 8, left -= 8) hash = mix(hash, Load64(next));
  if (left > 0) hash = mix(hash, LoadTail(next, left));
  // The finalizer of MurmurHash3: every input bit reaches every output bit.
  hash ^= hash >> 33;
  hash *= 0xFF51AFD7ED558CCDull;
  hash ^= hash >> 33;
  hash *= 0xC4CEB9FE1A85EC53ull;
  hash ^= hash >> 33;
  return static_cast<uint32_t>(hash);
}

class HashSlots {
 public:
  // Where a search ended: on the matching entry (`found`, `ref` is its
  // reference) or on the empty slot where an entry with that hash goes.
  struct Probe {
    bool found = false;
    uint32_t ref = 0;
    size_t slot = 0;
  };

  // Linear probing from the hash's home slot; `equals(ref)` is asked only
  // for entries whose stored hash is `hash`. An empty index finds nothing.
  template <class Equals>
  Probe Find(uint32_t hash, Equals&& equals) const {
    if (slots_.empty()) return Probe{};
    const size_t mask = slots_.size() - 1;
    for (size_t i = hash & mask;; i = (i + 1) & mask) {
      const Slot& slot = slots_[i];
      if (slot.ref == kEmpty) return Probe{false, 0, i};
      if (slot.hash == hash && equals(slot.ref)) return Probe{true, slot.ref, i};
    }
  }

  // True when one more entry would pass the load limit (3/4 of the slots),
  // so Grow() must come before the next Fill().
  bool FullForOneMore() const { return (count_ + 1) * 4 > slots_.size() * 3; }

  // Doubles the slots (at least 16) and places every entry again. Strong
  // guarantee: on std::bad_alloc the index is unchanged. Probes made before
  // it no longer apply.
  void Grow();

  // Makes room for `count` entries in all, so that filling up to that many
  // needs no Grow(): for an owner that knows how many are coming. Never
  // shrinks. Same guarantee and effect on probes as Grow().
  void Reserve(size_t count);

  // Puts an entry into the empty slot of `probe`, which came from Find() with
  // the same hash after the last Grow(). `ref` must not be the reserved
  // value 0xFFFFFFFF. Never fails.
  void Fill(const Probe& probe, uint32_t hash, uint32_t ref) {
    slots_[probe.slot] = Slot{hash, ref};
    ++count_;
  }

  // The empty slot for a new entry with `hash` (no entry is compared).
  Probe FindEmpty(uint32_t hash) const {
    return Find(hash, [](uint32_t) { return false; });
  }

  // Asks the memory for the slot where a search for `hash` starts, so that
  // the search finds it in the cache if other work comes first. Changes
  // nothing.
  void Prefetch(uint32_t hash) const {
    if (!slots_.empty()) __builtin_prefetch(&slots_[hash & (slots_.size() - 1)]);
  }

  // Empties the slot of the entry filled last, for a caller taking that
  // addition back. Only right while no Fill() or Grow() came after it: then
  // no other entry's probe sequence passes through the slot. Never fails.
  void EmptyLastFilled(size_t slot) noexcept {
    slots_[slot].ref = kEmpty;
    --count_;
  }

  // Forgets every entry and keeps the slots for the next fill.
  void Clear();

  size_t Count() const { return count_; }
  // The reference value no entry may use.
  static constexpr uint32_t kEmpty = 0xFFFFFFFFu;

 private:
  struct Slot {
    uint32_t hash;
    uint32_t ref;  // kEmpty for an empty slot
  };

  // Places every entry again in `size` slots (a power of two that holds
  // them under the load limit).
  void Rehash(size_t size);

  std::vector<Slot> slots_;  // empty, or a power of two of them
  size_t count_ = 0;
};

}  // namespace qxqy
