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
  if (!folded_keys_.insert(CaseInsensitiveKey(key)).second) return false;
  if (index_substrings_) IndexSubstrings(key);
  keys_.push_back(std::move(key));
  return true;
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

void MultiplierKeyList::IndexSubstrings(std::string_view key) {
  for (size_t end = 1; end <= key.size(); ++end) {
    if (key[end - 1] != '|') continue;
    const size_t longest = std::min(end, kMaxIndexedSubstring);
    for (size_t length = 1; length <= longest; ++length) {
      bar_ended_substrings_.emplace(key.substr(end - length, length));
    }
  }
}

void MultiplierKeyList::Clear() {
  keys_.clear();
  folded_keys_.clear();
  bar_ended_substrings_.clear();
}

}  // namespace qxqy
