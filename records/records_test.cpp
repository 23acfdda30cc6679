#include <gtest/gtest.h>

#include <cstring>

#include "records/host_record.h"

namespace qxqy {
namespace {

ShortText SlotFilledWith(uint8_t fill) {
  ShortText slot;
  std::memset(slot.bytes, fill, sizeof slot.bytes);
  return slot;
}

TEST(ShortTextTest, ReadsOnlyTheCharactersCountedByTheLengthByte) {
  ShortText slot = SlotFilledWith('x');
  slot.bytes[0] = 0;
  EXPECT_EQ(ReadShortText(slot), "");
  slot.bytes[0] = 2;
  EXPECT_EQ(ReadShortText(slot), "xx");
  slot.bytes[0] = 255;
  EXPECT_EQ(ReadShortText(slot), std::string(255, 'x'));
}

TEST(ShortTextTest, KeepsHighBytesAndNulUnchanged) {
  ShortText slot = SlotFilledWith(0);
  const std::string text("\xE9\0\xFF", 3);
  WriteShortText(slot, text);
  EXPECT_EQ(ReadShortText(slot), text);
}

TEST(ShortTextTest, WritingLeavesTheBytesBehindTheTextAlone) {
  ShortText slot = SlotFilledWith('#');
  WriteShortText(slot, "AB");
  EXPECT_EQ(slot.bytes[0], 2);
  EXPECT_EQ(slot.bytes[1], 'A');
  EXPECT_EQ(slot.bytes[2], 'B');
  EXPECT_EQ(slot.bytes[3], '#');
  WriteShortText(slot, "");
  EXPECT_EQ(slot.bytes[0], 0);
  EXPECT_EQ(slot.bytes[1], 'A');
}

// Texts of every length up to past 16 (each copied its own way) come back
// whole, with the bytes behind them as they were.
TEST(ShortTextTest, TextsOfEveryLengthComeBackWithTheBytesBehindAlone) {
  for (size_t length = 0; length <= 40; ++length) {
    std::string text(length, ' ');
    for (size_t i = 0; i < length; ++i) text[i] = static_cast<char>('a' + i % 26);
    ShortText slot = SlotFilledWith('#');
    WriteShortText(slot, text);
    EXPECT_EQ(ReadShortText(slot), text) << length;
    for (size_t i = length + 1; i < kShortTextSize; ++i) {
      ASSERT_EQ(slot.bytes[i], '#') << "byte " << i << " after a text of " << length;
    }
  }
}

TEST(ShortTextTest, WritingCutsTo255Characters) {
  ShortText slot = SlotFilledWith(0);
  WriteShortText(slot, std::string(300, 'q'));
  EXPECT_EQ(slot.bytes[0], 255);
  EXPECT_EQ(ReadShortText(slot), std::string(255, 'q'));
}

TEST(HostRecordTest, CopyTakesAll5916BytesFromAnUnalignedSource) {
  std::vector<uint8_t> raw(sizeof(HostRecord) + 1);
  for (size_t i = 0; i < raw.size(); ++i) raw[i] = static_cast<uint8_t>(i * 7);
  HostRecord record;
  CopyHostRecord(record, raw.data() + 1);
  EXPECT_EQ(std::memcmp(&record, raw.data() + 1, sizeof record), 0);
}

TEST(HostRecordTest, FieldsSitAtTheHostsOffsets) {
  std::vector<uint8_t> raw(sizeof(HostRecord), 0);
  raw[0] = 0x78;
  raw[1] = 0x56;
  raw[2] = 0x34;
  raw[3] = 0x12;
  raw[540] = 2;
  raw[541] = '1';
  raw[542] = '4';
  raw[4636] = 2;
  raw[4637] = 'Q';
  raw[4638] = 'X';
  HostRecord record;
  CopyHostRecord(record, raw.data());
  EXPECT_EQ(record.Connection, 0x12345678u);
  EXPECT_EQ(ReadShortText(record.Band), "14");
  EXPECT_EQ(ReadShortText(record.Country), "QX");
}

}  // namespace
}  // namespace qxqy
