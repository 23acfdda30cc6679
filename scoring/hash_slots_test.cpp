#include "scoring/hash_slots.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

namespace qxqy {
namespace {

TEST(HashBytesTest, EveryByteAndTheLengthChangeTheHash) {
  // For every length up to 20 (whole words, and tails of every size), each
  // byte changed on its own, and the text made one byte longer with a zero,
  // gives a hash of its own.
  for (size_t length = 0; length <= 20; ++length) {
    std::string text;
    for (size_t i = 0; i < length; ++i) text += static_cast<char>('A' + i);
    std::set<uint32_t> hashes = {HashBytes(text), HashBytes(text + '\0')};
    for (size_t i = 0; i < length; ++i) {
      std::string changed = text;
      changed[i] = static_cast<char>(changed[i] ^ 0x80);
      hashes.insert(HashBytes(changed));
    }
    EXPECT_EQ(hashes.size(), length + 2) << "length " << length;
  }
}

// Entries 0, 1, 2, ... whose hash is chosen by the test, found by their
// number, the way the lists use the index.
class NumberedIndex {
 public:
  explicit NumberedIndex(std::vector<uint32_t> hashes) : hashes_(std::move(hashes)) {}

  HashSlots::Probe Find(uint32_t number) const {
    return slots_.Find(HashOf(number), [number](uint32_t ref) { return ref == number; });
  }
  bool Add(uint32_t number) {
    HashSlots::Probe probe = Find(number);
    if (probe.found) return false;
    if (slots_.FullForOneMore()) {
      slots_.Grow();
      probe = slots_.FindEmpty(HashOf(number));
    }
    slots_.Fill(probe, HashOf(number), number);
    return true;
  }
  uint32_t HashOf(uint32_t number) const { return hashes_[number % hashes_.size()]; }
  HashSlots& slots() { return slots_; }

 private:
  std::vector<uint32_t> hashes_;
  HashSlots slots_;
};

TEST(HashSlotsTest, FindsEveryEntryAmongEqualHashesAcrossGrowthAndWrapAround) {
  const std::vector<std::vector<uint32_t>> hash_sets = {
      {7},                 // every entry collides
      {0xFFFFFFFFu, 0},    // runs that wrap from the last slot to the first
      {0, 1, 2, 3, 4, 5},  // neighbouring home slots
      {0x12345678u, 0x9ABCDEF0u, 0x0F0F0F0Fu},
  };
  for (const auto& hashes : hash_sets) {
    NumberedIndex index(hashes);
    for (uint32_t n = 0; n < 300; ++n) {
      ASSERT_TRUE(index.Add(n)) << n;
      ASSERT_FALSE(index.Add(n)) << n;
    }
    EXPECT_EQ(index.slots().Count(), 300u);
    for (uint32_t n = 0; n < 300; ++n) {
      const HashSlots::Probe probe = index.Find(n);
      ASSERT_TRUE(probe.found) << n << " with hash " << index.HashOf(n);
      EXPECT_EQ(probe.ref, n);
    }
    EXPECT_FALSE(index.Find(300).found);
    index.slots().Clear();
    EXPECT_EQ(index.slots().Count(), 0u);
    EXPECT_FALSE(index.Find(0).found);
    EXPECT_TRUE(index.Add(0));
  }
}

TEST(HashSlotsTest, ReservedRoomTakesThatManyEntriesWithoutGrowingAndKeepsThoseThere) {
  for (const uint32_t before : {0u, 5u, 40u}) {
    NumberedIndex index({3, 3, 17, 0xFFFFFFFFu});
    for (uint32_t n = 0; n < before; ++n) ASSERT_TRUE(index.Add(n));
    index.slots().Reserve(1000);
    index.slots().Reserve(10);  // never shrinks
    for (uint32_t n = 0; n < before; ++n) ASSERT_TRUE(index.Find(n).found) << n;
    for (uint32_t n = before; n < 1000; ++n) {
      ASSERT_FALSE(index.slots().FullForOneMore()) << "before " << before << ", entry " << n;
      ASSERT_TRUE(index.Add(n));
    }
    for (uint32_t n = 0; n < 1000; ++n) ASSERT_TRUE(index.Find(n).found) << n;
  }
}

TEST(HashSlotsTest, AnEmptyIndexFindsNothingAndNeedsToGrow) {
  HashSlots slots;
  EXPECT_FALSE(slots.Find(0, [](uint32_t) { return true; }).found);
  EXPECT_TRUE(slots.FullForOneMore());
  slots.Prefetch(0);  // harmless without slots
}

}  // namespace
}  // namespace qxqy
