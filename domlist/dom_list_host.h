// What the multiplier window needs from the main window besides the contest
// data: the stored band, which lives in the main window's settings, and the
// module's reference to the multiplier window, which the main window keeps.
#pragma once

#include <string>

namespace qxqy {

class TfmDomList;

class DomListHost {
 public:
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
  ~DomListHost() = default;
};

}  // namespace qxqy
