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

  CommitContact(points);
  if (observer_ != nullptr) observer_->ShowDXList();
  return points;
}

void ScoringState::CommitContact(int32_t points) {
  // Everything that may fail comes first: building what goes into the
  // lists, then adding to them, each addition with the strong guarantee and
  // the worked-contact list last. If one fails, those before it are taken
  // back, so no part of the contact stays counted. The counters change only
  // when nothing can fail any more.
  TQSO qso(ReadShortText(record_.Call), ReadShortText(record_.Band), ReadShortText(record_.Mode));
  std::optional<std::string> prefix_key = PrefixKeyOfContact();
  std::optional<std::string> district_key = DistrictKeyOfContact();
  const bool new_band = stat_list_.Find(qso.Band) == nullptr;
  TStatistic& band_entry = stat_list_.FindOrAdd(qso.Band);
  bool prefix_added = false;
  bool district_added = false;
  try {
    prefix_added = prefix_key && wpx_mults_.AddIfAbsent(std::move(*prefix_key));
    district_added = district_key && district_mults_.AddIfAbsent(std::move(*district_key));
    qso_list_.Add(std::move(qso));
  } catch (...) {
    if (district_added) district_mults_.RemoveLast();
    if (prefix_added) wpx_mults_.RemoveLast();
    if (new_band) stat_list_.RemoveLast();
    throw;
  }
  band_entry.Qsos += 1;
  band_entry.Points += points;
  if (prefix_added) band_entry.Prefixes += 1;
  if (district_added) band_entry.Districts += 1;
}

bool ScoringState::IsDupe() const {
  return qso_list_.IsDupe(ShortTextView(record_.Call), ShortTextView(record_.Band),
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

std::optional<std::string> ScoringState::PrefixKeyOfContact() const {
  if (!IsHomeCountry(ShortTextView(record_.Country))) return std::nullopt;
  return MultiplierKey(ShortTextView(record_.Band), ShortTextView(record_.Wpx));
}

std::optional<std::string> ScoringState::DistrictKeyOfContact() const {
  std::string code;
  if (!ExtractDistrictCode(ShortTextView(record_.ReportReceived), &code)) return std::nullopt;
  if (district_table_.ValueOfName(code) != code) return std::nullopt;
  return MultiplierKey(ShortTextView(record_.Band), code);
}

}  // namespace qxqy
