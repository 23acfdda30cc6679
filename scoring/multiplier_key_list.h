// Multiplier keys and the ordered key lists that hold them (district and
// prefix multipliers).
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <unordered_set>
#include <vector>

namespace qxqy {

// The key of a multiplier: band + "|" + code + "|", both exactly as given
// (band "14" and code "ABC" give "14|ABC|").
std::string MultiplierKey(std::string_view band, std::string_view code);

// Keys in the order of addition, each held once ignoring letter case (under
// the user's locale). A hash index beside the list makes "already present?"
// O(1). Optionally a second index answers "does any key contain S?" in O(1)
// for the texts the multiplier window asks about: S ending in "|" and at most
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
  bool AddIfAbsent(std::string key);

  // Takes back the key the last AddIfAbsent appended, with its index
  // entries, for a caller whose change of several lists failed at a later
  // step. Only right while that key is still the last one and nothing else
  // was added or cleared since. Never throws: it needs no allocation.
  void RemoveLast() noexcept;

  // True when a key equals `key` ignoring letter case.
  bool ContainsIgnoringCase(std::string_view key) const;

  // True when some key contains `text` as a case-sensitive substring. The
  // empty text is contained in no key.
  bool AnyKeyContains(std::string_view text) const;

  void Clear();
  size_t Count() const { return keys_.size(); }
  bool Empty() const { return keys_.empty(); }
  const std::string& operator[](size_t index) const { return keys_[index]; }
  const std::vector<std::string>& Keys() const { return keys_; }

 private:
  // What one addition put into the indexes, to take it back.
  struct Addition {
    std::string folded_key;
    std::vector<std::string> new_substrings;
  };

  bool AnyKeyContainsLinear(std::string_view text) const;
  // The substrings of `key` the substring index needs and does not hold yet,
  // each once.
  std::vector<std::string> MissingSubstrings(std::string_view key) const;
  void Forget(const Addition& addition) noexcept;

  std::vector<std::string> keys_;
  std::unordered_set<std::string> folded_keys_;  // CaseInsensitiveKey of each key
  bool index_substrings_;
  // Every substring of every key that ends with "|" and is at most
  // kMaxIndexedSubstring long.
  std::unordered_set<std::string> bar_ended_substrings_;
  Addition last_addition_;
};

}  // namespace qxqy
