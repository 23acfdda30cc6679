// The worked-contact list: the contacts remembered since the last rebuild,
// and the duplicate check.
#pragma once

#include <cstddef>
#include <string_view>
#include <vector>

#include "scoring/hash_slots.h"

namespace qxqy {

// A set of contacts, each a call, band label and mode exactly as the host
// gave them (not trimmed, case kept). Two contacts are the same when all
// three texts are equal byte for byte. Nothing reads the contacts back, so
// they are kept in no particular order.
//
// Storage: every contact is one record in a single character buffer, each
// text preceded by its length byte, and a hash index (HashSlots) holds each
// record's offset beside its hash. A check or an add hashes the contact's
// record once and compares bytes only with records of the same 32-bit hash.
// Memory per contact: its characters plus 3 length bytes, the buffer's
// spare room (under half of it), and 8 bytes for each of 4/3 to 8/3 slots.
//
// Each text is at most kMaxTextLength characters (a short text's limit):
// adding a longer one throws std::length_error and changes nothing, and no
// such contact is a duplicate.
class QsoList {
 public:
  static constexpr size_t kMaxTextLength = 255;

  QsoList() = default;
  QsoList(const QsoList&) = delete;
  QsoList& operator=(const QsoList&) = delete;

  // True when this call, band and mode were added. An empty list holds no
  // duplicate.
  bool IsDupe(std::string_view call, std::string_view band, std::string_view mode) const;

  // Remembers the contact unless it is there already; true when it was
  // added. One search serves both. Strong guarantee: on std::bad_alloc the
  // list is unchanged.
  bool AddIfAbsent(std::string_view call, std::string_view band, std::string_view mode);

  // Takes back the contact the last successful AddIfAbsent added, for a
  // caller whose change of several lists failed at a later step. Only right
  // while nothing else was added or cleared since. Never fails.
  void RemoveLast() noexcept;

  // Asks the memory for the index slot where a check or an add of this
  // contact starts (HashSlots::Prefetch). Changes nothing.
  void Prefetch(std::string_view call, std::string_view band, std::string_view mode) const;

  // Makes room for `contacts` contacts in all whose texts hold
  // `text_bytes` characters together, so that adding them grows nothing:
  // for a caller that knows the contacts to come (a log file). Never
  // shrinks; on std::bad_alloc the list is unchanged, with what room it had.
  void Reserve(size_t contacts, size_t text_bytes);

  // Forgets every contact; the buffer and the index keep their room for a
  // rebuild.
  void Clear();
  size_t Count() const { return index_.Count(); }
  bool Empty() const { return Count() == 0; }

 private:
  // True when the buffer holds `record` (encoded as stored) at `offset`.
  bool RecordEquals(uint32_t offset, std::string_view record) const;
  HashSlots::Probe Find(std::string_view record, uint32_t hash) const;

  std::vector<char> records_;
  HashSlots index_;
  // Where the last added contact went, for RemoveLast.
  size_t last_offset_ = 0;
  size_t last_slot_ = 0;
};

}  // namespace qxqy
