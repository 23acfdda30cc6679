#include "scoring/contest_session.h"

#include "refdata/call_lookup.h"
#include "refdata/reference_files.h"

namespace qxqy {

ContestSession::ContestSession(HostRecord& record, const std::string& plugins_folder,
                               ContestObserver* observer)
    : ContestSession(record, LoadReferenceTables(plugins_folder), observer) {}

ContestSession::ContestSession(HostRecord& record,
                               const std::shared_ptr<const ReferenceTables>& tables,
                               ContestObserver* observer, Viewers viewers)
    : record_(record),
      observer_(observer),
      district_table_(tables, &tables->district_table),
      call_districts_(tables, &tables->call_districts),
      scoring_(std::make_unique<ScoringState>(record, *district_table_, observer,
                                              viewers == Viewers::kWindows
                                                  ? MultiplierKeyList::SubstringIndex::kBarEnded
                                                  : MultiplierKeyList::SubstringIndex::kNone)),
      log_query_(CreateLogQuery(record.Connection)) {}

ContestSession::~ContestSession() = default;

int32_t ContestSession::Preview() { return scoring_ ? scoring_->ScoreQso(/*commit=*/false) : 0; }

int32_t ContestSession::Commit() { return scoring_ ? scoring_->ScoreQso(/*commit=*/true) : 0; }

void ContestSession::Rebuild() {
  if (!scoring_) return;
  RebuildFromLog(*scoring_, *log_query_, record_, *this);
}

void ContestSession::LookupDistrict(std::string& suggestion) const {
  if (!call_districts_) return;
  qxqy::LookupDistrict(*call_districts_, ReadShortText(record_.LookupCountry),
                       ReadShortText(record_.Call), suggestion);
}

DistrictMark ContestSession::MarkOfDistrict(std::string_view band_label,
                                            std::string_view district) const {
  return qxqy::MarkOfDistrict(scoring_ ? &scoring_->district_mults() : nullptr, band_label,
                              district);
}

std::optional<StatisticsTable> ContestSession::Statistics() const {
  if (!scoring_) return std::nullopt;
  return StatisticsTable::From(scoring_->stat_list());
}

void ContestSession::Close() {
  log_query_->Close();
  scoring_.reset();
  district_table_.reset();
  call_districts_.reset();
}

void ContestSession::ClearStatisticsCells() {
  if (observer_ != nullptr) observer_->ClearStatisticsCells();
}

void ContestSession::ShowDXList() {
  if (observer_ != nullptr) observer_->ShowDXList();
}

bool ContestSession::LetPendingMessagesRun() {
  if (observer_ != nullptr) observer_->LetPendingMessagesRun();
  return scoring_ != nullptr;
}

}  // namespace qxqy
