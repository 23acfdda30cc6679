#include "tools/hostsim/host_record.h"

#include <algorithm>
#include <cstring>

#include "base/error.h"

namespace qxqy::hostsim {

namespace {

constexpr size_t kInfoTitle = 0;
constexpr size_t kInfoValue1 = 256;
constexpr size_t kInfoKind = 260;
constexpr size_t kInfoValue2 = 516;

bool SameNameIgnoringCase(std::string_view a, std::string_view b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; };
           return lower(x) == lower(y);
         });
}

std::string ShortTextAt(const unsigned char* slot) {
  return std::string(reinterpret_cast<const char*>(slot) + 1, slot[0]);
}

int32_t Int32At(const unsigned char* bytes) {
  uint32_t value = 0;
  for (int i = 3; i >= 0; --i) value = (value << 8) | bytes[i];
  return static_cast<int32_t>(value);
}

}  // namespace

const std::vector<RecordField>& HostRecordFields() {
  static const std::vector<RecordField> fields = {
      {"Connection", 0, 4, FieldKind::kConnection},
      {"Reserved4", 4, 8, FieldKind::kReserved},
      {"LogTable", 12, 256, FieldKind::kText},
      {"Call", 268, 256, FieldKind::kText},
      {"Reserved524", 524, 16, FieldKind::kReserved},
      {"Band", 540, 256, FieldKind::kText},
      {"Mode", 796, 256, FieldKind::kText},
      {"QsoGroup", 1052, 256, FieldKind::kText},
      {"ReportReceived", 1308, 256, FieldKind::kText},
      {"Reserved1564", 1564, 1024, FieldKind::kReserved},
      {"LookupCountry", 2588, 256, FieldKind::kText},
      {"Reserved2844", 2844, 768, FieldKind::kReserved},
      {"Wpx", 3612, 256, FieldKind::kText},
      {"LogCaption", 3868, 256, FieldKind::kText},
      {"OwnGroup", 4124, 256, FieldKind::kText},
      {"Reserved4380", 4380, 256, FieldKind::kReserved},
      {"Country", 4636, 256, FieldKind::kText},
      {"Reserved4892", 4892, 1024, FieldKind::kReserved},
  };
  return fields;
}

const RecordField* FindHostRecordField(std::string_view name) {
  for (const auto& field : HostRecordFields()) {
    if (SameNameIgnoringCase(field.name, name)) return &field;
  }
  return nullptr;
}

unsigned char JunkByte(size_t position) {
  const auto value = static_cast<unsigned char>(0xA5 ^ (position * 37 + (position >> 8)));
  return value == 0 ? 0x5A : value;
}

void HostRecordBuffer::SetText(const RecordField& field, std::string_view text) {
  if (field.kind != FieldKind::kText) throw Error(std::string(field.name) + " is not a text");
  if (text.size() > kShortTextMax) {
    throw Error("a text has at most 255 characters, not " + std::to_string(text.size()));
  }
  bytes_[field.offset] = static_cast<unsigned char>(text.size());
  std::memcpy(&bytes_[field.offset + 1], text.data(), text.size());
}

void HostRecordBuffer::SetBytes(const RecordField& field, const std::vector<unsigned char>& bytes) {
  if (bytes.size() > field.size) {
    throw Error(std::string(field.name) + " holds " + std::to_string(field.size) + " bytes, not " +
                std::to_string(bytes.size()));
  }
  std::copy(bytes.begin(), bytes.end(), bytes_.begin() + static_cast<std::ptrdiff_t>(field.offset));
}

void HostRecordBuffer::SetConnection(uint32_t value) {
  for (size_t i = 0; i < 4; ++i) bytes_[i] = static_cast<unsigned char>(value >> (8 * i));
}

void HostRecordBuffer::FillReservedWithJunk() {
  for (const auto& field : HostRecordFields()) {
    if (field.kind != FieldKind::kReserved) continue;
    for (size_t i = field.offset; i < field.offset + field.size; ++i) bytes_[i] = JunkByte(i);
  }
}

void HostRecordBuffer::FillTextTailsWithJunk() {
  for (const auto& field : HostRecordFields()) {
    if (field.kind != FieldKind::kText) continue;
    const size_t first_free = field.offset + 1 + bytes_[field.offset];
    for (size_t i = first_free; i < field.offset + field.size; ++i) bytes_[i] = JunkByte(i);
  }
}

PluginInfoContent ReadPluginInfo(const unsigned char* info) {
  PluginInfoContent content;
  content.title = ShortTextAt(info + kInfoTitle);
  content.value1 = Int32At(info + kInfoValue1);
  content.kind = ShortTextAt(info + kInfoKind);
  content.value2 = Int32At(info + kInfoValue2);
  return content;
}

bool MayGetInfoWrite(const PluginInfoContent& written, size_t position) {
  auto within = [position](size_t first, size_t count) {
    return position >= first && position < first + count;
  };
  return within(kInfoTitle, 1 + written.title.size()) || within(kInfoValue1, 4) ||
         within(kInfoKind, 1 + written.kind.size()) || within(kInfoValue2, 4);
}

}  // namespace qxqy::hostsim
