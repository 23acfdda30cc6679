// The site's index: one ranked table per category.
#pragma once

#include <string>
#include <vector>

#include "crosscheck/site/site_model.h"

namespace qxqy::crosscheck::site {

// The id of category `index` (counted from 0) on the index page, for links
// to its table: "category-1" for the first.
std::string CategoryAnchor(size_t index);

// index.html: for each category a heading and a table (place, station,
// claimed, checked score, contacts credited, error rate) with its rows in
// the order given, each station linking to stations/<page name>.
// `page_names` holds one name per station of the model; every row's station
// must be one of them (WriteSite checks this).
std::string IndexHtml(const SiteModel& model, const std::vector<std::string>& page_names);

}  // namespace qxqy::crosscheck::site
