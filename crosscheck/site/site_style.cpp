#include "crosscheck/site/site_style.h"

namespace qxqy::crosscheck::site {

std::string_view SiteStyle() {
  return R"css(/* Contest results: one style sheet for every page. */
:root {
  --text: #1b1f24;
  --muted: #4a5361;
  --line: #d5dae1;
  --stripe: #f4f6f9;
  --accent: #1f4e8c;
  --link: #0b4fa8;
  --bar: #2f6db5;
  --page: #ffffff;
}
*, *::before, *::after { box-sizing: border-box; }
html { -webkit-text-size-adjust: 100%; text-size-adjust: 100%; }
body {
  margin: 0;
  max-width: 100%;
  overflow-wrap: break-word;
  background: var(--page);
  color: var(--text);
  font: 16px/1.5 system-ui, -apple-system, "Segoe UI", Roboto, "Helvetica Neue", Arial,
        "Noto Sans", "Liberation Sans", sans-serif;
}
.wrap { max-width: 72rem; margin: 0 auto; padding: 0 1.25rem; }
a { color: var(--link); text-decoration: underline; text-underline-offset: 0.15em; }
a:hover { color: #06356f; text-decoration-thickness: 2px; }
a:focus-visible, .report-wrap:focus-visible { outline: 3px solid #f2a900; outline-offset: 2px; }

.site-header { border-top: 5px solid var(--accent); border-bottom: 1px solid var(--line); }
.site-name { margin: 0; padding: 0.9rem 0; font-size: 1.15rem; font-weight: 700; letter-spacing: 0.01em; }
.site-name a { color: var(--text); text-decoration: none; }
.site-name a:hover { text-decoration: underline; }
.site-footer { margin-top: 3rem; border-top: 1px solid var(--line); color: var(--muted); font-size: 0.875rem; }
.site-footer p { margin: 1rem 0 1.5rem; }

h1 { font-size: 2rem; line-height: 1.2; margin: 1.75rem 0 0.5rem; }
h2 { font-size: 1.3rem; line-height: 1.3; margin: 2.25rem 0 0.75rem; }
h2 .count { font-size: 0.875rem; font-weight: 400; color: var(--muted); margin-left: 0.4rem; white-space: nowrap; }
.lead { color: var(--muted); max-width: 48rem; margin: 0 0 1.25rem; }

.contents ul { list-style: none; margin: 0; padding: 0; display: flex; flex-wrap: wrap; gap: 0.5rem; }
.contents li { border: 1px solid var(--line); border-radius: 999px; padding: 0.2rem 0.8rem; font-size: 0.9rem; }
.contents .count { color: var(--muted); margin-left: 0.25rem; }

/* A wide table scrolls inside its box, never the page. */
.table-wrap { max-width: 100%; overflow-x: auto; border: 1px solid var(--line); border-radius: 6px; }
table { border-collapse: collapse; width: 100%; font-variant-numeric: tabular-nums; }
th, td { padding: 0.5rem 0.75rem; text-align: left; white-space: nowrap; vertical-align: top; }
thead th {
  font-size: 0.8rem; font-weight: 600; text-transform: uppercase; letter-spacing: 0.04em;
  color: var(--muted); border-bottom: 2px solid var(--line); background: var(--stripe);
}
tbody tr + tr td { border-top: 1px solid var(--line); }
tbody tr:nth-child(even) { background: #fafbfc; }
.num { text-align: right; }
/* The same columns line up from one category's table to the next. The
   station column takes what the others (45.5rem) leave, and the table's
   least width keeps 10rem of it: a narrow screen scrolls the table. */
table.results { table-layout: fixed; min-width: 55.5rem; }
table.results th:nth-child(1) { width: 5.5rem; }
table.results th:nth-child(3), table.results th:nth-child(4) { width: 10rem; }
table.results th:nth-child(5) { width: 12rem; }
table.results th:nth-child(6) { width: 8rem; }
table.results td.call { overflow: hidden; text-overflow: ellipsis; }
td.call { font-weight: 600; }
td.score { font-weight: 600; }
/* The lost lines' table styles its cells by column: line, call, band,
   mode, time, decision, evidence, penalty. */
table.lost td:nth-child(1), table.lost td:nth-child(8) { text-align: right; }
table.lost td:nth-child(2) { font-weight: 600; }
table.lost td:nth-child(7) { white-space: normal; min-width: 12rem; }
table.lost td:nth-child(6) span {
  display: inline-block; padding: 0 0.45rem; border: 1px solid #c9a3a3; border-radius: 4px;
  background: #fbf1f1; color: #7a1f1f; font-size: 0.85rem; font-weight: 600;
}

.breadcrumb { margin-top: 1.25rem; font-size: 0.95rem; }
.breadcrumb a::before { content: "\2190\00a0"; }
h1.call { margin-top: 0.5rem; font-size: 2.25rem; letter-spacing: 0.02em; }
.standing { margin: 0 0 0.75rem; color: var(--muted); }
.figures { display: flex; flex-wrap: wrap; gap: 0.75rem; margin: 0 0 0.5rem; }
.figures div { border: 1px solid var(--line); border-radius: 6px; padding: 0.5rem 1rem; min-width: 9rem; }
.figures dt { font-size: 0.75rem; text-transform: uppercase; letter-spacing: 0.04em; color: var(--muted); }
.figures dd { margin: 0; font-size: 1.35rem; font-weight: 600; font-variant-numeric: tabular-nums; }

.charts { display: grid; grid-template-columns: repeat(auto-fill, minmax(min(100%, 26rem), 1fr)); gap: 1rem 2rem; }
.band-chart { margin: 0; max-width: 100%; }
.band-chart figcaption { font-size: 0.9rem; }
.band-name { font-weight: 700; }
.band-total { color: var(--muted); margin-left: 0.35rem; }
svg.chart { display: block; width: 100%; height: auto; }
svg.chart .bars rect { fill: var(--bar); }
svg.chart .bars rect:hover { fill: #143f73; }
/* The scale and the axis are shown again by <use> in every band's chart
   but the first: only selectors of their own classes reach them there. */
.chart-grid { fill: none; stroke: #e3e7ec; stroke-width: 1; }
.chart-axis { fill: none; stroke: #8a94a3; stroke-width: 1; }
.chart-figures, .chart-hours, .chart-days { fill: var(--muted); font-size: 10px; font-family: inherit; }
.chart-figures { text-anchor: end; }
.chart-hours { text-anchor: middle; }
.chart-days { font-weight: 600; fill: var(--text); }

.report-wrap { max-width: 100%; overflow-x: auto; border: 1px solid var(--line); border-radius: 6px; background: #fbfbfc; }
pre.report {
  margin: 0; padding: 1rem; font: 0.85rem/1.45 ui-monospace, "SFMono-Regular", Menlo, Consolas,
  "DejaVu Sans Mono", "Liberation Mono", monospace; tab-size: 8;
}

@media (max-width: 40rem) {
  .wrap { padding: 0 0.85rem; }
  h1 { font-size: 1.6rem; }
  h1.call { font-size: 1.8rem; }
  th, td { padding: 0.4rem 0.55rem; }
  .figures div { min-width: 0; flex: 1 1 40%; }
}

@media print {
  :root { --muted: #333; --line: #999; }
  body { font-size: 10pt; background: none; color: #000; }
  .wrap { max-width: none; padding: 0; }
  .site-header { border-top: none; }
  .breadcrumb, .contents { display: none; }
  a { color: inherit; text-decoration: none; }
  .table-wrap, .report-wrap { overflow: visible; border: none; }
  thead th, tbody tr:nth-child(even), table.lost td:nth-child(6) span, .report-wrap {
    background: none;
  }
  thead { display: table-header-group; }
  tr, .band-chart, .figures div { break-inside: avoid; }
  h1, h2 { break-after: avoid; }
  th, td { padding: 0.2rem 0.4rem; }
  table.lost td:nth-child(7) { min-width: 0; }
  pre.report { white-space: pre-wrap; font-size: 8.5pt; }
  svg.chart .bars rect { fill: #444; }
}
)css";
}

}  // namespace qxqy::crosscheck::site
