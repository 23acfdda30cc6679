#include "scoring/district_marks.h"

#include <string>

namespace qxqy {

DistrictMark MarkOfDistrict(const MultiplierKeyList* district_mults, std::string_view band_label,
                            std::string_view district) {
  if (district_mults == nullptr || district_mults->Empty()) return DistrictMark::kNothingRecorded;
  std::string search;
  search.reserve(band_label.size() + district.size() + 2);
  search.append(band_label).append("|").append(district).append("|");
  return district_mults->AnyKeyContains(search) ? DistrictMark::kWorked : DistrictMark::kNotWorked;
}

}  // namespace qxqy
