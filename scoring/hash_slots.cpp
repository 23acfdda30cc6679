#include "scoring/hash_slots.h"

#include <algorithm>

namespace qxqy {

namespace {
constexpr size_t kFirstSlotCount = 16;
}  // namespace

void HashSlots::Grow() { Rehash(std::max(kFirstSlotCount, slots_.size() * 2)); }

void HashSlots::Reserve(size_t count) {
  size_t size = std::max(kFirstSlotCount, slots_.size());
  while (count * 4 > size * 3) size *= 2;
  if (size != slots_.size()) Rehash(size);
}

void HashSlots::Rehash(size_t size) {
  std::vector<Slot> grown(size, Slot{0, kEmpty});
  const size_t mask = size - 1;
  for (const Slot& slot : slots_) {
    if (slot.ref == kEmpty) continue;
    size_t i = slot.hash & mask;
    while (grown[i].ref != kEmpty) i = (i + 1) & mask;
    grown[i] = slot;
  }
  slots_.swap(grown);
}

void HashSlots::Clear() {
  std::fill(slots_.begin(), slots_.end(), Slot{0, kEmpty});
  count_ = 0;
}

}  // namespace qxqy
