#include "scoring/qso_list.h"

#include <algorithm>
#include <cstring>
#include <stdexcept>

#include "base/small_bytes.h"

namespace qxqy {

namespace {

bool FitsARecord(std::string_view call, std::string_view band, std::string_view mode) {
  return call.size() <= QsoList::kMaxTextLength && band.size() <= QsoList::kMaxTextLength &&
         mode.size() <= QsoList::kMaxTextLength;
}

// A contact as it is stored: for each of call, band and mode a length byte
// and the characters. The encoding is self-delimiting (the lengths say where
// each text ends), so two different contacts differ within the shorter
// record and a byte comparison never needs to read past it.
class ContactRecord {
 public:
  // Each text fits a record (FitsARecord).
  ContactRecord(std::string_view call, std::string_view band, std::string_view mode) {
    Append(call);
    Append(band);
    Append(mode);
  }
  std::string_view bytes() const { return std::string_view(bytes_, size_); }

 private:
  void Append(std::string_view text) {
    bytes_[size_++] = static_cast<char>(static_cast<unsigned char>(text.size()));
    for (char c : text) bytes_[size_++] = c;
  }

  char bytes_[3 * (1 + QsoList::kMaxTextLength)];
  size_t size_ = 0;
};

}  // namespace

bool QsoList::RecordEquals(uint32_t offset, std::string_view record) const {
  // A stored record too short to hold `record` is another contact.
  return records_.size() - offset >= record.size() &&
         SameSmallBytes(records_.data() + offset, record.data(), record.size());
}

HashSlots::Probe QsoList::Find(std::string_view record, uint32_t hash) const {
  return index_.Find(hash, [&](uint32_t offset) { return RecordEquals(offset, record); });
}

bool QsoList::IsDupe(std::string_view call, std::string_view band, std::string_view mode) const {
  // A text too long to be added was never added.
  if (Empty() || !FitsARecord(call, band, mode)) return false;
  const ContactRecord record(call, band, mode);
  return Find(record.bytes(), HashBytes(record.bytes())).found;
}

bool QsoList::AddIfAbsent(std::string_view call, std::string_view band, std::string_view mode) {
  if (!FitsARecord(call, band, mode)) {
    throw std::length_error("a contact's text is longer than 255 characters");
  }
  const ContactRecord record(call, band, mode);
  const std::string_view bytes = record.bytes();
  const uint32_t hash = HashBytes(bytes);
  HashSlots::Probe probe = Find(bytes, hash);
  if (probe.found) return false;

  // Everything that can fail comes first: room in the buffer, then in the
  // index (growing either leaves the contacts as they were).
  if (records_.size() + bytes.size() >= HashSlots::kEmpty) {
    throw std::length_error("the worked-contact list is full");
  }
  if (records_.capacity() - records_.size() < bytes.size()) {
    records_.reserve(std::max(2 * records_.capacity(), records_.size() + bytes.size()));
  }
  if (index_.FullForOneMore()) {
    index_.Grow();
    probe = index_.FindEmpty(hash);
  }
  const uint32_t offset = static_cast<uint32_t>(records_.size());
  records_.insert(records_.end(), bytes.begin(), bytes.end());  // within the reserved room
  index_.Fill(probe, hash, offset);
  last_offset_ = offset;
  last_slot_ = probe.slot;
  return true;
}

void QsoList::RemoveLast() noexcept {
  index_.EmptyLastFilled(last_slot_);
  records_.resize(last_offset_);  // shrinking: no allocation
}

void QsoList::Prefetch(std::string_view call, std::string_view band, std::string_view mode) const {
  if (Empty() || !FitsARecord(call, band, mode)) return;
  const ContactRecord record(call, band, mode);
  index_.Prefetch(HashBytes(record.bytes()));
}

void QsoList::Reserve(size_t contacts, size_t text_bytes) {
  // Each record holds its three texts' characters and a length byte each.
  records_.reserve(text_bytes + 3 * contacts);
  index_.Reserve(contacts);
}

void QsoList::Clear() {
  records_.clear();
  index_.Clear();
}

}  // namespace qxqy
