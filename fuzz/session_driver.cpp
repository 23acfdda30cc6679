#include "fuzz/session_driver.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <array>
#include <cstring>
#include <optional>
#include <string_view>
#include <utility>

#include "base/error.h"
#include "fuzz/engine_input.h"
#include "fuzz/fuzz_check.h"
#include "fuzz/reference_rules.h"

namespace qxqy::fuzzing {

namespace {

constexpr size_t kMaxGenerated = 72;

// The record with its five replayed fields emptied, for comparing the rest.
HostRecord WithoutReplayedFields(const HostRecord& record) {
  HostRecord masked = record;
  for (ShortText* field :
       {&masked.ReportReceived, &masked.Call, &masked.Band, &masked.Mode, &masked.Wpx}) {
    *field = ShortText{};
  }
  return masked;
}

bool SameBytes(const HostRecord& a, const HostRecord& b) {
  return std::memcmp(&a, &b, sizeof(HostRecord)) == 0;
}

HostRecord InitialRecord(uint32_t connection) {
  HostRecord record{};
  record.Connection = connection;
  WriteShortText(record.LogTable, HostLogTable().name);
  return record;
}

}  // namespace

SessionDriver::SessionDriver(LogDatabase& log, const ReferenceFolder& references,
                             uint32_t connection)
    : log_(log),
      references_(references),
      record_(InitialRecord(connection)),
      written_(record_),
      session_(record_, references.path, this),
      model_(references.district_lines) {
  QXQY_FUZZ_CHECK(log_.RowCount() == 0, "the log was not emptied");
  QXQY_FUZZ_CHECK(session_.GetDistrictTable()->Lines().Lines() == references_.district_lines,
                  "the district table does not hold the file's lines");
  QXQY_FUZZ_CHECK(session_.GetCallDistricts()->Lines() == references_.call_lines,
                  "the call-sign list does not hold the file's lines");
}

SessionDriver::~SessionDriver() = default;

bool SessionDriver::Perform(EngineAction action, FuzzedDataProvider& input) {
  switch (action) {
    case EngineAction::kSetContact:
      Write(&HostRecord::Call, PickText(input, Alphabet::kCall, kMaxRecordText));
      Write(&HostRecord::Band, PickText(input, Alphabet::kBand, kMaxRecordText));
      Write(&HostRecord::Mode, PickText(input, Alphabet::kMode, kMaxRecordText));
      Write(&HostRecord::ReportReceived, PickText(input, Alphabet::kExchange, kMaxRecordText));
      Write(&HostRecord::Wpx, PickText(input, Alphabet::kPrefix, kMaxRecordText));
      break;
    case EngineAction::kSetStation:
      Write(&HostRecord::QsoGroup, PickText(input, Alphabet::kGroup, kMaxRecordText));
      Write(&HostRecord::OwnGroup, PickText(input, Alphabet::kGroup, kMaxRecordText));
      Write(&HostRecord::Country, PickText(input, Alphabet::kCountry, kMaxRecordText));
      Write(&HostRecord::LookupCountry, PickText(input, Alphabet::kCountry, kMaxRecordText));
      break;
    case EngineAction::kSetLogTable:
      Write(&HostRecord::LogTable, PickLogTable(input).name);
      break;
    case EngineAction::kPreview:
      Preview();
      break;
    case EngineAction::kCommit:
      return Commit(/*log_it=*/false);
    case EngineAction::kCommitAndLog:
      return Commit(/*log_it=*/true);
    case EngineAction::kCommitMany:
      return CommitMany(input);
    case EngineAction::kLogRow:
      LogUncommittedRow(input);
      break;
    case EngineAction::kLogMany:
      LogMany(input);
      break;
    case EngineAction::kRebuild:
      return Rebuild();
    case EngineAction::kSuggest:
      Suggest();
      break;
    case EngineAction::kMark:
      Mark(input);
      break;
    case EngineAction::kCloseInNextPause:
      close_in_next_pause_ = true;
      break;
    case EngineAction::kClose:
      Close();
      break;
  }
  return true;
}

void SessionDriver::LetPendingMessagesRun() {
  ++pauses_;
  if (close_in_this_pause_) session_.Close();
}

ModelContact SessionDriver::Contact() const {
  return ModelContact{ReadShortText(record_.Call), ReadShortText(record_.Band),
                      ReadShortText(record_.Mode), ReadShortText(record_.ReportReceived),
                      ReadShortText(record_.Wpx)};
}

ModelStation SessionDriver::Station() const {
  return ModelStation{ReadShortText(record_.QsoGroup), ReadShortText(record_.OwnGroup),
                      ReadShortText(record_.Country)};
}

void SessionDriver::Write(ShortText HostRecord::*field, std::string_view text) {
  WriteShortText(record_.*field, text);
  WriteShortText(written_.*field, text);
}

void SessionDriver::Preview() {
  const int32_t score = session_.Preview();
  const int32_t expected = closed_ ? 0 : model_.Preview(Contact(), Station());
  QXQY_FUZZ_CHECK(score == expected, "preview %d, expected %d", score, expected);
  CheckRecordUnchanged("Preview");
}

bool SessionDriver::Commit(bool log_it) {
  if (!Spend(1)) return false;
  const int shows_before = shows_;
  const int32_t score = session_.Commit();
  const int32_t expected = closed_ ? 0 : model_.Commit(Contact(), Station());
  QXQY_FUZZ_CHECK(score == expected, "commit %d, expected %d", score, expected);
  QXQY_FUZZ_CHECK(shows_ == shows_before + (expected > 0 ? 1 : 0),
                  "a commit that gave %d showed the band %d times", score, shows_ - shows_before);
  CheckRecordUnchanged("Commit");
  if (!closed_) CheckBand(ReadShortText(record_.Band));
  if (log_it && log_.RowCount() < kMaxLogRows) {
    const ModelContact contact = Contact();
    log_.Append(LogRow{contact.call, contact.band, contact.mode, contact.exchange, contact.wpx});
  }
  return true;
}

void SessionDriver::LogUncommittedRow(FuzzedDataProvider& input) {
  LogRow row{PickLogValue(input, Alphabet::kCall), PickLogValue(input, Alphabet::kBand),
             PickLogValue(input, Alphabet::kMode), PickLogValue(input, Alphabet::kExchange),
             PickLogValue(input, Alphabet::kPrefix)};
  if (log_.RowCount() < kMaxLogRows) log_.Append(row);
}

bool SessionDriver::CommitMany(FuzzedDataProvider& input) {
  const size_t count = input.ConsumeIntegralInRange<size_t>(2, kMaxGenerated);
  for (uint8_t key : input.ConsumeBytes<uint8_t>(count)) {
    const ModelContact contact = GeneratedContact(key);
    Write(&HostRecord::Call, contact.call);
    Write(&HostRecord::Band, contact.band);
    Write(&HostRecord::Mode, contact.mode);
    Write(&HostRecord::ReportReceived, contact.exchange);
    Write(&HostRecord::Wpx, contact.wpx);
    if (!Commit(/*log_it=*/true)) return false;
  }
  return true;
}

void SessionDriver::LogMany(FuzzedDataProvider& input) {
  const size_t count = input.ConsumeIntegralInRange<size_t>(2, kMaxGenerated);
  for (uint8_t key : input.ConsumeBytes<uint8_t>(count)) {
    if (log_.RowCount() >= kMaxLogRows) break;
    const ModelContact row = GeneratedContact(key);
    log_.Append(LogRow{row.call, row.band, row.mode, row.exchange, row.wpx});
  }
}

bool SessionDriver::Rebuild() {
  if (closed_) {
    session_.Rebuild();
    CheckRecordUnchanged("Rebuild after Close");
    return true;
  }
  CheckStatistics();  // the last look at the figures the rebuild discards
  const HostRecord before = written_;

  const LogTableChoice* choice = FindLogTable(ReadShortText(record_.LogTable));
  QXQY_FUZZ_CHECK(choice != nullptr, "a log table outside the alphabet");
  const bool opens = choice->table != nullptr && record_.Connection == log_.Handle();
  static const std::vector<ModelContact> kNoRows;
  const std::vector<ModelContact>& rows = opens ? log_.RowsInQueryOrder(choice->table) : kNoRows;
  if (!Spend(kRebuildWork + rows.size())) return false;

  const bool closes = std::exchange(close_in_next_pause_, false);
  const int shows_before = shows_, clears_before = clears_, pauses_before = pauses_;
  std::optional<std::string> error;
  close_in_this_pause_ = closes;
  try {
    session_.Rebuild();
  } catch (const DatabaseError& e) {
    error = e.what();
  }
  close_in_this_pause_ = false;
  model_.Clear();
  QXQY_FUZZ_CHECK(clears_ == clears_before + 1, "a rebuild cleared the cells %d times",
                  clears_ - clears_before);
  QXQY_FUZZ_CHECK(pauses_ == pauses_before + (opens ? 1 : 0), "a rebuild paused %d times",
                  pauses_ - pauses_before);

  if (!opens || closes) {
    QXQY_FUZZ_CHECK(error.has_value() == !opens, "table \"%s\": error \"%s\"",
                    std::string(choice->name).c_str(), error ? error->c_str() : "");
    QXQY_FUZZ_CHECK(shows_ == shows_before + 1, "a rebuild that read no row showed %d times",
                    shows_ - shows_before);
    CheckRecordUnchanged("a rebuild that read no row");
    if (opens) {
      QXQY_FUZZ_CHECK(session_.Closed(), "a close during the pause left the session open");
      closed_ = true;
      CheckClosed();
    }
    return true;
  }

  const bool lacks_wpx = std::string_view(choice->table) == "NoWpx";
  if (lacks_wpx && !rows.empty()) {
    // The first row's fields before the missing column are in the record.
    QXQY_FUZZ_CHECK(error.has_value(), "a table without WPX rebuilt without an error");
    HostRecord expected = before;
    const ModelContact first = CutToRecord(rows.front());
    WriteShortText(expected.ReportReceived, first.exchange);
    WriteShortText(expected.Call, first.call);
    WriteShortText(expected.Band, first.band);
    WriteShortText(expected.Mode, first.mode);
    QXQY_FUZZ_CHECK(SameBytes(record_, expected), "the record after a failed row");
    written_ = record_;
    QXQY_FUZZ_CHECK(shows_ == shows_before + 1, "a failed rebuild showed %d times",
                    shows_ - shows_before);
    CheckStatistics();
    return true;
  }

  QXQY_FUZZ_CHECK(!error.has_value(), "table \"%s\": %s", choice->table, error->c_str());
  int remembered = 0;
  const ModelStation station = Station();
  for (const ModelContact& row : rows) {
    if (model_.Commit(CutToRecord(row), station) > 0) ++remembered;
  }
  QXQY_FUZZ_CHECK(shows_ == shows_before + 1 + remembered, "a rebuild of %d contacts showed %d",
                  remembered, shows_ - shows_before);
  QXQY_FUZZ_CHECK(SameBytes(WithoutReplayedFields(record_), WithoutReplayedFields(before)),
                  "a rebuild wrote a field it does not replay");
  QXQY_FUZZ_CHECK(ReadShortText(record_.Band) == ReadShortText(before.Band),
                  "the band was not put back");
  if (!rows.empty()) {
    const ModelContact last = CutToRecord(rows.back());
    QXQY_FUZZ_CHECK(Contact().call == last.call && Contact().mode == last.mode &&
                        Contact().exchange == last.exchange && Contact().wpx == last.wpx,
                    "the record does not hold the last row");
  } else {
    CheckRecordUnchanged("a rebuild of an empty log");
  }
  written_ = record_;
  CheckStatistics();
  return true;
}

void SessionDriver::Suggest() {
  std::string suggestion = "previous";
  session_.LookupDistrict(suggestion);
  std::string expected = "previous";
  if (!closed_) {
    CallLookupRule(references_.call_lines, ReadShortText(record_.LookupCountry),
                   ReadShortText(record_.Call), expected);
  }
  QXQY_FUZZ_CHECK(suggestion == expected, "suggestion \"%s\", expected \"%s\"", suggestion.c_str(),
                  expected.c_str());
  CheckRecordUnchanged("LookupDistrict");
}

void SessionDriver::Mark(FuzzedDataProvider& input) {
  const std::string band =
      input.ConsumeBool() ? std::string() : PickText(input, Alphabet::kBand, 16);
  const std::string district = PickText(input, Alphabet::kDistrict, 16);
  const DistrictMark mark = session_.MarkOfDistrict(band, district);
  const DistrictMark expected =
      closed_ ? DistrictMark::kNothingRecorded : model_.MarkOf(band, district);
  QXQY_FUZZ_CHECK(mark == expected, "district \"%s\" on band \"%s\": %d, expected %d",
                  district.c_str(), band.c_str(), static_cast<int>(mark),
                  static_cast<int>(expected));
}

void SessionDriver::Close() {
  session_.Close();
  closed_ = true;
  CheckClosed();
}

bool SessionDriver::Spend(size_t units) {
  if (work_ + units > kMaxWork) return false;
  work_ += units;
  return true;
}

void SessionDriver::CheckStatistics() const {
  const std::optional<StatisticsTable> table = session_.Statistics();
  if (closed_) {
    QXQY_FUZZ_CHECK(!table.has_value(), "a closed session shows figures");
    return;
  }
  QXQY_FUZZ_CHECK(table.has_value(), "an open session shows no figures");
  const auto figures = [](const ModelBand& band) {
    return statistics_table::Figures{std::to_string(band.qsos), std::to_string(band.points),
                                     std::to_string(band.districts), std::to_string(band.prefixes)};
  };
  for (size_t row = 0; row < kGridBands.size(); ++row) {
    const ModelBand* band = model_.FindBand(kGridBands[row]);
    QXQY_FUZZ_CHECK(table->bands[row].has_value() == (band != nullptr), "grid row %zu", row);
    if (band) QXQY_FUZZ_CHECK(*table->bands[row] == figures(*band), "figures of grid row %zu", row);
  }
  QXQY_FUZZ_CHECK(table->totals == figures(model_.Totals()), "the totals");
  QXQY_FUZZ_CHECK(table->score_line == model_.ScoreLine(), "\"%s\", expected \"%s\"",
                  table->score_line.c_str(), model_.ScoreLine().c_str());
  const StatList& stat_list = session_.Scoring()->stat_list();
  QXQY_FUZZ_CHECK(stat_list.Count() == model_.Bands().size(), "%zu bands, expected %zu",
                  stat_list.Count(), model_.Bands().size());
  for (size_t i = 0; i < stat_list.Count(); ++i) {
    QXQY_FUZZ_CHECK(stat_list[i].Band == model_.Bands()[i].band,
                    "band %zu is \"%s\", expected \"%s\"", i, stat_list[i].Band.c_str(),
                    model_.Bands()[i].band.c_str());
    CheckBand(stat_list[i].Band);
  }
}

void SessionDriver::CheckBand(const std::string& band) const {
  const TStatistic* entry = session_.Scoring()->stat_list().Find(band);
  const ModelBand* expected = model_.FindBand(band);
  if (expected == nullptr) {
    QXQY_FUZZ_CHECK(entry == nullptr, "band \"%s\" counted, the model has none", band.c_str());
    return;
  }
  QXQY_FUZZ_CHECK(
      entry != nullptr && entry->Qsos == expected->qsos && entry->Points == expected->points &&
          entry->Districts == expected->districts && entry->Prefixes == expected->prefixes,
      "band \"%s\" differs from the model", band.c_str());
}

void SessionDriver::CheckRecordUnchanged(const char* action) const {
  QXQY_FUZZ_CHECK(SameBytes(record_, written_), "%s wrote into the record", action);
}

void SessionDriver::CheckClosed() const {
  QXQY_FUZZ_CHECK(session_.Closed() && session_.Scoring() == nullptr &&
                      session_.GetDistrictTable() == nullptr &&
                      session_.GetCallDistricts() == nullptr && !session_.Statistics(),
                  "a closed session still holds its lists");
}

}  // namespace qxqy::fuzzing
