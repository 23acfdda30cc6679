#include "crosscheck/site/index_page.h"

#include "crosscheck/site/html_text.h"
#include "crosscheck/site/page_frame.h"

namespace qxqy::crosscheck::site {
namespace {

std::string Counted(size_t count, const char* one, const char* many) {
  return GroupedNumber(static_cast<int64_t>(count)) + " " + (count == 1 ? one : many);
}

void AppendContents(std::string& out, const SiteModel& model) {
  out += "<nav class=\"contents\" aria-label=\"Categories\">\n<ul>\n";
  for (size_t i = 0; i < model.categories.size(); ++i) {
    const Category& category = model.categories[i];
    out += "<li><a href=\"#" + CategoryAnchor(i) + "\">";
    AppendHtmlText(out, category.title);
    out += "</a> <span class=\"count\">" +
           GroupedNumber(static_cast<int64_t>(category.rows.size())) + "</span></li>\n";
  }
  out += "</ul>\n</nav>\n";
}

void AppendCategory(std::string& out, const SiteModel& model, size_t index,
                    const std::vector<std::string>& page_names) {
  const Category& category = model.categories[index];
  const std::string anchor = CategoryAnchor(index);
  out +=
      "<section class=\"category\" aria-labelledby=\"" + anchor + "\">\n<h2 id=\"" + anchor + "\">";
  AppendHtmlText(out, category.title);
  out += " <span class=\"count\">" + Counted(category.rows.size(), "station", "stations") +
         "</span></h2>\n";
  if (category.rows.empty()) {
    out += "<p>No log in this category.</p>\n</section>\n";
    return;
  }
  out += "<div class=\"table-wrap\">\n<table class=\"results\" aria-labelledby=\"" + anchor +
         "\">\n<thead>\n<tr>";
  AppendColumnHeader(out, "Place", true);
  AppendColumnHeader(out, "Station", false);
  AppendColumnHeader(out, "Claimed", true);
  AppendColumnHeader(out, "Checked score", true);
  AppendColumnHeader(out, "Contacts credited", true);
  AppendColumnHeader(out, "Error rate", true);
  out += "</tr>\n</thead>\n<tbody>\n";
  for (const RankedStation& row : category.rows) {
    out += "<tr>";
    AppendNumberCell(out, row.place);
    out += "<td class=\"call\"><a href=\"stations/" + page_names[row.station] + "\">";
    AppendHtmlText(out, CallOrPlaceholder(model.stations[row.station].call));
    out += "</a></td>";
    AppendNumberCell(out, row.claimed);
    out += "<td class=\"num score\">" + GroupedNumber(row.checked_score) + "</td>";
    AppendNumberCell(out, row.contacts_credited);
    out += "<td class=\"num\">" + Percentage(row.error_rate) + "</td></tr>\n";
  }
  out += "</tbody>\n</table>\n</div>\n</section>\n";
}

}  // namespace

std::string CategoryAnchor(size_t index) { return "category-" + std::to_string(index + 1); }

std::string IndexHtml(const SiteModel& model, const std::vector<std::string>& page_names) {
  std::string out;
  AppendPageStart(out, "", model.contest_title, "");
  out += "<h1>Results</h1>\n";
  if (model.categories.empty()) {
    out += "<p class=\"lead\">No logs were checked.</p>\n";
  } else {
    out += "<p class=\"lead\">" + Counted(model.stations.size(), "station", "stations") + " in " +
           Counted(model.categories.size(), "category", "categories") +
           ", each ranked by checked score. A station\u2019s page shows its report, the lines "
           "that lost credit and its contacts per hour.</p>\n";
    if (model.categories.size() > 1) AppendContents(out, model);
    for (size_t i = 0; i < model.categories.size(); ++i) AppendCategory(out, model, i, page_names);
  }
  AppendPageEnd(out);
  return out;
}

}  // namespace qxqy::crosscheck::site
