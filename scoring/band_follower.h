// What the scoring engine tells the user interface after each remembered
// contact.
#pragma once

namespace qxqy {

class BandFollower {
 public:
  virtual ~BandFollower() = default;
  // Called after every committed contact that was not a duplicate; makes an
  // open multiplier window follow the band of the current record.
  virtual void ShowDXList() = 0;
};

}  // namespace qxqy
