#include "crosscheck/site/page_frame.h"

#include "crosscheck/site/html_text.h"

namespace qxqy::crosscheck::site {

std::string_view ContestTitleOrDefault(std::string_view contest_title) {
  return contest_title.empty() ? std::string_view("Contest results") : contest_title;
}

std::string_view CallOrPlaceholder(std::string_view call) {
  return call.empty() ? std::string_view("(no call)") : call;
}

void AppendPageStart(std::string& out, std::string_view page_title, std::string_view contest_title,
                     SiteRoot root) {
  const std::string contest = HtmlText(ContestTitleOrDefault(contest_title));
  out +=
      "<!DOCTYPE html>\n<html lang=\"en\">\n<head>\n<meta charset=\"utf-8\">\n"
      "<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\">\n";
  out += kGeneratorMark;
  out += "\n<title>";
  if (!page_title.empty()) {
    AppendHtmlText(out, page_title);
    out += " \u2013 ";
  }
  out += contest + "</title>\n<link rel=\"stylesheet\" href=\"";
  out += root;
  out +=
      "style.css\">\n</head>\n<body>\n<header class=\"site-header\">\n<div class=\"wrap\">\n"
      "<p class=\"site-name\"><a href=\"";
  out += root;
  out += "index.html\">" + contest + "</a></p>\n</div>\n</header>\n<main class=\"wrap\">\n";
}

void AppendPageEnd(std::string& out) {
  out +=
      "</main>\n<footer class=\"site-footer\">\n<div class=\"wrap\">\n"
      "<p>Checked by qxqy-crosscheck: every log against the others.</p>\n"
      "</div>\n</footer>\n</body>\n</html>\n";
}

void AppendNumberCell(std::string& out, std::optional<int64_t> value) {
  out += "<td class=\"num\">";
  out += value ? GroupedNumber(*value) : "\u2013";
  out += "</td>";
}

void AppendColumnHeader(std::string& out, std::string_view label, bool numeric) {
  out += numeric ? "<th scope=\"col\" class=\"num\">" : "<th scope=\"col\">";
  out += label;
  out += "</th>";
}

}  // namespace qxqy::crosscheck::site
