// A station's contacts per hour as inline SVG bar charts, one per band.
#pragma once

#include <string>

#include "crosscheck/site/site_model.h"

namespace qxqy::crosscheck::site {

// The most hours a chart draws: a month. A log whose dates lie years apart
// would otherwise make a page of millions of bars.
constexpr size_t kMaxChartHours = size_t{31} * 24;

// The number of hours the station's counts cover: the longest band's list.
size_t HourCount(const HourlyActivity& activity);

// The number of hours the charts draw: HourCount, at most kMaxChartHours.
size_t ChartHours(const HourlyActivity& activity);

// Appends one <figure> per band of `activity`: a caption (the band and its
// total) and an <svg class="chart"> with role="img", an aria-label and a
// <title> that say what it shows, and one <rect class="bar"> per hour, each
// with a <title> giving its hour and count. Every band has ChartHours bars
// (zero-high in hours a shorter list lacks) on one scale, so the bands of a
// station compare at a glance. Appends nothing when there is no band.
void AppendHourCharts(std::string& out, const HourlyActivity& activity);

}  // namespace qxqy::crosscheck::site
