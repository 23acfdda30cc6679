// What the multiplier window needs from the main window, which owns the data
// and the module's reference to the multiplier window. The lists are offered
// as pointers because the main window lets go of them when it agrees to
// close, before either window is destroyed; the multiplier window asks for
// them afresh every time it reads them and treats a null list as "nothing
// to show", so it never holds on to a released list.
#pragma once

#include <string>

#include "refdata/district_table.h"
#include "scoring/multiplier_key_list.h"

namespace qxqy {

class TfmDomList;

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
  // Empties the module's multiplier-window reference if it points at
  // `window`, which is closing. (The reference also empties by itself when
  // the window is destroyed.)
  virtual void ForgetDomList(const TfmDomList& window) = 0;

 protected:
  ~DomListSource() = default;
};

}  // namespace qxqy
