// The contest's scoring rules written out plainly, for the fuzz targets to
// compare the contest engine with: duplicates, the points of a contact, the
// prefix and district multipliers per band, the per-band figures, the score,
// and how a district shows on a band. Each rule is its short definition over
// plain containers; nothing is shared with the engine but the answer type of
// the district marks.
//
// A multiplier key is band + "|" + code + "|" exactly as given; a key counts
// once ignoring case (see reference_rules.h), keeping its first spelling.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "scoring/district_marks.h"

namespace qxqy::fuzzing {

// A contact as the host's record holds it (each text at most 255 bytes).
struct ModelContact {
  std::string call;
  std::string band;
  std::string mode;
  std::string exchange;
  std::string wpx;
};

// The record's fields that a rebuild does not overwrite.
struct ModelStation {
  std::string qso_group;
  std::string own_group;
  std::string country;
};

struct ModelBand {
  std::string band;
  int64_t qsos = 0;
  int64_t points = 0;
  int64_t districts = 0;
  int64_t prefixes = 0;
};

// The band labels of the statistics grid's six band rows, top to bottom.
inline constexpr std::array<std::string_view, 6> kGridBands = {"1.8", "3.5", "7", "14", "21", "28"};

class ContestModel {
 public:
  static constexpr int32_t kDuplicate = -1;

  // `district_lines`: the lines of the district table that confirms codes.
  explicit ContestModel(std::vector<std::string> district_lines);

  // -1 when the same call, band and mode (byte for byte) were remembered,
  // else the points: 1 when the groups are equal ignoring case, else 3.
  int32_t Preview(const ModelContact& contact, const ModelStation& station) const;
  // As Preview; a contact that is not a duplicate is remembered and counted
  // on its band, with a prefix multiplier (home country only) and a district
  // multiplier (a code the table confirms) when its key is new.
  int32_t Commit(const ModelContact& contact, const ModelStation& station);
  // Forgets every contact, band and key.
  void Clear();

  // Nothing recorded while no district key exists; else worked when a key
  // contains band_label + "|" + district + "|".
  DistrictMark MarkOf(std::string_view band_label, std::string_view district) const;

  // One entry per band label, in the order the bands were first counted.
  const std::vector<ModelBand>& Bands() const { return bands_; }
  // The sums over every band (the band field empty).
  ModelBand Totals() const;
  // "Score: P*(D+W)=S" of the totals.
  std::string ScoreLine() const;
  // The entry of `band`, or null.
  const ModelBand* FindBand(std::string_view band) const;

 private:
  // The keys counted so far, first spellings in order, and their folded forms.
  struct KeySet {
    std::vector<std::string> spellings;
    std::unordered_set<std::string> folded;
    // Adds `key` unless present ignoring case; true when added.
    bool Add(const std::string& key);
  };

  ModelBand& BandEntry(const std::string& band);
  // The table's value of `code` equals `code`; remembered per code.
  bool Confirmed(const std::string& code);

  std::vector<std::string> district_lines_;
  std::unordered_map<std::string, bool> confirmed_;
  std::unordered_set<std::string> remembered_;
  std::vector<ModelBand> bands_;
  KeySet prefix_keys_;
  KeySet district_keys_;
};

}  // namespace qxqy::fuzzing
