// Arbitrary bytes cut into 5916-byte host records (the last one padded with
// zeros), each driven through every entry point in the host's order. The log
// that the window's rebuild reads holds the contact fields of all records.
//
// The record's reserved bytes 4 to 11, which the plug-in never reads, steer
// the host: byte 4 bit 0 releases the plug-in after the record, bit 1 pumps
// the messages, bits 2 to 4 make the query of a window created by this
// record fail at open, at row (byte 5 mod 4) or at column (byte 6 mod 5).
//
// Invariants: results only -1, 0, 1 or 3 (0 exactly while no window exists);
// CurrentRecord is the record just passed; the host's record and the bytes
// of PluginInfo and of the result buffer that are not the plug-in's to write
// stay as they were; no window survives the final release.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "MainForm/main_form.h"
#include "Plugin/entry_points.h"
#include "Plugin/module_state.h"
#include "base/error.h"
#include "base/log_query_override.h"
#include "base/testing/fake_log_query.h"
#include "fuzz/fuzz_check.h"
#include "fuzz/fuzz_environment.h"
#include "scoring/rebuild.h"
#include "ui/application.h"

namespace qxqy::fuzzing {
namespace {

constexpr uint8_t kUntouched = 0xA5;
constexpr uint8_t kReleaseAfter = 1 << 0;
constexpr uint8_t kPumpAfter = 1 << 1;
constexpr uint8_t kFailOpen = 1 << 2;
constexpr uint8_t kFailAtRow = 1 << 3;
constexpr uint8_t kFailAtColumn = 1 << 4;

const char* const kColumns[] = {kReportColumn, kCallColumn, kBandColumn, kModeColumn, kWpxColumn};

std::vector<HostRecord> CutIntoRecords(const uint8_t* data, size_t size) {
  // Value-initialised, so zero-filled; an empty input is one all-zero record.
  std::vector<HostRecord> records(
      std::max<size_t>(1, (size + sizeof(HostRecord) - 1) / sizeof(HostRecord)));
  if (size > 0) std::memcpy(records.data(), data, size);
  return records;
}

std::vector<testing::FakeLogQuery::Row> LogRowsOf(const std::vector<HostRecord>& records) {
  std::vector<testing::FakeLogQuery::Row> rows;
  for (const HostRecord& record : records) {
    rows.push_back({ReadShortText(record.ReportReceived), ReadShortText(record.Call),
                    ReadShortText(record.Band), ReadShortText(record.Mode),
                    ReadShortText(record.Wpx)});
  }
  return rows;
}

// A query over `rows`, failing where the record that created the window says.
std::unique_ptr<LogQuery> QueryFor(const HostRecord& record,
                                   const std::vector<testing::FakeLogQuery::Row>& rows) {
  auto query = std::make_unique<testing::FakeLogQuery>(
      std::vector<std::string>(std::begin(kColumns), std::end(kColumns)), rows);
  const uint8_t flags = record.reserved4[0];
  if (flags & kFailOpen) query->FailOpen("database is locked");
  if (flags & kFailAtRow) query->FailAtRow(record.reserved4[1] % 4, "disk I/O error");
  if (flags & kFailAtColumn) {
    const char* column = kColumns[record.reserved4[2] % std::size(kColumns)];
    query->FailAtColumn(column, std::string("no such column: ") + column);
  }
  return query;
}

bool WindowExists() { return plugin::Module().main_form.get() != nullptr; }

void CheckScore(int32_t score, const char* entry_point) {
  if (WindowExists()) {
    QXQY_FUZZ_CHECK(score == -1 || score == 1 || score == 3, "%s gave %d", entry_point, score);
  } else {
    QXQY_FUZZ_CHECK(score == 0, "%s gave %d without a window", entry_point, score);
  }
}

void CheckCurrentRecordIs(const HostRecord& record, const char* entry_point) {
  QXQY_FUZZ_CHECK(std::memcmp(&plugin::Module().CurrentRecord, &record, sizeof record) == 0,
                  "CurrentRecord is not the record passed to %s", entry_point);
}

// The window's first rebuild writes the five replayed fields of
// CurrentRecord; every other byte is the record that created the window.
void CheckCurrentRecordCreated(const HostRecord& record) {
  HostRecord expected = record;
  HostRecord actual = plugin::Module().CurrentRecord;
  for (HostRecord* masked : {&expected, &actual}) {
    for (ShortText* replayed :
         {&masked->ReportReceived, &masked->Call, &masked->Band, &masked->Mode, &masked->Wpx}) {
      *replayed = ShortText{};
    }
  }
  QXQY_FUZZ_CHECK(std::memcmp(&expected, &actual, sizeof expected) == 0,
                  "CurrentRecord is not the record that created the window");
}

void CheckGetInfo() {
  auto info = std::make_unique<PluginInfo>();
  std::memset(info.get(), kUntouched, sizeof(PluginInfo));
  plugin::GetInfo(info.get());
  QXQY_FUZZ_CHECK(info->InfoValue1 == 1 && info->InfoValue2 == 1, "info values %d %d",
                  info->InfoValue1, info->InfoValue2);
  QXQY_FUZZ_CHECK(ReadShortText(info->Title) == "QX-QY DX Contest", "title");
  QXQY_FUZZ_CHECK(ReadShortText(info->Kind) == "kavrix_contest", "kind");
  for (const ShortText* text : {&info->Title, &info->Kind}) {
    const uint8_t* bytes = reinterpret_cast<const uint8_t*>(text);
    for (size_t i = 1u + bytes[0]; i < sizeof(ShortText); ++i) {
      QXQY_FUZZ_CHECK(bytes[i] == kUntouched, "GetInfo wrote byte %zu behind a text", i);
    }
  }
}

void CheckGrabNumber(const HostRecord& record) {
  // On the heap and exactly 256 bytes, so a write past its end is an
  // AddressSanitizer report.
  auto result = std::make_unique<ShortText>();
  std::memset(result.get(), kUntouched, sizeof(ShortText));
  plugin::GrabNumber(&record, result.get());
  CheckCurrentRecordIs(record, "GrabNumber");
  const uint8_t* bytes = reinterpret_cast<const uint8_t*>(result.get());
  if (!WindowExists()) QXQY_FUZZ_CHECK(bytes[0] == 0, "suggestion without a window");
  for (size_t i = 1u + bytes[0]; i < sizeof(ShortText); ++i) {
    QXQY_FUZZ_CHECK(bytes[i] == kUntouched, "GrabNumber wrote byte %zu of a %u-byte text", i,
                    bytes[0]);
  }
}

// Runs `call`; an Error may leave an entry point by contract, anything else
// is a finding (it would reach the export barrier as an unknown failure).
template <class Call>
void Guarded(Call call) {
  try {
    call();
  } catch (const Error&) {
  }
}

void DriveRecord(const HostRecord& record) {
  CheckGetInfo();
  Guarded([&] {
    const bool existed = WindowExists();
    const uint32_t handle = plugin::Run(0, &record);
    if (WindowExists()) QXQY_FUZZ_CHECK(handle != 0, "Run returned no handle");
    if (!existed) CheckCurrentRecordCreated(record);
  });
  Guarded([&] {
    CheckScore(plugin::GetScore(&record), "GetScore");
    CheckCurrentRecordIs(record, "GetScore");
  });
  Guarded([&] {
    CheckScore(plugin::AddQSO(&record), "AddQSO");
    CheckCurrentRecordIs(record, "AddQSO");
  });
  Guarded([&] { CheckGrabNumber(record); });
  const uint8_t flags = record.reserved4[0];
  if (flags & kReleaseAfter) {
    plugin::ReleasePlugin();
    QXQY_FUZZ_CHECK(!WindowExists(), "a window is still referenced after ReleasePlugin");
  }
  if (flags & kPumpAfter) Application::Instance().ProcessMessages();
}

}  // namespace
}  // namespace qxqy::fuzzing

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace qxqy;
  using namespace qxqy::fuzzing;
  FuzzEnvironment& environment = FuzzEnvironment::Instance();
  const std::vector<HostRecord> records = CutIntoRecords(data, size);
  const std::vector<HostRecord> original = records;
  const std::vector<testing::FakeLogQuery::Row> rows = LogRowsOf(records);
  const HostRecord* creating = nullptr;
  ScopedLogQueryOverride log(
      [&](uint32_t) { return QueryFor(creating ? *creating : HostRecord{}, rows); });

  for (const HostRecord& record : records) {
    creating = &record;
    DriveRecord(record);
  }
  QXQY_FUZZ_CHECK(
      std::memcmp(records.data(), original.data(), records.size() * sizeof(HostRecord)) == 0,
      "the plug-in wrote into a host record");

  plugin::ReleasePlugin();
  Application::Instance().ProcessMessages();
  QXQY_FUZZ_CHECK(Application::Instance().Components().empty(), "%zu windows outlived the release",
                  Application::Instance().Components().size());
  environment.EndInput();
  return 0;
}
