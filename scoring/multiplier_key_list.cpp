#include "scoring/multiplier_key_list.h"

#include <algorithm>

#include "base/text.h"

namespace qxqy {

std::string MultiplierKey(std::string_view band, std::string_view code) {
  std::string key;
  key.reserve(band.size() + code.size() + 2);
  key.append(band).append(1, '|').append(code).append(1, '|');
  return key;
}

MultiplierKeyList::MultiplierKeyList(SubstringIndex substring_index)
    : index_substrings_(substring_index == SubstringIndex::kBarEnded) {}

bool MultiplierKeyList::AddIfAbsent(std::string key) {
  Addition addition{CaseInsensitiveKey(key), {}};
  if (folded_keys_.count(addition.folded_key) != 0) return false;
  if (index_substrings_) addition.new_substrings = MissingSubstrings(key);
  // Room for the key first, so that appending it below cannot fail.
  if (keys_.size() == keys_.capacity()) keys_.reserve(std::max<size_t>(8, 2 * keys_.size()));
  try {
    folded_keys_.insert(addition.folded_key);
    for (const std::string& substring : addition.new_substrings) {
      bar_ended_substrings_.insert(substring);
    }
  } catch (...) {
    Forget(addition);  // also the entries not inserted: none was there before
    throw;
  }
  keys_.push_back(std::move(key));
  last_addition_ = std::move(addition);
  return true;
}

void MultiplierKeyList::RemoveLast() noexcept {
  Forget(last_addition_);
  keys_.pop_back();
  last_addition_ = Addition();
}

void MultiplierKeyList::Forget(const Addition& addition) noexcept {
  for (const std::string& substring : addition.new_substrings) {
    bar_ended_substrings_.erase(substring);
  }
  folded_keys_.erase(addition.folded_key);
}

bool MultiplierKeyList::ContainsIgnoringCase(std::string_view key) const {
  return folded_keys_.count(CaseInsensitiveKey(key)) != 0;
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
  folded_keys_.clear();
  bar_ended_substrings_.clear();
  last_addition_ = Addition();
}

}  // namespace qxqy
