// Multiplier keys and the ordered key lists that hold them (district and
// prefix multipliers).
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <unordered_set>
#include <vector>

#include "base/short_text.h"
#include "scoring/hash_slots.h"

namespace qxqy {

// The key of a multiplier: band + "|" + code + "|", both exactly as given
// (band "14" and code "ABC" give "14|ABC|"), built in place without a heap
// block. Band and code are at most 255 characters each (short texts);
// longer ones throw std::length_error.
class MultiplierKeyText {
 public:
  MultiplierKeyText(std::string_view band, std::string_view code);
  std::string_view view() const { return std::string_view(bytes_, size_); }

 private:
  char bytes_[2 * (kShortTextMaxLength + 1)];
  size_t size_ = 0;
};

// The same key as a string.
std::string MultiplierKey(std::string_view band, std::string_view code);

// Keys in the order of addition, each held once ignoring letter case (under
// the user's locale). Two hash indexes beside the list answer "already
// present?" in O(1): one by the key's exact bytes, which settles the usual
// case (the same key again) in a single search without folding case, and
// one by CaseInsensitiveKey, asked only when the exact search misses.
// Optionally a third index answers "does any key contain S?" in O(1) for the
// texts the multiplier window asks about: S ending in "|" and at most
// kMaxIndexedSubstring characters long; other texts fall back to a linear
// scan. Answers are always those of the linear definitions.
class MultiplierKeyList {
 public:
  enum class SubstringIndex { kNone, kBarEnded };
  static constexpr size_t kMaxIndexedSubstring = 9;

  explicit MultiplierKeyList(SubstringIndex substring_index = SubstringIndex::kNone);

  // Appends `key` unless a key equal to it ignoring letter case is present.
  // Returns true when it was appended. Strong guarantee: if an allocation
  // fails (std::bad_alloc) the list and its indexes are unchanged.
  bool AddIfAbsent(std::string_view key) {
    return AddIfAbsent(key, [] { return true; });
  }
  // The same, for a key that must pass a further test before it is added:
  // `confirm()` is asked only when no key equals `key` byte for byte (the
  // usual case for a key worked before settles in one search), and a false
  // answer adds nothing. A key differing only in case from a listed one is
  // refused whatever `confirm()` answers.
  template <class Confirm>
  bool AddIfAbsent(std::string_view key, Confirm&& confirm) {
    const uint32_t exact_hash = HashBytes(key);
    const HashSlots::Probe exact = FindExact(key, exact_hash);
    if (exact.found || !confirm()) return false;
    return AddIfNoCaseVariant(key, exact_hash, exact);
  }

  // Makes room for `count` keys in all, so that adding up to that many
  // grows neither the list nor its indexes. Never shrinks.
  void Reserve(size_t count);

  // Takes back the key the last AddIfAbsent appended, with its index
  // entries, for a caller whose change of several lists failed at a later
  // step. Only right while that key is still the last one and nothing else
  // was added or cleared since. Never fails.
  void RemoveLast() noexcept;

  // True when a key equals `key` ignoring letter case.
  bool ContainsIgnoringCase(std::string_view key) const;
  // True when a key equals `key` byte for byte: one search, no case folding.
  bool ContainsExactly(std::string_view key) const;

  // True when some key contains `text` as a case-sensitive substring. The
  // empty text is contained in no key.
  bool AnyKeyContains(std::string_view text) const;

  void Clear();
  size_t Count() const { return keys_.size(); }
  bool Empty() const { return keys_.empty(); }
  const std::string& operator[](size_t index) const { return keys_[index]; }
  const std::vector<std::string>& Keys() const { return keys_; }

 private:
  HashSlots::Probe FindExact(std::string_view key, uint32_t hash) const;
  // AddIfAbsent once the exact search missed, ending on `exact`.
  bool AddIfNoCaseVariant(std::string_view key, uint32_t exact_hash, HashSlots::Probe exact);
  HashSlots::Probe FindFolded(std::string_view folded_key, uint32_t hash) const;
  bool AnyKeyContainsLinear(std::string_view text) const;
  // The substrings of `key` the substring index needs and does not hold yet,
  // each once.
  std::vector<std::string> MissingSubstrings(std::string_view key) const;
  void ForgetSubstrings(const std::vector<std::string>& substrings) noexcept;

  std::vector<std::string> keys_;
  HashSlots exact_index_;   // index into keys_ by the key's bytes
  HashSlots folded_index_;  // index into keys_ by CaseInsensitiveKey of the key
  bool index_substrings_;
  // Every substring of every key that ends with "|" and is at most
  // kMaxIndexedSubstring long.
  std::unordered_set<std::string> bar_ended_substrings_;
  // What the last addition put into the indexes, for RemoveLast.
  size_t last_exact_slot_ = 0;
  size_t last_folded_slot_ = 0;
  std::vector<std::string> last_substrings_;
};

}  // namespace qxqy
