// The contest's results as a static web site:
//   OUT_DIR/index.html              one ranked table per category
//   OUT_DIR/stations/<NAME>.html    one page per station (page_names.h)
//   OUT_DIR/style.css               the one style sheet both link
// No script, font or picture from elsewhere; every link is relative, so the
// site works opened from the disk and copied anywhere.
#pragma once

#include <cstddef>
#include <functional>
#include <string>

#include "base/error.h"
#include "crosscheck/site/site_model.h"

namespace qxqy::crosscheck::site {

// Fills in station `index`'s page just before it is written (its call is
// the model's already), so that the pages of a big contest need not all be
// held in memory at once.
using StationPageFill = std::function<void(size_t index, StationPage& page)>;

// Writes the site into `out_dir`, creating it and stations/ when missing
// and replacing files of the same names; each station's page is the
// model's, completed by `fill` when given. Then removes the pages of
// stations no longer in the results: the *.html files in stations/ that
// carry this writer's mark (kGeneratorMark, page_frame.h) and that this
// run did not write; any other file there is left alone. The index is
// written last. Throws SiteWriteError, naming the file or folder and the
// system's reason, when one cannot be created, written (a full disk
// included) or removed, or when a category's row names a station the model
// does not hold.
//
// `for_each_page`, when given, runs the station pages' jobs: it calls
// job(i) for every i below `count`, in any order and on any threads, and
// throws again the first exception a job threw once all have stopped. The
// pages are then filled and written at the same time, so `fill` must be
// safe to call so. Without it they are written one after the other.
using ForEachPage = std::function<void(size_t count, const std::function<void(size_t)>& job)>;
void WriteSite(const SiteModel& model, const std::string& out_dir, const StationPageFill& fill = {},
               const ForEachPage& for_each_page = {});

class SiteWriteError : public Error {
 public:
  explicit SiteWriteError(const std::string& message) : Error(message) {}
};

}  // namespace qxqy::crosscheck::site
