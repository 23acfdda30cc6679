// What every page of the results site shares: the document around the
// content (head, site header, footer), and the cells of a results table.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace qxqy::crosscheck::site {

// Where a page sits: "" for the pages at the top of the site, "../" for
// those one folder down; prefixed to every link to the top.
using SiteRoot = std::string_view;

// The line every page of the site holds in its <head>, by which the writer
// knows its own pages again (a later run removes those of stations no
// longer in the results).
inline constexpr std::string_view kGeneratorMark =
    "<meta name=\"generator\" content=\"qxqy-crosscheck results site\">";

// Opens the document: the page's <title> (`page_title` bytes, then the
// contest's title), the viewport, the generator mark, the site's style sheet, the site header
// with the contest's title linking to the index, and <main>.
void AppendPageStart(std::string& out, std::string_view page_title, std::string_view contest_title,
                     SiteRoot root);

// Closes <main>, adds the footer and closes the document.
void AppendPageEnd(std::string& out);

// "<td class="num">1,234</td>", and "–" for a figure the log did not give.
void AppendNumberCell(std::string& out, std::optional<int64_t> value);

// A column header: <th scope="col"> with class "num" when `numeric`.
void AppendColumnHeader(std::string& out, std::string_view label, bool numeric);

// A station's call as a page shows it: "(no call)" for an empty one, so its
// link and heading always have text.
std::string_view CallOrPlaceholder(std::string_view call);

// The title a page shows for an empty contest title.
std::string_view ContestTitleOrDefault(std::string_view contest_title);

}  // namespace qxqy::crosscheck::site
