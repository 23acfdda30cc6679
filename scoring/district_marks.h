// What the multiplier window reads of a contest: the district table it
// lists, and how each district shows on the selected band. A contest
// session answers it; a window's own tests may answer it with a fake.
#pragma once

#include <string_view>

#include "refdata/district_table.h"
#include "scoring/multiplier_key_list.h"

namespace qxqy {

enum class DistrictMark {
  kNothingRecorded,  // no district multiplier recorded at all: the list's own look
  kWorked,           // worked on the band asked about
  kNotWorked,
};

// How `district` shows on the band labelled `band_label` (the empty label
// stands for any band), given the district multiplier keys (null when there
// are none to read). A key reads band|code|, so the search text is
// delimited by bars: a code never matches part of a longer one, nor one band
// label another.
DistrictMark MarkOfDistrict(const MultiplierKeyList* district_mults, std::string_view band_label,
                            std::string_view district);

class DistrictMarks {
 public:
  // The district table, or null once released.
  virtual const DistrictTable* GetDistrictTable() const = 0;
  virtual DistrictMark MarkOfDistrict(std::string_view band_label,
                                      std::string_view district) const = 0;

 protected:
  ~DistrictMarks() = default;
};

}  // namespace qxqy
