#include "tests/faults/reference_scoring.h"

#include <sstream>
#include <utility>

namespace qxqy::testing {

ReferenceScoring::ReferenceScoring(const HostRecord& station,
                                   std::vector<std::string> district_lines)
    : record_(station), state_(record_, district_table_, nullptr) {
  district_table_.Assign(std::move(district_lines));
}

void ReferenceScoring::Commit(const LogContact& contact) {
  WriteShortText(record_.ReportReceived, contact.report);
  WriteShortText(record_.Call, contact.call);
  WriteShortText(record_.Band, contact.band);
  WriteShortText(record_.Mode, contact.mode);
  WriteShortText(record_.Wpx, contact.wpx);
  fed_.push_back(contact);
  state_.ScoreQso(/*commit=*/true);
}

std::string ScoringFingerprint(const ScoringState& state, const ReferenceScoring& reference) {
  const ScoringState& probes = reference.State();
  std::ostringstream text;
  text << "contacts: " << state.qso_list().Count() << " held:";
  for (const LogContact& contact : reference.Fed()) {
    text << ' ' << state.qso_list().IsDupe(contact.call, contact.band, contact.mode);
  }
  text << "\nbands:";
  for (const TStatistic& s : state.stat_list()) {
    text << ' ' << s.Band << '=' << s.Qsos << ',' << s.Points << ',' << s.Districts << ','
         << s.Prefixes;
  }
  text << "\ndistricts:";
  for (const std::string& key : state.district_mults().Keys()) text << ' ' << key;
  text << "\nprefixes:";
  for (const std::string& key : state.wpx_mults().Keys()) text << ' ' << key;
  text << "\nfound:";
  for (const std::string& key : probes.district_mults().Keys()) {
    const std::string code_end = key.substr(key.find('|') + 1);
    text << ' ' << state.district_mults().ContainsIgnoringCase(key)
         << state.district_mults().AnyKeyContains(key)
         << state.district_mults().AnyKeyContains(code_end);
  }
  for (const std::string& key : probes.wpx_mults().Keys()) {
    text << ' ' << state.wpx_mults().ContainsIgnoringCase(key);
  }
  return text.str();
}

}  // namespace qxqy::testing
