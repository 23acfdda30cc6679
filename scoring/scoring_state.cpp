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
    : record_(record), district_table_(district_table), observer_(observer) {}

int32_t ScoringState::ScoreQso(bool commit) {
  if (IsDupe()) return kDuplicate;
  const int32_t points = PointsOfContact();
  if (!commit) return points;

  AddQsoToList();
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
  qso_list_.Add(
      TQSO(ReadShortText(record_.Call), ReadShortText(record_.Band), ReadShortText(record_.Mode)));
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
