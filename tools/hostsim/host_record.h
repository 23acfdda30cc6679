// The two records as the host lays them out, kept by the simulator as plain
// bytes: the simulator is the host, so it knows the layout by offsets of its
// own and shares no code with the plug-in's definition of it.
//
// HostRecord: 5916 bytes; a 32-bit Connection at 0, short texts (a length
// byte and up to 255 characters in a 256-byte slot) at fixed offsets, and
// reserved ranges the plug-in must neither read nor write.
// PluginInfo: 520 bytes; Title (0), InfoValue1 (256), Kind (260), InfoValue2 (516).
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace qxqy::hostsim {

constexpr size_t kHostRecordSize = 5916;
constexpr size_t kPluginInfoSize = 520;
constexpr size_t kShortTextSlot = 256;
constexpr size_t kShortTextMax = 255;

enum class FieldKind { kText, kConnection, kReserved };

struct RecordField {
  std::string_view name;
  size_t offset;
  size_t size;
  FieldKind kind;
};

// Every field and reserved range of HostRecord, in offset order, covering
// all 5916 bytes without gaps.
const std::vector<RecordField>& HostRecordFields();

// The field called `name` (letter case ignored), or nullptr.
const RecordField* FindHostRecordField(std::string_view name);

// The deterministic filler for bytes that carry no meaning ("junk"): never
// zero, differs from its neighbours, and is the same at every run.
unsigned char JunkByte(size_t position);

// The host's record: all zero when made.
class HostRecordBuffer {
 public:
  HostRecordBuffer() { bytes_.fill(0); }

  unsigned char* data() { return bytes_.data(); }
  const unsigned char* data() const { return bytes_.data(); }

  // Length byte and characters; the bytes behind them stay as they are.
  // Throws qxqy::Error for a text longer than 255 or a field that is no text.
  void SetText(const RecordField& field, std::string_view text);
  // Raw bytes from the field's first byte on. Throws when they do not fit.
  void SetBytes(const RecordField& field, const std::vector<unsigned char>& bytes);
  void SetConnection(uint32_t value);

  void FillReservedWithJunk();
  // Fills each text slot behind its characters.
  void FillTextTailsWithJunk();

 private:
  std::array<unsigned char, kHostRecordSize> bytes_;
};

struct PluginInfoContent {
  std::string title;
  int32_t value1 = 0;
  std::string kind;
  int32_t value2 = 0;
};

PluginInfoContent ReadPluginInfo(const unsigned char* info);

// True when _GetInfo may write `position` of a PluginInfo whose content is
// now `written`: the two integers and each text's length byte and characters.
bool MayGetInfoWrite(const PluginInfoContent& written, size_t position);

}  // namespace qxqy::hostsim
