// The site's one style sheet (style.css): system fonts only, dark text on a
// light background, tables that scroll inside their box on a narrow screen,
// and a print layout.
#pragma once

#include <string_view>

namespace qxqy::crosscheck::site {

std::string_view SiteStyle();

}  // namespace qxqy::crosscheck::site
