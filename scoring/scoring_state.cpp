#include "scoring/scoring_state.h"

#include <string>

#include "base/text.h"
#include "refdata/home_country.h"
#include "scoring/district_code.h"

namespace qxqy {

namespace {
constexpr int32_t kSameGroupPoints = 1;
constexpr int32_t kOtherGroupPoints = 3;
}  // namespace

ScoringState::ScoringState(const HostRecord& record, const DistrictTable& district_table,
                           ContestObserver* observer,
                           MultiplierKeyList::SubstringIndex district_index)
    : record_(record),
      district_table_(district_table),
      observer_(observer),
      district_mults_(district_index) {}

int32_t ScoringState::ScoreQso(bool commit) {
  if (!commit) return IsDupe() ? kDuplicate : PointsOfContact();
  // One search of the contact list both checks and remembers.
  if (!qso_list_.AddIfAbsent(ShortTextView(record_.Call), ShortTextView(record_.Band),
                             ShortTextView(record_.Mode))) {
    return kDuplicate;
  }
  const int32_t points = PointsOfContact();
  try {
    CountContact(points);
  } catch (...) {
    qso_list_.RemoveLast();  // no part of the contact stays remembered
    throw;
  }
  if (observer_ != nullptr) observer_->ShowDXList();
  return points;
}

void ScoringState::CountContact(int32_t points) {
  // The additions that may fail come first, each with the strong guarantee;
  // if one fails, those before it are taken back. The counters change only
  // when nothing can fail any more.
  const std::string_view band = ShortTextView(record_.Band);
  const size_t bands_before = stat_list_.Count();
  TStatistic& band_entry = stat_list_.FindOrAdd(band);
  const bool new_band = stat_list_.Count() != bands_before;
  bool prefix_added = false;
  bool district_added = false;
  try {
    prefix_added = AddPrefixKey();
    district_added = AddDistrictKey();
  } catch (...) {
    if (prefix_added) wpx_mults_.RemoveLast();
    if (new_band) stat_list_.RemoveLast();
    throw;
  }
  band_entry.Qsos += 1;
  band_entry.Points += points;
  if (prefix_added) band_entry.Prefixes += 1;
  if (district_added) band_entry.Districts += 1;
}

void ScoringState::ReserveContacts(size_t contacts, size_t text_bytes) {
  qso_list_.Reserve(contacts, text_bytes);
  district_mults_.Reserve(contacts);
  wpx_mults_.Reserve(contacts);
}

bool ScoringState::IsDupe() const {
  return qso_list_.IsDupe(ShortTextView(record_.Call), ShortTextView(record_.Band),
                          ShortTextView(record_.Mode));
}

void ScoringState::PrefetchContact() const {
  qso_list_.Prefetch(ShortTextView(record_.Call), ShortTextView(record_.Band),
                     ShortTextView(record_.Mode));
}

void ScoringState::Clear() {
  qso_list_.Clear();
  stat_list_.Clear();
  district_mults_.Clear();
  wpx_mults_.Clear();
}

int32_t ScoringState::PointsOfContact() const {
  return SameIgnoringAsciiCase(ShortTextView(record_.QsoGroup), ShortTextView(record_.OwnGroup))
             ? kSameGroupPoints
             : kOtherGroupPoints;
}

bool ScoringState::AddPrefixKey() {
  if (!IsHomeCountry(ShortTextView(record_.Country))) return false;
  const MultiplierKeyText key(ShortTextView(record_.Band), ShortTextView(record_.Wpx));
  return wpx_mults_.AddIfAbsent(key.view());
}

bool ScoringState::AddDistrictKey() {
  char letters[kDistrictCodeLength];
  if (!ExtractDistrictCode(ShortTextView(record_.ReportReceived), letters)) return false;
  const std::string_view code(letters, kDistrictCodeLength);
  const MultiplierKeyText key(ShortTextView(record_.Band), code);
  // A key already listed was confirmed by the table when it was added and
  // would not be added again, so the table is asked only for a key not
  // listed byte for byte (one that differs in case is refused by the add).
  return district_mults_.AddIfAbsent(key.view(),
                                     [&] { return district_table_.ValueOfName(code) == code; });
}

}  // namespace qxqy
