// One remembered contact and the order of the worked-contact list.
#pragma once

#include <string>
#include <string_view>
#include <utility>

#include "base/text.h"

namespace qxqy {

// A worked contact: call, band label and mode exactly as the host gave them
// (not trimmed, case kept). Never changes once constructed.
struct TQSO {
  TQSO(std::string call, std::string band, std::string mode)
      : Call(std::move(call)), Band(std::move(band)), Mode(std::move(mode)) {}

  std::string Call;
  std::string Band;
  std::string Mode;
};

// The order of the worked-contact list: -1, 0 or 1 as the Call of `a` sorts
// before, equal to or after the Call of `b`, byte by byte (ordinal). Band and
// Mode take no part.
inline int CompareQsoCalls(const TQSO& a, const TQSO& b) { return CompareOrdinal(a.Call, b.Call); }

}  // namespace qxqy
