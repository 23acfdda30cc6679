#include "fuzz/host_session.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <cstring>
#include <memory>
#include <stdexcept>

#include "MainForm/main_form.h"
#include "Plugin/entry_points.h"
#include "Plugin/module_state.h"
#include "base/text.h"
#include "domlist/dom_list.h"
#include "fuzz/fuzz_check.h"
#include "scoring/statistics_table.h"
#include "tests/support/record_builder.h"
#include "ui/application.h"
#include "ui/error_box.h"

namespace qxqy::fuzzing {

namespace {

// Small alphabets, so that duplicates, case variants and blanks meet often.
const char* const kCalls[] = {"QX1AB", "QX1ab", "QY2CD", "DL1XY", "", "QX1AB "};
const char* const kBands[] = {"14", "7", "10", " 14", "1.8", "21", "99"};
const char* const kModes[] = {"CW", "SSB"};
const char* const kExchanges[] = {"599 ALB", "599 alb", "5NN BEX", "001", "599 XYZ", "599 abc"};
const char* const kPrefixes[] = {"QX1", "qx1", "QY2", ""};
const char* const kGroups[] = {"QX", "qx", "DX", ""};
const char* const kCountries[] = {"QX", "qy ", "DL"};
const char* const kLookupCountries[] = {"QX", "DL"};
constexpr char kLogTable[] = "QSOs";
constexpr char kMissingTable[] = "Missing";

template <size_t N>
const char* Pick(FuzzedDataProvider& input, const char* const (&alphabet)[N]) {
  return alphabet[input.ConsumeIntegralInRange<size_t>(0, N - 1)];
}

TfmMainForm* MainWindow() { return plugin::Module().main_form.get(); }
TfmDomList* MultiplierWindow() { return plugin::Module().dom_list.get(); }

std::string TotalContacts(const TfmMainForm& form) {
  return form.StringGrid1.Cell(1, statistics_table::kTotalRow);
}

}  // namespace

HostSession::HostSession(LogDatabase& log) : log_(log) { log_.Clear(); }

HostSession::~HostSession() {
  plugin::ReleasePlugin();
  Application::Instance().ProcessMessages();
  CheckWindows(/*after_dispatch=*/true, /*check_marks=*/true);
  QXQY_FUZZ_CHECK(Application::Instance().Components().empty(), "windows outlived the release");
}

HostRecord HostSession::NextRecord(FuzzedDataProvider& input) {
  testing::RecordBuilder record;
  record.Connection(log_.Handle())
      .LogTable(input.ConsumeIntegralInRange(0, 7) == 0 ? kMissingTable : kLogTable)
      .Contact(Pick(input, kCalls), Pick(input, kBands), Pick(input, kModes),
               Pick(input, kExchanges))
      .Wpx(Pick(input, kPrefixes))
      .QsoGroup(Pick(input, kGroups))
      .OwnGroup(Pick(input, kGroups))
      .Country(Pick(input, kCountries))
      .LookupCountry(Pick(input, kLookupCountries))
      .LogCaption("Log \xE9\xFF");
  return record.Get();
}

void HostSession::Log(const HostRecord& record) {
  LogRow row{ReadShortText(record.Call), ReadShortText(record.Band), ReadShortText(record.Mode),
             ReadShortText(record.ReportReceived), ReadShortText(record.Wpx)};
  logged_.emplace_back(*row.call, *row.band, *row.mode);
  log_.Append(row);
}

void HostSession::ExpectRebuild(TfmMainForm& form) {
  ObserveFigures(form);
  remembered_.clear();
  if (current_log_table_ == kLogTable) {
    remembered_.insert(logged_.begin(), logged_.end());
    QXQY_FUZZ_CHECK(TotalContacts(form) == IntToText(static_cast<long long>(remembered_.size())),
                    "after a rebuild the total reads \"%s\", the log holds %zu contacts",
                    TotalContacts(form).c_str(), remembered_.size());
  } else {
    ++expected_error_boxes_;
    QXQY_FUZZ_CHECK(TotalContacts(form).empty(), "a failed rebuild left the total \"%s\"",
                    TotalContacts(form).c_str());
    QXQY_FUZZ_CHECK(form.BitBtn1.Enabled(), "a failed rebuild left Recalc disabled");
  }
}

bool HostSession::Run(const HostRecord& record) {
  const bool creates = MainWindow() == nullptr;
  if (creates) {
    if (!Spend(kWindowWork + logged_.size())) return false;
    current_log_table_ = ReadShortText(record.LogTable);
    log_.Flush();
  }
  const uint32_t handle = plugin::Run(0, &record);
  TfmMainForm* form = MainWindow();
  QXQY_FUZZ_CHECK(form != nullptr && handle == form->Handle(), "Run left no window");
  if (creates) ExpectRebuild(*form);
  return true;
}

bool HostSession::Recalc(TfmMainForm& form) {
  if (!Spend(kRebuildWork + logged_.size())) return false;
  log_.Flush();
  form.BitBtn1.Click();
  ExpectRebuild(form);
  return true;
}

bool HostSession::Spend(size_t units) {
  if (work_ + units > kMaxWork) return false;
  work_ += units;
  return true;
}

void HostSession::ObserveFigures(const TfmMainForm& form) {
  for (int row = 0; row < statistics_table::kRows; ++row) {
    for (int col = 0; col < statistics_table::kColumns; ++col) {
      Observe(form.StringGrid1.Cell(col, row));
    }
  }
  Observe(form.Label1.Caption());
}

void HostSession::Observe(std::string_view text) {
  for (unsigned char c : text) digest_ = (digest_ ^ c) * 0x100000001B3ull;
  digest_ = (digest_ ^ 0xFF) * 0x100000001B3ull;  // ends the text
}

void HostSession::GetScore(const HostRecord& record) {
  current_log_table_ = ReadShortText(record.LogTable);
  const int32_t score = plugin::GetScore(&record);
  Observe(std::to_string(score));
  if (MainWindow() == nullptr) {
    QXQY_FUZZ_CHECK(score == 0, "GetScore gave %d without a window", score);
    return;
  }
  const Triple contact{ReadShortText(record.Call), ReadShortText(record.Band),
                       ReadShortText(record.Mode)};
  const int32_t points =
      SameIgnoringAsciiCase(ReadShortText(record.QsoGroup), ReadShortText(record.OwnGroup)) ? 1 : 3;
  const int32_t expected = remembered_.count(contact) ? -1 : points;
  QXQY_FUZZ_CHECK(score == expected, "score %d, expected %d for \"%s\" \"%s\" \"%s\"", score,
                  expected, std::get<0>(contact).c_str(), std::get<1>(contact).c_str(),
                  std::get<2>(contact).c_str());
}

void HostSession::AddQso(const HostRecord& record) {
  GetScore(record);  // the preview the host asks for while the contact is typed
  const bool was_remembered = remembered_.count(
      {ReadShortText(record.Call), ReadShortText(record.Band), ReadShortText(record.Mode)});
  const int32_t score = plugin::AddQSO(&record);
  Observe(std::to_string(score));
  Log(record);
  TfmMainForm* form = MainWindow();
  if (form == nullptr) {
    QXQY_FUZZ_CHECK(score == 0, "AddQSO gave %d without a window", score);
    return;
  }
  QXQY_FUZZ_CHECK((score == -1) == was_remembered, "AddQSO gave %d", score);
  remembered_.insert(logged_.back());
  QXQY_FUZZ_CHECK(TotalContacts(*form) == IntToText(static_cast<long long>(remembered_.size())),
                  "the total reads \"%s\", %zu contacts remembered", TotalContacts(*form).c_str(),
                  remembered_.size());
  ObserveFigures(*form);
}

void HostSession::GrabNumber(const HostRecord& record) {
  current_log_table_ = ReadShortText(record.LogTable);
  auto result = std::make_unique<ShortText>();
  std::memset(result.get(), 0xA5, sizeof(ShortText));
  plugin::GrabNumber(&record, result.get());
  Observe(ReadShortText(*result));
  const uint8_t* bytes = reinterpret_cast<const uint8_t*>(result.get());
  for (size_t i = 1u + bytes[0]; i < sizeof(ShortText); ++i) {
    QXQY_FUZZ_CHECK(bytes[i] == 0xA5, "GrabNumber wrote byte %zu", i);
  }
}

bool HostSession::Perform(HostAction action, FuzzedDataProvider& input) {
  TfmMainForm* form = MainWindow();
  TfmDomList* dom_list = MultiplierWindow();
  switch (action) {
    case HostAction::kRun:
      if (!Run(NextRecord(input))) return false;
      break;
    case HostAction::kGetScore:
      GetScore(NextRecord(input));
      break;
    case HostAction::kAddQso:
      AddQso(NextRecord(input));
      break;
    case HostAction::kGrabNumber:
      GrabNumber(NextRecord(input));
      break;
    case HostAction::kRelease:
      plugin::ReleasePlugin();
      break;
    case HostAction::kPumpMessages:
      Application::Instance().ProcessMessages();
      break;
    case HostAction::kRecalc:
      if (form && !Recalc(*form)) return false;
      break;
    case HostAction::kDistrict:
      if (form) form->btnOBL1.Click();
      break;
    case HostAction::kCloseBox:
      if (form) form->SysCommand(kScClose);
      break;
    case HostAction::kClose:
      if (form) form->Close();
      break;
    case HostAction::kBandClick:
      if (dom_list) dom_list->BandButton(input.ConsumeIntegralInRange(1, 9)).Click();
      break;
    case HostAction::kCloseMultiplierWindow:
      if (dom_list) dom_list->Close();
      break;
  }
  CheckWindows(action == HostAction::kPumpMessages, ChangesMarks(action),
               action == HostAction::kAddQso || action == HostAction::kBandClick);
  // Counted per action and then forgotten: the log keeps only its latest
  // 256 messages, and a long input may fail more rebuilds than that.
  QXQY_FUZZ_CHECK(ErrorBoxLog().size() == expected_error_boxes_, "%zu error boxes, expected %zu",
                  ErrorBoxLog().size(), expected_error_boxes_);
  for (const std::string& message : ErrorBoxLog()) Observe(message);
  ClearErrorBoxLog();
  expected_error_boxes_ = 0;
  return true;
}

bool HostSession::ChangesMarks(HostAction action) {
  switch (action) {
    case HostAction::kRun:
    case HostAction::kAddQso:
    case HostAction::kRecalc:
    case HostAction::kDistrict:
    case HostAction::kBandClick:
    case HostAction::kCloseBox:  // a closed main window's lists are gone
    case HostAction::kClose:
      return true;
    default:
      return false;
  }
}

HostSession::MarksBasis HostSession::BasisOf(const TfmDomList& window) {
  const auto* owner = static_cast<const TfmMainForm*>(window.Owner());
  const ScoringState* scoring = owner->Session().Scoring();
  return MarksBasis{&window, scoring ? scoring->district_mults().Keys().size() : 0,
                    window.CurrentBandText, window.LV1.Count()};
}

void HostSession::CheckWindows(bool after_dispatch, bool check_marks, bool only_adds_keys) {
  TfmMainForm* form = MainWindow();
  if (form)
    QXQY_FUZZ_CHECK(form->Session().Scoring() != nullptr, "the referenced window has no state");
  TfmDomList* dom_list = MultiplierWindow();
  if (dom_list) {
    QXQY_FUZZ_CHECK(dynamic_cast<TfmMainForm*>(dom_list->Owner()) != nullptr,
                    "the multiplier window is not owned by a main window");
    if (check_marks) {
      MarksBasis basis = BasisOf(*dom_list);
      if (!only_adds_keys || !(marks_checked_against_ && *marks_checked_against_ == basis)) {
        CheckItemColours(*dom_list);
        marks_checked_against_ = std::move(basis);
      }
    }
  }
  if (!after_dispatch) return;
  // Once the pending releases are dispatched, exactly the referenced
  // windows are alive.
  size_t main_windows = 0;
  size_t multiplier_windows = 0;
  for (Component* component : Application::Instance().Components()) {
    if (!dynamic_cast<TfmMainForm*>(component)) continue;
    ++main_windows;
    for (Component* owned : component->Components()) {
      if (dynamic_cast<TfmDomList*>(owned)) ++multiplier_windows;
    }
  }
  QXQY_FUZZ_CHECK(main_windows == (form ? 1u : 0u), "%zu main windows alive", main_windows);
  QXQY_FUZZ_CHECK(multiplier_windows == (dom_list ? 1u : 0u), "%zu multiplier windows alive",
                  multiplier_windows);
}

// Red bold exactly when a district key of the owning window contains
// band|caption|; the list's own font when that window holds no keys. The
// band and the marks go into the digest.
void HostSession::CheckItemColours(TfmDomList& window) {
  const auto* owner = static_cast<const TfmMainForm*>(window.Owner());
  const ScoringState* scoring = owner->Session().Scoring();
  const Font list_font = window.LV1.GetFont();
  std::string all_keys;
  if (scoring != nullptr) {
    for (const std::string& key : scoring->district_mults().Keys()) all_keys.append(key) += '\n';
  }
  std::string marks;
  for (int i = 0; i < window.LV1.Count(); ++i) {
    const Font font = window.LV1.DrawItemFont(i);
    marks += font.bold ? 'B' : '-';
    if (scoring == nullptr || scoring->district_mults().Empty()) {
      QXQY_FUZZ_CHECK(font == list_font, "item %d drawn from no keys changed its font", i);
      continue;
    }
    const std::string search = window.CurrentBandText + "|" + window.LV1.Caption(i) + "|";
    // A line break ends every key: no band text or caption holds one, so
    // a match cannot run from one key into the next.
    QXQY_FUZZ_CHECK(search.find('\n') == std::string::npos, "a line break in \"%s\"",
                    search.c_str());
    const bool worked = all_keys.find(search) != std::string::npos;
    QXQY_FUZZ_CHECK(font.bold == worked, "item \"%s\" on band \"%s\"",
                    window.LV1.Caption(i).c_str(), window.CurrentBandText.c_str());
  }
  Observe(window.CurrentBandText);
  Observe(marks);
}

}  // namespace qxqy::fuzzing
