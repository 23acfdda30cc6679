// A map from short texts to numbers, searched by string_view without
// building a std::string: the keys lie one after another in one buffer and
// a HashSlots index holds each key's offset beside its hash. The country
// file looks up several prefixes of every call, so a search must cost a
// hash and, on a match, one comparison, and no allocation.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "scoring/hash_slots.h"

namespace qxqy::logfile {

class TextIndex {
 public:
  // Adds `key` with `value` unless the key is there already (the first
  // value stays). Throws std::length_error when the keys would pass 4 GB.
  void Add(std::string_view key, uint32_t value);

  // The value of `key`, or nullptr when it was never added.
  const uint32_t* Find(std::string_view key) const;

  size_t Count() const { return entries_.size(); }

 private:
  struct Entry {
    uint32_t key_offset;  // where the key starts in keys_
    uint32_t key_size;
    uint32_t value;
  };
  std::string_view KeyOf(uint32_t entry) const;

  std::string keys_;
  std::vector<Entry> entries_;
  HashSlots index_;
};

}  // namespace qxqy::logfile
