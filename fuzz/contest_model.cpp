#include "fuzz/contest_model.h"

#include <algorithm>
#include <optional>

#include "fuzz/reference_rules.h"

namespace qxqy::fuzzing {

namespace {

// The three texts joined so that no two different triples give one key:
// each text is preceded by its length (at most 255, one byte).
std::string TripleKey(const ModelContact& contact) {
  std::string key;
  for (const std::string* text : {&contact.call, &contact.band, &contact.mode}) {
    key += static_cast<char>(text->size());
    key += *text;
  }
  return key;
}

std::string MultiplierKeyOf(const std::string& band, const std::string& code) {
  return band + "|" + code + "|";
}

}  // namespace

bool ContestModel::KeySet::Add(const std::string& key) {
  if (!folded.insert(AsciiUpper(key)).second) return false;
  spellings.push_back(key);
  return true;
}

ContestModel::ContestModel(std::vector<std::string> district_lines)
    : district_lines_(std::move(district_lines)) {}

int32_t ContestModel::Preview(const ModelContact& contact, const ModelStation& station) const {
  if (remembered_.count(TripleKey(contact)) != 0) return kDuplicate;
  return SameIgnoringCase(station.qso_group, station.own_group) ? 1 : 3;
}

int32_t ContestModel::Commit(const ModelContact& contact, const ModelStation& station) {
  const int32_t points = Preview(contact, station);
  if (points == kDuplicate) return points;
  remembered_.insert(TripleKey(contact));
  ModelBand& band = BandEntry(contact.band);
  band.qsos += 1;
  band.points += points;
  if (IsHomeCountryRule(station.country) &&
      prefix_keys_.Add(MultiplierKeyOf(contact.band, contact.wpx))) {
    band.prefixes += 1;
  }
  const std::optional<std::string> code = DistrictCodeRule(contact.exchange);
  if (code && Confirmed(*code) && district_keys_.Add(MultiplierKeyOf(contact.band, *code))) {
    band.districts += 1;
  }
  return points;
}

void ContestModel::Clear() {
  remembered_.clear();
  bands_.clear();
  prefix_keys_ = KeySet();
  district_keys_ = KeySet();
}

DistrictMark ContestModel::MarkOf(std::string_view band_label, std::string_view district) const {
  const std::vector<std::string>& keys = district_keys_.spellings;
  if (keys.empty()) return DistrictMark::kNothingRecorded;
  const std::string search = std::string(band_label) + "|" + std::string(district) + "|";
  const bool worked = std::any_of(keys.begin(), keys.end(), [&](const std::string& key) {
    return key.find(search) != std::string::npos;
  });
  return worked ? DistrictMark::kWorked : DistrictMark::kNotWorked;
}

ModelBand ContestModel::Totals() const {
  ModelBand totals;
  for (const ModelBand& band : bands_) {
    totals.qsos += band.qsos;
    totals.points += band.points;
    totals.districts += band.districts;
    totals.prefixes += band.prefixes;
  }
  return totals;
}

std::string ContestModel::ScoreLine() const {
  const ModelBand t = Totals();
  return "Score: " + std::to_string(t.points) + "*(" + std::to_string(t.districts) + "+" +
         std::to_string(t.prefixes) + ")=" + std::to_string(t.points * (t.districts + t.prefixes));
}

const ModelBand* ContestModel::FindBand(std::string_view band) const {
  for (const ModelBand& entry : bands_) {
    if (entry.band == band) return &entry;
  }
  return nullptr;
}

bool ContestModel::Confirmed(const std::string& code) {
  const auto [entry, added] = confirmed_.try_emplace(code, false);
  if (added) entry->second = TableValueRule(district_lines_, code) == code;
  return entry->second;
}

ModelBand& ContestModel::BandEntry(const std::string& band) {
  for (ModelBand& entry : bands_) {
    if (entry.band == band) return entry;
  }
  bands_.push_back(ModelBand{band});
  return bands_.back();
}

}  // namespace qxqy::fuzzing
