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
                           ContestObserver* observer)
    : record_(record),
      district_table_(district_table),
      observer_(observer),
      home_country_(IsHomeCountry(home_country_text_)) {}

int32_t ScoringState::ScoreQso(bool commit) {
  if (!commit) return IsDupe() ? kDuplicate : PointsOfContact();
  // One search of the contact list both checks and remembers.
  if (!qso_list_.AddIfAbsent(ShortTextView(record_.Call), ShortTextView(record_.Band),
                             ShortTextView(record_.Mode))) {
    return kDuplicate;
  }
  const int32_t points = PointsOfContact();
  TStatistic& band_entry = stat_list_.FindOrAdd(ShortTextView(record_.Band));
  band_entry.Qsos += 1;
  band_entry.Points += points;
  CountPrefixMultiplier(band_entry);
  CountDistrictMultiplier(band_entry);
  if (observer_ != nullptr) observer_->ShowDXList();
  return points;
}

bool ScoringState::IsDupe() const {
  return qso_list_.IsDupe(ShortTextView(record_.Call), ShortTextView(record_.Band),
                          ShortTextView(record_.Mode));
}

void ScoringState::AddQsoToList() {
  qso_list_.AddIfAbsent(ShortTextView(record_.Call), ShortTextView(record_.Band),
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

bool ScoringState::FromHomeCountry() {
  const std::string_view country = ShortTextView(record_.Country);
  if (country != home_country_text_) {
    home_country_ = IsHomeCountry(country);
    home_country_text_.assign(country);
  }
  return home_country_;
}

void ScoringState::CountPrefixMultiplier(TStatistic& band_entry) {
  if (!FromHomeCountry()) return;
  const MultiplierKeyText key(ShortTextView(record_.Band), ShortTextView(record_.Wpx));
  if (wpx_mults_.AddIfAbsent(key.view())) band_entry.Prefixes += 1;
}

void ScoringState::CountDistrictMultiplier(TStatistic& band_entry) {
  char letters[kDistrictCodeLength];
  if (!ExtractDistrictCode(ShortTextView(record_.ReportReceived), letters)) return;
  const std::string_view code(letters, kDistrictCodeLength);
  const MultiplierKeyText key(ShortTextView(record_.Band), code);
  // A key already listed was confirmed by the table when it was added and
  // would not be added again, so the table is asked only for a key not
  // listed byte for byte (one that differs in case is refused by the add).
  if (district_mults_.ContainsExactly(key.view())) return;
  if (district_table_.ValueOfName(code) != code) return;
  if (district_mults_.AddIfAbsent(key.view())) band_entry.Districts += 1;
}

}  // namespace qxqy
