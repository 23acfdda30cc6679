// The contest's results as a static web site:
//   OUT_DIR/index.html              one ranked table per category
//   OUT_DIR/stations/<NAME>.html    one page per station (page_names.h)
//   OUT_DIR/style.css               the one style sheet both link
// No script, font or picture from elsewhere; every link is relative, so the
// site works opened from the disk and copied anywhere.
#pragma once

#include <string>

#include "base/error.h"
#include "crosscheck/site/site_model.h"

namespace qxqy::crosscheck::site {

// Writes the site into `out_dir`, creating it and stations/ when missing
// and replacing files of the same names. Throws SiteWriteError, naming the
// file or folder and the system's reason, when one cannot be created or
// written (a full disk included), or when a category's row names a station
// the model does not hold.
void WriteSite(const SiteModel& model, const std::string& out_dir);

class SiteWriteError : public Error {
 public:
  explicit SiteWriteError(const std::string& message) : Error(message) {}
};

}  // namespace qxqy::crosscheck::site
