#include "crosscheck/site/hour_chart.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <iterator>
#include <string_view>
#include <utility>

#include "crosscheck/site/hour_labels.h"
#include "crosscheck/site/html_text.h"

namespace qxqy::crosscheck::site {
namespace {

// The chart's geometry in SVG user units (CSS pixels at full size).
constexpr int64_t kLeft = 40;  // room for the scale's figures
constexpr int64_t kRight = 8;
constexpr int64_t kTop = 10;
constexpr int64_t kPlotHeight = 72;
constexpr int64_t kBottom = 34;  // hour labels, then day labels
constexpr int64_t kSlot = 12;    // one hour
constexpr int64_t kBarWidth = 9;
constexpr size_t kMinSlots = 24;  // a short activity keeps the bars' width

// The first `count` labels of a longer list.
class Hours {
 public:
  Hours(const std::vector<HourLabel>& labels, size_t count)
      : labels_(labels.data()), count_(count) {}
  size_t size() const { return count_; }
  bool empty() const { return count_ == 0; }
  const HourLabel& operator[](size_t hour) const { return labels_[hour]; }
  const HourLabel& front() const { return labels_[0]; }

 private:
  const HourLabel* labels_;
  size_t count_;
};

// The labels of `count` hours from `first_hour`. Most stations of a contest
// start in its first hour, and an hour's label does not depend on how many
// follow: each thread keeps the longest list made from the last first hour.
Hours LabelsOf(const std::string& first_hour, size_t count) {
  thread_local std::string kept_first;
  thread_local std::vector<HourLabel> kept;
  if (kept_first != first_hour || kept.size() < count) {
    const size_t longest = kept_first == first_hour ? std::max(count, kept.size()) : count;
    kept = HourLabels(first_hour, longest);
    kept_first = first_hour;
  }
  return {kept, count};
}

int64_t CountAt(const BandHours& band, size_t hour) {
  return hour < band.contacts.size() ? std::max<int64_t>(band.contacts[hour], 0) : 0;
}

std::string Contacts(int64_t count) {
  return GroupedNumber(count) + (count == 1 ? " contact" : " contacts");
}

// What the chart says, for its title and for screen readers.
std::string Description(const BandHours& band, Hours hours, int64_t total) {
  std::string text = "Contacts per hour on " + band.band + ": " + Contacts(total);
  if (!hours.empty()) {
    text += " in " + std::to_string(hours.size()) + (hours.size() == 1 ? " hour" : " hours") +
            " from " + hours.front().full;
  }
  int64_t best = 0;
  size_t best_hour = 0;
  for (size_t hour = 0; hour < hours.size(); ++hour) {
    if (CountAt(band, hour) > best) {
      best = CountAt(band, hour);
      best_hour = hour;
    }
  }
  if (best > 0)
    text += "; most in one hour: " + GroupedNumber(best) + " at " + hours[best_hour].full;
  return text;
}

void AppendNumber(std::string& out, int64_t value) {
  char digits[24];
  const auto end = std::to_chars(std::begin(digits), std::end(digits), value).ptr;
  out.append(digits, static_cast<size_t>(end - digits));  // (pointer, length): no replace()
}

// The bars of the hours with contacts, in a group whose y axis points up
// from the base line, so that a bar needs only its place and its height.
// An hour without contacts draws nothing: its slot stays empty.
void AppendBars(std::string& out, const BandHours& band, Hours hours, int64_t scale_top,
                int64_t base) {
  out += "<g class=\"bars\" transform=\"matrix(1 0 0 -1 0 ";
  AppendNumber(out, base);
  out += ")\">\n";
  for (size_t hour = 0; hour < hours.size(); ++hour) {
    const int64_t count = CountAt(band, hour);
    if (count == 0) continue;
    const auto bar_height = static_cast<int64_t>(
        std::llround(static_cast<double>(count) * kPlotHeight / static_cast<double>(scale_top)));
    out += "<rect x=\"";
    AppendNumber(out, kLeft + static_cast<int64_t>(hour) * kSlot + (kSlot - kBarWidth) / 2);
    out += "\" width=\"";
    AppendNumber(out, kBarWidth);
    out += "\" height=\"";
    AppendNumber(out, bar_height);
    out += "\"><title>";
    AppendHtmlText(out, hours[hour].full);
    out += ": ";
    if (count < 1000) {
      AppendNumber(out, count);  // no thousands to group
    } else {
      out += GroupedNumber(count);
    }
    out += count == 1 ? " contact</title></rect>\n" : " contacts</title></rect>\n";
  }
  out += "</g>\n";
}

// The labels under the axis: every sixth hour, and the day where one
// starts; one <text> of a class (its placing in the style sheet) holding a
// <tspan> per label.
void AppendAxisLabels(std::string& out, Hours hours, int64_t base) {
  const auto slot_middle = [](size_t hour) {
    return kLeft + static_cast<int64_t>(hour) * kSlot + kSlot / 2;
  };
  out += "<text class=\"chart-hours\" y=\"";
  AppendNumber(out, base + 14);
  out += "\">";
  for (size_t hour = 0; hour < hours.size(); ++hour) {
    if (!hours[hour].tick) continue;
    out += "<tspan x=\"";
    AppendNumber(out, slot_middle(hour));
    out += "\">";
    AppendHtmlText(out, hours[hour].hour);
    out += "</tspan>";
  }
  out += "</text>\n<text class=\"chart-days\" y=\"";
  AppendNumber(out, base + 28);
  out += "\">";
  for (size_t hour = 0; hour < hours.size(); ++hour) {
    if (hours[hour].day.empty()) continue;
    out += "<tspan x=\"";
    AppendNumber(out, slot_middle(hour) - kSlot / 2);
    out += "\">";
    AppendHtmlText(out, hours[hour].day);
    out += "</tspan>";
  }
  out += "</text>\n";
}

// What every band's chart of a station draws alike, behind and in front of
// its bars: the first chart holds it, in groups with these ids, and the
// others show those groups again (<use>), so a page does not repeat them.
// The style sheet reaches what <use> shows only by the elements' own
// classes (no selector through the <svg>): hence "chart-" classes.
constexpr std::string_view kScaleId = "shared-scale";
constexpr std::string_view kAxisId = "shared-axis";

// The chart's width in SVG user units.
int64_t ChartWidth(Hours hours) {
  return kLeft + static_cast<int64_t>(std::max(hours.size(), kMinSlots)) * kSlot + kRight;
}

// The scale: its top and its middle lines, and the figures beside them.
void AppendScale(std::string& out, Hours hours, int64_t scale_top) {
  const int64_t middle = kTop + kPlotHeight / 2;
  const int64_t right = ChartWidth(hours) - kRight;
  out += "<path class=\"chart-grid\" d=\"";
  for (const int64_t y : {kTop, middle}) {
    out += 'M';
    AppendNumber(out, kLeft);
    out += ' ';
    AppendNumber(out, y);
    out += 'H';
    AppendNumber(out, right);
  }
  out += "\"/>\n<text class=\"chart-figures\">";
  const std::pair<int64_t, std::string> figures[] = {
      {kTop, GroupedNumber(scale_top)},
      {middle, scale_top % 2 == 0 ? GroupedNumber(scale_top / 2) : std::string()},
      {kTop + kPlotHeight, "0"}};
  for (const auto& [y, figure] : figures) {
    if (figure.empty()) continue;
    out += "<tspan x=\"";
    AppendNumber(out, kLeft - 6);
    out += "\" y=\"";
    AppendNumber(out, y + 4);
    out += "\">" + figure + "</tspan>";
  }
  out += "</text>\n";
}

// The axis, with a tick under every labelled hour, and the labels.
void AppendAxis(std::string& out, Hours hours) {
  const int64_t base = kTop + kPlotHeight;
  out += "<path class=\"chart-axis\" d=\"M";
  AppendNumber(out, kLeft);
  out += ' ';
  AppendNumber(out, base);
  out += 'H';
  AppendNumber(out, ChartWidth(hours) - kRight);
  for (size_t hour = 0; hour < hours.size(); ++hour) {
    if (!hours[hour].tick) continue;
    out += 'M';
    AppendNumber(out, kLeft + static_cast<int64_t>(hour) * kSlot + kSlot / 2);
    out += ' ';
    AppendNumber(out, base);
    out += "v3";
  }
  out += "\"/>\n";
  AppendAxisLabels(out, hours, base);
}

// The group `id` drawn by `draw` in the first chart, shown again in the
// others.
template <typename Draw>
void AppendShared(std::string& out, bool first, std::string_view id, Draw draw) {
  if (first) {
    out += "<g id=\"";
    out += id;
    out += "\">\n";
    draw();
    out += "</g>\n";
  } else {
    out += "<use href=\"#";
    out += id;
    out += "\"/>\n";
  }
}

void AppendChart(std::string& out, const BandHours& band, Hours hours, int64_t scale_top,
                 bool first) {
  int64_t total = 0;
  for (size_t hour = 0; hour < hours.size(); ++hour) total += CountAt(band, hour);
  out += "<figure class=\"band-chart\">\n<figcaption><span class=\"band-name\">";
  AppendHtmlText(out, band.band);
  out += "</span> <span class=\"band-total\">" + Contacts(total) + "</span></figcaption>\n";
  // The <title> is the chart's name for screen readers and its tooltip.
  out += "<svg class=\"chart\" role=\"img\" viewBox=\"0 0 ";
  AppendNumber(out, ChartWidth(hours));
  out += ' ';
  AppendNumber(out, kTop + kPlotHeight + kBottom);
  out += "\">\n<title>";
  AppendHtmlText(out, Description(band, hours, total));
  out += "</title>\n";
  AppendShared(out, first, kScaleId, [&] { AppendScale(out, hours, scale_top); });
  AppendBars(out, band, hours, scale_top, kTop + kPlotHeight);
  AppendShared(out, first, kAxisId, [&] { AppendAxis(out, hours); });
  out += "</svg>\n</figure>\n";
}

// A round top for the scale at or above `peak`: 1, 2 or 5 times a power of
// ten, at least 4 so the middle line falls on a whole number.
int64_t ScaleTop(int64_t peak) {
  for (int64_t power = 1;; power *= 10) {
    for (int64_t step : {1, 2, 5}) {
      const int64_t top = step * power;
      if (top >= std::max<int64_t>(peak, 4) || power > INT64_MAX / 50) return std::max(top, peak);
    }
  }
}

}  // namespace

size_t HourCount(const HourlyActivity& activity) {
  size_t count = 0;
  for (const BandHours& band : activity.bands) count = std::max(count, band.contacts.size());
  return count;
}

size_t ChartHours(const HourlyActivity& activity) {
  return std::min(HourCount(activity), kMaxChartHours);
}

void AppendHourCharts(std::string& out, const HourlyActivity& activity) {
  const Hours hours = LabelsOf(activity.first_hour, ChartHours(activity));
  int64_t peak = 0;
  for (const BandHours& band : activity.bands) {
    for (size_t hour = 0; hour < hours.size(); ++hour) peak = std::max(peak, CountAt(band, hour));
  }
  const int64_t scale_top = ScaleTop(peak);
  for (const BandHours& band : activity.bands) {
    AppendChart(out, band, hours, scale_top, &band == &activity.bands.front());
  }
}

}  // namespace qxqy::crosscheck::site
