// The two fixed-layout records exchanged with the host. Both are plain byte
// layouts (no padding, 32-bit little-endian integers); every offset is
// checked below at compile time.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>

#include "base/short_text.h"

namespace qxqy {

#pragma pack(push, 1)

// The record the host passes by address to _Run, _GetScore, _AddQSO and
// _GrabNumber: the contact at hand, the operator's station and the log.
struct HostRecord {
  uint32_t Connection;  // the host's open database connection (see LogQuery)
  uint8_t reserved4[8];
  ShortText LogTable;
  ShortText Call;
  uint8_t reserved524[16];
  ShortText Band;
  ShortText Mode;
  ShortText QsoGroup;
  ShortText ReportReceived;
  ShortText reserved1564[4];
  ShortText LookupCountry;
  ShortText reserved2844[3];
  ShortText Wpx;
  ShortText LogCaption;
  ShortText OwnGroup;
  ShortText reserved4380[1];
  ShortText Country;
  ShortText reserved4892[4];
};

// The record _GetInfo fills.
struct PluginInfo {
  ShortText Title;
  int32_t InfoValue1;
  ShortText Kind;
  int32_t InfoValue2;
};

#pragma pack(pop)

static_assert(sizeof(HostRecord) == 5916);
static_assert(offsetof(HostRecord, Connection) == 0);
static_assert(offsetof(HostRecord, LogTable) == 12);
static_assert(offsetof(HostRecord, Call) == 268);
static_assert(offsetof(HostRecord, Band) == 540);
static_assert(offsetof(HostRecord, Mode) == 796);
static_assert(offsetof(HostRecord, QsoGroup) == 1052);
static_assert(offsetof(HostRecord, ReportReceived) == 1308);
static_assert(offsetof(HostRecord, reserved1564) == 1564);
static_assert(offsetof(HostRecord, LookupCountry) == 2588);
static_assert(offsetof(HostRecord, reserved2844) == 2844);
static_assert(offsetof(HostRecord, Wpx) == 3612);
static_assert(offsetof(HostRecord, LogCaption) == 3868);
static_assert(offsetof(HostRecord, OwnGroup) == 4124);
static_assert(offsetof(HostRecord, reserved4380) == 4380);
static_assert(offsetof(HostRecord, Country) == 4636);
static_assert(offsetof(HostRecord, reserved4892) == 4892);

static_assert(sizeof(PluginInfo) == 520);
static_assert(offsetof(PluginInfo, Title) == 0);
static_assert(offsetof(PluginInfo, InfoValue1) == 256);
static_assert(offsetof(PluginInfo, Kind) == 260);
static_assert(offsetof(PluginInfo, InfoValue2) == 516);

// Copies the host's 5916 bytes whole; `source` may be unaligned.
inline void CopyHostRecord(HostRecord& target, const void* source) {
  std::memcpy(&target, source, sizeof(HostRecord));
}

}  // namespace qxqy
