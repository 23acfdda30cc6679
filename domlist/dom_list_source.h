// What the multiplier window reads from the main window, which owns the data.
// The lists are offered as pointers because the main window lets go of them
// when it agrees to close, before either window is destroyed; the
// multiplier window must treat a null list as "nothing to show".
#pragma once

#include <string>

#include "refdata/district_table.h"
#include "scoring/multiplier_key_list.h"

namespace qxqy {

class DomListSource {
 public:
  // The district table, or null once released.
  virtual const DistrictTable* DistrictTableForList() const = 0;
  // The district multiplier keys, or null once released.
  virtual const MultiplierKeyList* DistrictMultsForList() const = 0;
  // The main window's stored value "CurrentBand" (in memory).
  virtual std::string StoredCurrentBand() const = 0;
  // Stores `band` as "CurrentBand" in the main window's settings (in
  // memory); does nothing while the main window is going (its module
  // reference already emptied).
  virtual void StoreCurrentBand(int band) = 0;

 protected:
  ~DomListSource() = default;
};

}  // namespace qxqy
