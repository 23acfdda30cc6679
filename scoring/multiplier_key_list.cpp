#include "scoring/multiplier_key_list.h"

#include <algorithm>
#include <cstring>
#include <stdexcept>

#include "base/small_bytes.h"
#include "base/text.h"

namespace qxqy {

MultiplierKeyText::MultiplierKeyText(std::string_view band, std::string_view code) {
  if (band.size() > kShortTextMaxLength || code.size() > kShortTextMaxLength) {
    throw std::length_error("a multiplier key's band or code is longer than 255 characters");
  }
  for (std::string_view part : {band, code}) {
    if (!part.empty()) std::memcpy(bytes_ + size_, part.data(), part.size());
    size_ += part.size();
    bytes_[size_++] = '|';
  }
}

std::string MultiplierKey(std::string_view band, std::string_view code) {
  return std::string(MultiplierKeyText(band, code).view());
}

MultiplierKeyList::MultiplierKeyList(SubstringIndex substring_index)
    : index_substrings_(substring_index == SubstringIndex::kBarEnded) {}

HashSlots::Probe MultiplierKeyList::FindExact(std::string_view key, uint32_t hash) const {
  return exact_index_.Find(hash, [&](uint32_t index) { return SameSmallBytes(keys_[index], key); });
}

HashSlots::Probe MultiplierKeyList::FindFolded(std::string_view folded_key, uint32_t hash) const {
  // Only a key differing in case (or a 32-bit hash collision) gets here:
  // the stored key is folded again rather than kept folded beside it.
  return folded_index_.Find(
      hash, [&](uint32_t index) { return CaseInsensitiveKey(keys_[index]) == folded_key; });
}

void MultiplierKeyList::Reserve(size_t count) {
  keys_.reserve(count);
  exact_index_.Reserve(count);
  folded_index_.Reserve(count);
}

bool MultiplierKeyList::AddIfNoCaseVariant(std::string_view key, uint32_t exact_hash,
                                           HashSlots::Probe exact) {
  const std::string folded_key = CaseInsensitiveKey(key);
  const uint32_t folded_hash = HashBytes(folded_key);
  HashSlots::Probe folded = FindFolded(folded_key, folded_hash);
  if (folded.found) return false;

  // Room in the list and both indexes first: a failure there leaves them
  // as they were.
  if (keys_.size() >= HashSlots::kEmpty) throw std::length_error("too many multiplier keys");
  std::string stored(key);
  if (keys_.size() == keys_.capacity()) keys_.reserve(std::max<size_t>(16, 2 * keys_.size()));
  if (exact_index_.FullForOneMore()) {
    exact_index_.Grow();
    exact = exact_index_.FindEmpty(exact_hash);
  }
  if (folded_index_.FullForOneMore()) {
    folded_index_.Grow();
    folded = folded_index_.FindEmpty(folded_hash);
  }
  std::vector<std::string> new_substrings;
  if (index_substrings_) {
    new_substrings = MissingSubstrings(key);
    try {
      for (const std::string& substring : new_substrings) bar_ended_substrings_.insert(substring);
    } catch (...) {
      ForgetSubstrings(new_substrings);  // none of them was there before
      throw;
    }
  }
  const auto index = static_cast<uint32_t>(keys_.size());
  keys_.push_back(std::move(stored));  // within the reserved room
  exact_index_.Fill(exact, exact_hash, index);
  folded_index_.Fill(folded, folded_hash, index);
  last_exact_slot_ = exact.slot;
  last_folded_slot_ = folded.slot;
  last_substrings_ = std::move(new_substrings);
  return true;
}

void MultiplierKeyList::RemoveLast() noexcept {
  ForgetSubstrings(last_substrings_);
  last_substrings_.clear();
  exact_index_.EmptyLastFilled(last_exact_slot_);
  folded_index_.EmptyLastFilled(last_folded_slot_);
  keys_.pop_back();
}

void MultiplierKeyList::ForgetSubstrings(const std::vector<std::string>& substrings) noexcept {
  for (const std::string& substring : substrings) bar_ended_substrings_.erase(substring);
}

bool MultiplierKeyList::ContainsExactly(std::string_view key) const {
  return FindExact(key, HashBytes(key)).found;
}

bool MultiplierKeyList::ContainsIgnoringCase(std::string_view key) const {
  if (ContainsExactly(key)) return true;
  const std::string folded_key = CaseInsensitiveKey(key);
  return FindFolded(folded_key, HashBytes(folded_key)).found;
}

bool MultiplierKeyList::AnyKeyContains(std::string_view text) const {
  if (text.empty()) return false;
  if (index_substrings_ && text.back() == '|' && text.size() <= kMaxIndexedSubstring) {
    return bar_ended_substrings_.count(std::string(text)) != 0;
  }
  return AnyKeyContainsLinear(text);
}

bool MultiplierKeyList::AnyKeyContainsLinear(std::string_view text) const {
  return std::any_of(keys_.begin(), keys_.end(), [text](const std::string& key) {
    return key.find(text) != std::string::npos;
  });
}

std::vector<std::string> MultiplierKeyList::MissingSubstrings(std::string_view key) const {
  std::vector<std::string> missing;
  for (size_t end = 1; end <= key.size(); ++end) {
    if (key[end - 1] != '|') continue;
    const size_t longest = std::min(end, kMaxIndexedSubstring);
    for (size_t length = 1; length <= longest; ++length) {
      std::string substring(key.substr(end - length, length));
      if (bar_ended_substrings_.count(substring) != 0 ||
          std::find(missing.begin(), missing.end(), substring) != missing.end()) {
        continue;
      }
      missing.push_back(std::move(substring));
    }
  }
  return missing;
}

void MultiplierKeyList::Clear() {
  keys_.clear();
  exact_index_.Clear();
  folded_index_.Clear();
  bar_ended_substrings_.clear();
  last_substrings_.clear();
}

}  // namespace qxqy
