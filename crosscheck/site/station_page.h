// A station's page: its standing, contacts per hour, the lines that lost
// credit and its report.
#pragma once

#include <string>
#include <vector>

#include "crosscheck/site/site_model.h"

namespace qxqy::crosscheck::site {

// stations/<page name>: the station's call; where it stands in each
// category that ranks it, with its figures; a bar chart of its contacts per
// hour on each band; its lines that lost credit as a table; its report as
// preformatted text. Links lead back to the index ("../index.html").
std::string StationHtml(const SiteModel& model, size_t station);

}  // namespace qxqy::crosscheck::site
