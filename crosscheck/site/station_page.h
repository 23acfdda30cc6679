// A station's page: its standing, contacts per hour, the lines that lost
// credit and its report.
#pragma once

#include <string>
#include <vector>

#include "crosscheck/site/site_model.h"

namespace qxqy::crosscheck::site {

// One place of a station: row `row` of category `category` of the model.
struct Standing {
  size_t category = 0;
  size_t row = 0;
};

// Each station's standings (one list per station of the model, in category
// order), found in one pass over the rows. Rows naming a station the model
// lacks are skipped.
std::vector<std::vector<Standing>> StationStandings(const SiteModel& model);

// stations/<page name> for `page`: the station's call; where it stands in
// each of its `standings`, with its figures; a bar chart of its contacts per
// hour on each band; its lines that lost credit as a table; its report as
// preformatted text. Links lead back to the index ("../index.html").
std::string StationHtml(const SiteModel& model, const StationPage& page,
                        const std::vector<Standing>& standings);
// The same page appended to `out`.
void AppendStationHtml(std::string& out, const SiteModel& model, const StationPage& page,
                       const std::vector<Standing>& standings);

}  // namespace qxqy::crosscheck::site
