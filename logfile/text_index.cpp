#include "logfile/text_index.h"

#include <limits>
#include <stdexcept>

namespace qxqy::logfile {

std::string_view TextIndex::KeyOf(uint32_t entry) const {
  // Add put every key within keys_.
  return std::string_view(keys_.data() + entries_[entry].key_offset, entries_[entry].key_size);
}

const uint32_t* TextIndex::Find(std::string_view key) const {
  if (entries_.empty()) return nullptr;  // no key to hash for
  const HashSlots::Probe probe =
      index_.Find(HashBytes(key), [&](uint32_t entry) { return KeyOf(entry) == key; });
  return probe.found ? &entries_[probe.ref].value : nullptr;
}

void TextIndex::Add(std::string_view key, uint32_t value) {
  const uint32_t hash = HashBytes(key);
  HashSlots::Probe probe = index_.Find(hash, [&](uint32_t entry) { return KeyOf(entry) == key; });
  if (probe.found) return;
  if (keys_.size() + key.size() >= std::numeric_limits<uint32_t>::max()) {
    throw std::length_error("the keys of a text index passed 4 GB");
  }
  if (index_.FullForOneMore()) {
    index_.Grow();
    probe = index_.FindEmpty(hash);
  }
  const auto entry = static_cast<uint32_t>(entries_.size());
  entries_.push_back(
      {static_cast<uint32_t>(keys_.size()), static_cast<uint32_t>(key.size()), value});
  keys_.append(key);
  index_.Fill(probe, hash, entry);
}

}  // namespace qxqy::logfile
