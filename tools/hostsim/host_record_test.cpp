#include "tools/hostsim/host_record.h"

#include <gtest/gtest.h>

#include <cstring>

#include "base/error.h"

namespace qxqy::hostsim {
namespace {

TEST(HostRecordTest, FieldsTileTheWholeRecordAtTheHostsOffsets) {
  size_t next = 0;
  for (const auto& field : HostRecordFields()) {
    EXPECT_EQ(field.offset, next) << field.name;
    next = field.offset + field.size;
  }
  EXPECT_EQ(next, kHostRecordSize);

  const struct {
    const char* name;
    size_t offset;
  } texts[] = {{"LogTable", 12},        {"Call", 268},      {"Band", 540},
               {"Mode", 796},           {"QsoGroup", 1052}, {"ReportReceived", 1308},
               {"LookupCountry", 2588}, {"Wpx", 3612},      {"LogCaption", 3868},
               {"OwnGroup", 4124},      {"Country", 4636}};
  for (const auto& text : texts) {
    const RecordField* field = FindHostRecordField(text.name);
    ASSERT_NE(field, nullptr) << text.name;
    EXPECT_EQ(field->offset, text.offset) << text.name;
    EXPECT_EQ(field->kind, FieldKind::kText) << text.name;
  }
  EXPECT_EQ(FindHostRecordField("call"), FindHostRecordField("Call"));
  EXPECT_EQ(FindHostRecordField("Calls"), nullptr);
}

TEST(HostRecordTest, SetTextWritesLengthAndCharactersOnly) {
  HostRecordBuffer record;
  const RecordField& call = *FindHostRecordField("Call");
  record.FillTextTailsWithJunk();
  const unsigned char behind = record.data()[call.offset + 4];
  record.SetText(call, "K1A");
  EXPECT_EQ(record.data()[call.offset], 3);
  EXPECT_EQ(std::memcmp(record.data() + call.offset + 1, "K1A", 3), 0);
  EXPECT_EQ(record.data()[call.offset + 4], behind);
  record.SetText(call, std::string(255, 'x'));
  EXPECT_EQ(record.data()[call.offset], 255);
  EXPECT_THROW(record.SetText(call, std::string(256, 'x')), Error);
  EXPECT_THROW(record.SetText(*FindHostRecordField("Reserved4"), "x"), Error);
}

TEST(HostRecordTest, JunkTouchesOnlyTheRangesAsked) {
  HostRecordBuffer record;
  record.FillReservedWithJunk();
  for (const auto& field : HostRecordFields()) {
    for (size_t i = field.offset; i < field.offset + field.size; ++i) {
      const bool junk = field.kind == FieldKind::kReserved;
      ASSERT_EQ(record.data()[i] != 0, junk) << field.name << " byte " << i;
    }
  }
  HostRecordBuffer tails;
  tails.SetText(*FindHostRecordField("Band"), "14");
  tails.FillTextTailsWithJunk();
  const size_t band = FindHostRecordField("Band")->offset;
  EXPECT_EQ(tails.data()[band], 2);
  EXPECT_EQ(tails.data()[band + 1], '1');
  EXPECT_NE(tails.data()[band + 3], 0);
  EXPECT_EQ(tails.data()[0], 0);  // Connection stays
}

TEST(HostRecordTest, SetBytesAndConnection) {
  HostRecordBuffer record;
  record.SetBytes(*FindHostRecordField("Call"), {5, 'A', 'B'});
  EXPECT_EQ(record.data()[268], 5);
  EXPECT_EQ(record.data()[270], 'B');
  EXPECT_THROW(record.SetBytes(*FindHostRecordField("Reserved4"), std::vector<unsigned char>(9)),
               Error);
  record.SetConnection(0x11223344);
  EXPECT_EQ(record.data()[0], 0x44);
  EXPECT_EQ(record.data()[3], 0x11);
}

TEST(PluginInfoTest, ReadsTheFieldsAndKnowsWhatGetInfoMayWrite) {
  unsigned char info[kPluginInfoSize] = {};
  info[0] = 2;
  info[1] = 'Q';
  info[2] = 'X';
  info[256] = 1;
  info[260] = 1;
  info[261] = 'k';
  info[516] = 0xFE;
  info[517] = 0xFF;
  info[518] = 0xFF;
  info[519] = 0xFF;
  const PluginInfoContent content = ReadPluginInfo(info);
  EXPECT_EQ(content.title, "QX");
  EXPECT_EQ(content.value1, 1);
  EXPECT_EQ(content.kind, "k");
  EXPECT_EQ(content.value2, -2);
  for (size_t position : {0, 2, 256, 259, 260, 261, 516, 519}) {
    EXPECT_TRUE(MayGetInfoWrite(content, position)) << position;
  }
  for (size_t position : {3, 255, 262, 515}) {
    EXPECT_FALSE(MayGetInfoWrite(content, position)) << position;
  }
}

}  // namespace
}  // namespace qxqy::hostsim
