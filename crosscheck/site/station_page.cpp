#include "crosscheck/site/station_page.h"

#include "crosscheck/site/hour_chart.h"
#include "crosscheck/site/html_text.h"
#include "crosscheck/site/index_page.h"
#include "crosscheck/site/page_frame.h"

namespace qxqy::crosscheck::site {
namespace {

void AppendFigure(std::string& out, const char* label, const std::string& value) {
  out += "<div><dt>";
  out += label;
  out += "</dt><dd>" + value + "</dd></div>\n";
}

// Each category that ranks the station: its place and its figures.
void AppendStanding(std::string& out, const SiteModel& model,
                    const std::vector<Standing>& standings) {
  for (const Standing& standing : standings) {
    const Category& category = model.categories[standing.category];
    const RankedStation& row = category.rows[standing.row];
    out += "<p class=\"standing\">Place " + GroupedNumber(row.place) + " of " +
           GroupedNumber(static_cast<int64_t>(category.rows.size())) +
           " in <a href=\"../index.html#" + CategoryAnchor(standing.category) + "\">";
    AppendHtmlText(out, category.title);
    out += "</a></p>\n<dl class=\"figures\">\n";
    AppendFigure(out, "Checked score", GroupedNumber(row.checked_score));
    AppendFigure(out, "Claimed", row.claimed ? GroupedNumber(*row.claimed) : "\u2013");
    AppendFigure(out, "Contacts credited", GroupedNumber(row.contacts_credited));
    AppendFigure(out, "Error rate", Percentage(row.error_rate));
    out += "</dl>\n";
  }
}

void AppendActivity(std::string& out, const HourlyActivity& activity) {
  out += "<section aria-labelledby=\"activity\">\n<h2 id=\"activity\">Contacts per hour</h2>\n";
  const bool charted = !activity.bands.empty() && HourCount(activity) > 0;
  if (!charted) out += "<p>No contact to show.</p>\n";
  if (HourCount(activity) > kMaxChartHours) {
    out += "<p>The contacts span " + GroupedNumber(static_cast<int64_t>(HourCount(activity))) +
           " hours; the charts show the first " +
           GroupedNumber(static_cast<int64_t>(kMaxChartHours)) + ".</p>\n";
  }
  if (activity.contacts_not_shown > 0) {
    const bool one = activity.contacts_not_shown == 1;
    out += "<p>" + GroupedNumber(activity.contacts_not_shown) +
           (one ? " contact was" : " contacts were") + " logged outside " +
           (charted ? "these hours" : "the contest\u2019s hours") + " and " + (one ? "is" : "are") +
           " not shown.</p>\n";
  }
  if (charted) {
    out += "<div class=\"charts\">\n";
    AppendHourCharts(out, activity);
    out += "</div>\n";
  }
  out += "</section>\n";
}

// A cell of the lost lines' table: its look comes from its column
// (table.lost in the style sheet), so the cell carries no class.
void AppendCell(std::string& out, std::string_view bytes) {
  out += "<td>";
  AppendHtmlText(out, bytes);
  out += "</td>";
}

void AppendNumber(std::string& out, int64_t value) {
  out += "<td>";
  out += GroupedNumber(value);
  out += "</td>";
}

void AppendLostLines(std::string& out, const std::vector<LostLine>& lines) {
  out += "<section aria-labelledby=\"lost\">\n<h2 id=\"lost\">Lines that lost credit</h2>\n";
  if (lines.empty()) {
    out += "<p>No line lost credit.</p>\n</section>\n";
    return;
  }
  out +=
      "<div class=\"table-wrap\">\n<table class=\"lost\" aria-labelledby=\"lost\">\n"
      "<thead>\n<tr>";
  AppendColumnHeader(out, "Line", true);
  AppendColumnHeader(out, "Call", false);
  AppendColumnHeader(out, "Band", false);
  AppendColumnHeader(out, "Mode", false);
  AppendColumnHeader(out, "Time", false);
  AppendColumnHeader(out, "Decision", false);
  AppendColumnHeader(out, "Evidence", false);
  AppendColumnHeader(out, "Penalty", true);
  out += "</tr>\n</thead>\n<tbody>\n";
  for (const LostLine& line : lines) {
    out += "<tr>";
    AppendNumber(out, line.line);
    AppendCell(out, line.call);
    AppendCell(out, line.band);
    AppendCell(out, line.mode);
    AppendCell(out, line.time);
    out += "<td><span>";
    AppendHtmlText(out, line.decision);
    out += "</span></td>";
    AppendCell(out, line.evidence);
    AppendNumber(out, line.penalty);
    out += "</tr>\n";
  }
  out += "</tbody>\n</table>\n</div>\n</section>\n";
}

void AppendReport(std::string& out, const std::string& report) {
  out += "<section aria-labelledby=\"report\">\n<h2 id=\"report\">Report</h2>\n";
  if (report.empty()) {
    out += "<p>No report.</p>\n";
  } else {
    // The report's columns line up in a fixed-width font; a long line
    // scrolls inside its box (tabindex lets the keyboard scroll it).
    out +=
        "<div class=\"report-wrap\" tabindex=\"0\" role=\"region\" aria-label=\"Report text\">"
        "<pre class=\"report\">";
    AppendHtmlText(out, report);
    out += "</pre></div>\n";
  }
  out += "</section>\n";
}

}  // namespace

std::vector<std::vector<Standing>> StationStandings(const SiteModel& model) {
  std::vector<std::vector<Standing>> standings(model.stations.size());
  for (size_t c = 0; c < model.categories.size(); ++c) {
    const std::vector<RankedStation>& rows = model.categories[c].rows;
    for (size_t r = 0; r < rows.size(); ++r) {
      if (rows[r].station < standings.size()) standings[rows[r].station].push_back({c, r});
    }
  }
  return standings;
}

std::string StationHtml(const SiteModel& model, const StationPage& page,
                        const std::vector<Standing>& standings) {
  std::string out;
  AppendStationHtml(out, model, page, standings);
  return out;
}

void AppendStationHtml(std::string& out, const SiteModel& model, const StationPage& page,
                       const std::vector<Standing>& standings) {
  AppendPageStart(out, CallOrPlaceholder(page.call), model.contest_title, "../");
  out +=
      "<nav class=\"breadcrumb\" aria-label=\"Breadcrumb\"><a href=\"../index.html\">"
      "All results</a></nav>\n<h1 class=\"call\">";
  AppendHtmlText(out, CallOrPlaceholder(page.call));
  out += "</h1>\n";
  AppendStanding(out, model, standings);
  AppendActivity(out, page.activity);
  AppendLostLines(out, page.lost_lines);
  AppendReport(out, page.report);
  AppendPageEnd(out);
}

}  // namespace qxqy::crosscheck::site
