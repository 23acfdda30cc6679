#include "scoring/scoring_state.h"

#include <string>

#include "framework/text.h"
#include "refdata/home_country.h"
#include "scoring/district_code.h"

namespace qxqy {

namespace {
constexpr int32_t kSameGroupPoints = 1;
constexpr int32_t kOtherGroupPoints = 3;
}  // namespace

ScoringState::ScoringState(const HostRecord& record, const DistrictTable& district_table,
                           BandFollower& follower)
    : record_(record), district_table_(district_table), follower_(follower) {}

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
  follower_.ShowDXList();
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

void ScoringState::CountPrefixMultiplier(TStatistic& band_entry) {
  if (!IsHomeCountry(ShortTextView(record_.Country))) return;
  if (wpx_mults_.AddIfAbsent(
          MultiplierKey(ShortTextView(record_.Band), ShortTextView(record_.Wpx)))) {
    band_entry.Prefixes += 1;
  }
}

void ScoringState::CountDistrictMultiplier(TStatistic& band_entry) {
  std::string code;
  if (!ExtractDistrictCode(ShortTextView(record_.ReportReceived), &code)) return;
  if (district_table_.ValueOfName(code) != code) return;
  if (district_mults_.AddIfAbsent(MultiplierKey(ShortTextView(record_.Band), code))) {
    band_entry.Districts += 1;
  }
}

}  // namespace qxqy
