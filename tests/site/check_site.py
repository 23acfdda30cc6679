#!/usr/bin/env python3
"""Opens a results site in headless Chromium and checks what it rendered.

  check_site.py --browser CHROMIUM --site DIR --pictures DIR [--picture-prefix NAME]
                [--expect JSON] [--station stations/NAME.html]...

For index.html and each station page (those --expect names, those given with
--station, else the first one the index links to), the DOM the browser built
is checked: the page's language and viewport, no script and nothing from
elsewhere, every link's target file (and its #id) exists, every header
cell has a scope, each category's table has its rows, each chart is named
by its <title>, which says its hours; every band covers the same hours, with
one bar (with its title: hour and count) per hour with contacts, in that
hour's slot, and no bar for an hour without. Every other page of the site is
checked as written the same way (markup and links). The index and the first station
page are photographed at a desktop (1280x900) and a phone (390x844) width
into the pictures folder (NAME-index-desktop.png, NAME-station-phone.png...;
NAME is "site" unless --picture-prefix says otherwise), and measured at both
widths: the page must not be wider than the window (a wide table scrolls
inside its box), and every table cell that holds text must show it (at
least its first 40 pixels): a column squeezed to nothing fails.

--expect names what the pages must show:
  {"category_rows": [5, 2, 0],
   "station_pages": {"stations/QX1ABC.html": {"bands": 4, "hours": 30, "lost_lines": 7,
                                              "bars": {"14 MHz": {"2026-03-14 00Z": 3}}}}}
"bars", when given, names each band's hours with contacts and their counts:
each must have its bar giving that count in its title, and no other hour a
bar. Bars are placed hour by hour (one x step per hour, the same for every
band) and are the taller the more contacts they count.
Exit 0 when every check passes, 1 when one fails (each failure printed).
"""

import argparse
import datetime
import json
import os
import re
import shutil
import subprocess
import sys
import tempfile
import urllib.parse
from html.parser import HTMLParser

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import png_pixels  # noqa: E402

VOID = {"area", "base", "br", "col", "embed", "hr", "img", "input", "link", "meta", "source",
        "track", "wbr"}
SIZES = {"desktop": (1280, 900), "phone": (390, 844)}
TIMEOUT = 60


class Node:
    def __init__(self, tag, attrs, parent):
        self.tag, self.attrs, self.parent = tag, dict(attrs), parent
        self.children, self.text = [], []

    def find_all(self, tag=None, cls=None):
        for child in self.children:
            if (tag is None or child.tag == tag) and (cls is None or cls in child.classes()):
                yield child
            yield from child.find_all(tag, cls)

    def classes(self):
        return (self.attrs.get("class") or "").split()

    def all_text(self):
        return "".join(self.text) + "".join(child.all_text() for child in self.children)


class TreeBuilder(HTMLParser):
    def __init__(self):
        super().__init__(convert_charrefs=True)
        self.root = self.current = Node("#document", [], None)

    def handle_starttag(self, tag, attrs):
        node = Node(tag, attrs, self.current)
        self.current.children.append(node)
        if tag not in VOID:
            self.current = node

    def handle_startendtag(self, tag, attrs):
        self.current.children.append(Node(tag, attrs, self.current))

    def handle_endtag(self, tag):
        node = self.current
        while node is not None and node.tag != tag:
            node = node.parent
        if node is not None and node.parent is not None:
            self.current = node.parent

    def handle_data(self, data):
        self.current.text.append(data)


def parse(html):
    builder = TreeBuilder()
    builder.feed(html)
    builder.close()
    return builder.root


class Checker:
    def __init__(self, browser, site, work):
        self.browser, self.site, self.work = browser, os.path.abspath(site), work
        self.failures = []
        self.ids = {}

    def fail(self, message):
        self.failures.append(message)
        print("FAIL: " + message)

    def chromium(self, url, *options):
        command = [self.browser, "--headless", "--no-sandbox", "--disable-gpu", "--hide-scrollbars",
                   "--no-first-run", "--disable-extensions", "--force-color-profile=srgb",
                   "--user-data-dir=" + os.path.join(self.work, "profile"), *options, url]
        env = dict(os.environ, HOME=self.work)
        result = subprocess.run(command, capture_output=True, text=True, timeout=TIMEOUT, env=env)
        if result.returncode != 0:
            raise RuntimeError(f"chromium failed ({result.returncode}) on {url}:\n{result.stderr}")
        return result.stdout

    def rendered(self, page):
        return parse(self.chromium(file_url(os.path.join(self.site, page)), "--dump-dom"))

    def ids_of(self, path):
        if path not in self.ids:
            with open(path, encoding="utf-8", errors="replace") as file:
                root = parse(file.read())
            self.ids[path] = {node.attrs.get("id") for node in root.find_all()} - {None}
        return self.ids[path]

    # What every page must be.
    def check_page(self, page, root):
        html = next(root.find_all("html"), None)
        if html is None or not html.attrs.get("lang"):
            self.fail(f"{page}: <html> has no lang")
        if not any(m.attrs.get("name") == "viewport" for m in root.find_all("meta")):
            self.fail(f"{page}: no viewport meta tag")
        for tag in ("script", "iframe", "img", "object", "embed", "video", "audio"):
            if next(root.find_all(tag), None) is not None:
                self.fail(f"{page}: holds a <{tag}>")
        here = os.path.dirname(os.path.join(self.site, page))
        page_ids = {node.attrs.get("id") for node in root.find_all()}
        for node in root.find_all():
            for name in ("href", "src"):
                if name in node.attrs:
                    self.check_link(page, here, page_ids, node, node.attrs[name] or "")
        for cell in root.find_all("th"):
            if cell.attrs.get("scope") not in ("col", "row"):
                self.fail(f"{page}: header cell '{cell.all_text().strip()}' has no scope")
        for table in root.find_all("table"):
            label = table.attrs.get("aria-labelledby")
            if next(table.find_all("caption"), None) is None and label not in page_ids:
                self.fail(f"{page}: a table has neither caption nor label")
        for link in root.find_all("a"):
            if not link.all_text().strip():
                self.fail(f"{page}: a link to {link.attrs.get('href')} has no text")

    def check_link(self, page, here, page_ids, node, target):
        parts = urllib.parse.urlsplit(target)
        if parts.scheme or parts.netloc:
            self.fail(f"{page}: <{node.tag}> leads elsewhere: {target}")
            return
        fragment = urllib.parse.unquote(parts.fragment)
        if not parts.path:
            if fragment and fragment not in page_ids:
                self.fail(f"{page}: link to #{fragment}, which the page lacks")
            return
        path = os.path.normpath(os.path.join(here, urllib.parse.unquote(parts.path)))
        if not path.startswith(self.site + os.sep) or not os.path.isfile(path):
            self.fail(f"{page}: link to {target}, which is not a file of the site")
        elif fragment and fragment not in self.ids_of(path):
            self.fail(f"{page}: link to {target}, whose page has no id '{fragment}'")

    def check_index(self, root, expected_rows):
        sections = list(root.find_all("section", "category"))
        rows = [sum(1 for body in s.find_all("tbody") for r in body.children if r.tag == "tr")
                for s in sections]
        print(f"index.html: {len(sections)} categories, rows {rows}")
        if expected_rows is not None and rows != expected_rows:
            self.fail(f"index.html: rows per category {rows}, expected {expected_rows}")
        for section in sections:
            for row in (r for body in section.find_all("tbody") for r in body.children):
                if row.tag == "tr" and next(row.find_all("a"), None) is None:
                    self.fail(f"index.html: a row without a station link: {row.all_text()!r}")

    def check_station(self, page, root, expected):
        charts = list(root.find_all("svg", "chart"))
        hours = [chart_hours(chart) for chart in charts]
        lost = [sum(1 for body in t.find_all("tbody") for r in body.children if r.tag == "tr")
                for t in root.find_all("table", "lost")]
        lost_rows = lost[0] if lost else 0
        print(f"{page}: {len(charts)} band charts, hours {[h for h, _ in hours]}, "
              f"bars {[len(bars_of(chart)) for chart in charts]}, {lost_rows} lost lines")
        for chart, (count, _) in zip(charts, hours):
            titles = [c for c in chart.children if c.tag == "title"]
            name = titles[0].all_text().strip() if titles else ""
            if chart.attrs.get("role") != "img" or not name:
                self.fail(f"{page}: a chart lacks role=img or its <title> (its name)")
            if count is None:
                self.fail(f"{page}: a chart's title does not say its hours: {name!r}")
            for bar in bars_of(chart):
                if ":" not in bar_title(bar):
                    self.fail(f"{page}: a bar without its hour and count ({name})")
                    break
        if len({h for h, _ in hours}) > 1:
            self.fail(f"{page}: the bands cover different hours: {hours}")
        self.check_bar_geometry(page, charts, hours)
        if expected:
            want_hours = [expected["hours"]] * expected["bands"]
            if [h for h, _ in hours] != want_hours:
                self.fail(f"{page}: hours per band {[h for h, _ in hours]}, expected {want_hours}")
            if lost_rows != expected.get("lost_lines", lost_rows):
                self.fail(f"{page}: {lost_rows} lost lines, expected {expected['lost_lines']}")
            if "bars" in expected:
                self.check_bars(page, root, expected["bars"])

    def check_bar_geometry(self, page, charts, hours):
        """Each bar in its hour's slot (x = a + b * hour, one a and b for the
        page) within the chart's hours, and the taller the more contacts."""
        slots, heights = {}, {}
        for chart, (count, first) in zip(charts, hours):
            if count is None:
                continue
            for bar in bars_of(chart):
                hour, _, contacts = bar_title(bar).partition(": ")
                try:
                    at = hour_of(hour)
                    shown = int(contacts.split()[0].replace(",", ""))
                except (ValueError, IndexError):
                    self.fail(f"{page}: a bar's title is not an hour and a count: "
                              f"{bar_title(bar)!r}")
                    continue
                slot = int((at - first).total_seconds() // 3600)
                if not 0 <= slot < count:
                    self.fail(f"{page}: a bar at {hour}, outside the chart's {count} hours")
                slots.setdefault(slot, set()).add(float(bar.attrs.get("x", "nan")))
                heights.setdefault(shown, set()).add(float(bar.attrs.get("height", "nan")))
        if any(len(x) > 1 for x in slots.values()):
            self.fail(f"{page}: bars of one hour drawn at different places: {slots}")
        places = sorted((slot, min(x)) for slot, x in slots.items())
        if len(places) >= 2:
            (s0, x0), (s1, x1) = places[0], places[-1]
            step = (x1 - x0) / (s1 - s0)
            if not step > 0 or any(abs(x - (x0 + step * (s - s0))) > 0.01 for s, x in places):
                self.fail(f"{page}: bars not placed hour by hour: {places}")
        by_count = sorted((c, min(h), max(h)) for c, h in heights.items())
        if any(low != high for _, low, high in by_count) or any(
                a[2] > b[1] for a, b in zip(by_count, by_count[1:])):
            self.fail(f"{page}: bar heights do not follow the counts: {by_count}")

    def check_bars(self, page, root, expected):
        """Each band's bars against the counts expected for its hours."""
        seen = []
        for figure in root.find_all("figure", "band-chart"):
            band = "".join(n.all_text() for n in figure.find_all("span", "band-name")).strip()
            seen.append(band)
            want = expected.get(band)
            if want is None:
                self.fail(f"{page}: a chart of {band}, which should have none")
                continue
            shown = {}
            for bar in bars_of(figure):
                hour, _, count = bar_title(bar).partition(": ")
                if hour in shown:
                    self.fail(f"{page}: {band} {hour}: two bars")
                shown[hour] = int(count.split()[0].replace(",", "")) if count else -1
                if shown[hour] <= 0:
                    self.fail(f"{page}: {band} {hour}: a bar drawn for {count!r}")
            for hour, count in want.items():
                if shown.get(hour) != count:
                    self.fail(f"{page}: {band} {hour}: the chart shows {shown.get(hour)} "
                              f"contacts, expected {count}")
            extra = {h: c for h, c in shown.items() if h not in want}
            if extra:
                self.fail(f"{page}: {band}: contacts in hours that have none: {extra}")
        missing = sorted(set(expected) - set(seen))
        if missing:
            self.fail(f"{page}: no chart of {', '.join(missing)}")
        print(f"{page}: bars checked on {len(seen)} bands")

    def check_style(self):
        with open(os.path.join(self.site, "style.css"), encoding="utf-8") as file:
            css = file.read().lower()
        for outside in ("url(", "@import", "@font-face"):
            if outside in css:
                self.fail(f"style.css: uses {outside}, which may fetch from elsewhere")
        if ".table-wrap" not in css or "overflow-x: auto" not in css:
            self.fail("style.css: the tables have no box of their own that scrolls")

    # Pictures: what a visitor sees at each width.
    def photograph(self, page, name, pictures):
        for size, (width, height) in SIZES.items():
            picture = os.path.join(pictures, f"{name}-{size}.png")
            self.chromium(file_url(os.path.join(self.site, page)), f"--window-size={width},{height}",
                          "--screenshot=" + picture)
            size_read = png_pixels.png_size(picture)
            if size_read != (width, height):
                self.fail(f"{picture}: {size_read[0]}x{size_read[1]}, expected {width}x{height}")
            elif os.path.getsize(picture) < 8000:
                self.fail(f"{picture}: the page looks blank")
            print(f"picture: {picture}")

    # Whether the page is wider than the window: a copy of the page with a
    # script that paints the document's scroll width (a band at the top) and
    # the window's width (a band below it) as colours, read back from a
    # screenshot.
    def measure_width(self, page):
        probe = ('<script>(function(){var d=document.documentElement;'
                 'function band(top){var e=document.createElement("div");e.style.cssText='
                 '"position:fixed;left:0;right:0;height:20px;z-index:2147483647;top:"+top;'
                 'document.body.appendChild(e);return e;}'
                 'function colour(v){return "rgb("+(v&255)+","+((v>>8)&255)+",77)";}'
                 'var a=band("0"),b=band("20px");'
                 'function paint(){a.style.display=b.style.display="none";'
                 'var s=d.scrollWidth,c=d.clientWidth;a.style.display=b.style.display="";'
                 'a.style.background=colour(s);b.style.background=colour(c);}'
                 'paint();addEventListener("resize",paint);addEventListener("load",paint);'
                 '})();</script>')
        path = self.probed_copy("measure", page, probe)
        for size, (width, height) in SIZES.items():
            picture = os.path.join(self.work, "measure.png")
            self.chromium(file_url(path), f"--window-size={width},{height}",
                          "--screenshot=" + picture)
            png = png_pixels.read_png(picture, max_rows=40)
            scroll, window = (png_pixels.pixel(png, 5, y) for y in (5, 25))
            if scroll[2] != 77 or window[2] != 77:
                self.fail(f"{page}: could not measure its width at {width} px")
                continue
            scroll_width, window_width = scroll[0] + 256 * scroll[1], window[0] + 256 * window[1]
            print(f"{page} at {width} px: page {scroll_width} px wide in a {window_width} px window")
            if scroll_width > window_width:
                self.fail(f"{page}: at {size} width ({width} px) the page is {scroll_width} px "
                          "wide and scrolls sideways")


    # A copy of the site in `folder` of the work folder whose `page` runs
    # `probe` (a script) last; returns that page's path.
    def probed_copy(self, folder, page, probe):
        copy = os.path.join(self.work, folder)
        shutil.rmtree(copy, ignore_errors=True)
        shutil.copytree(self.site, copy)
        path = os.path.join(copy, page)
        with open(path, encoding="utf-8") as file:
            html = file.read()
        with open(path, "w", encoding="utf-8") as file:
            file.write(html.replace("</body>", probe + "</body>"))
        return path

    # Whether each table cell that holds text shows it: a copy of the page
    # with a script that measures every cell (its content box and its text's
    # width) into the document, read back from the DOM the browser dumps.
    def measure_cells(self, page):
        probe = ('<script>(function(){var out=[];'
                 'document.querySelectorAll("table td").forEach(function(td){'
                 'var text=td.textContent.trim();if(!text)return;'
                 'var s=getComputedStyle(td),r=document.createRange();r.selectNodeContents(td);'
                 'var table=td.closest("table"),head=table.tHead&&table.tHead.rows[0];'
                 'out.push([table.className,head?head.cells[td.cellIndex].textContent.trim():"",'
                 'text,td.clientWidth-parseFloat(s.paddingLeft)-parseFloat(s.paddingRight),'
                 'r.getBoundingClientRect().width]);});'
                 'var pre=document.createElement("pre");pre.id="qxqy-cells";'
                 'pre.textContent=JSON.stringify(out);document.body.appendChild(pre);'
                 '})();</script>')
        path = self.probed_copy("cells", page, probe)
        for size, (width, height) in SIZES.items():
            root = parse(self.chromium(file_url(path), f"--window-size={width},{height}",
                                       "--dump-dom"))
            found = [n for n in root.find_all("pre") if n.attrs.get("id") == "qxqy-cells"]
            if not found:
                self.fail(f"{page}: could not measure its cells at {width} px")
                continue
            cells = json.loads(found[0].all_text())
            narrow = [c for c in cells if c[3] < min(c[4], 40) - 0.5]
            print(f"{page} at {width} px: {len(cells)} cells measured, {len(narrow)} too narrow")
            for table, column, text, shown, needed in narrow[:10]:
                self.fail(f"{page}: at {size} width ({width} px) the {column or '?'} cell "
                          f"'{text}' of table '{table}' shows {shown:.0f} px of its "
                          f"{needed:.0f} px")


def bars_of(chart):
    """A chart's bars: the <rect>s of its <g class="bars">."""
    return [bar for group in chart.find_all("g", "bars") for bar in group.find_all("rect")]


def bar_title(bar):
    return "".join(c.all_text() for c in bar.children if c.tag == "title")


def hour_of(label):
    """'2026-03-14 05Z' as a datetime."""
    return datetime.datetime.strptime(label, "%Y-%m-%d %HZ")


def chart_hours(chart):
    """The hours a chart covers and its first, as its title says them
    ("... in 30 hours from 2026-03-14 00Z ..."); (None, None) when it does not."""
    title = "".join(c.all_text() for c in chart.children if c.tag == "title")
    found = re.search(r" in ([\d,]+) hours? from (\d{4}-\d\d-\d\d \d\dZ)", title)
    if not found:
        return None, None
    return int(found.group(1).replace(",", "")), hour_of(found.group(2))


def file_url(path):
    return "file://" + urllib.parse.quote(os.path.abspath(path))


def first_station_link(root):
    for link in root.find_all("a"):
        href = link.attrs.get("href", "")
        if href.startswith("stations/"):
            return urllib.parse.unquote(href.split("#")[0])
    return None


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    parser.add_argument("--browser", required=True)
    parser.add_argument("--site", required=True)
    parser.add_argument("--pictures", required=True)
    parser.add_argument("--picture-prefix", default="site")
    parser.add_argument("--expect")
    parser.add_argument("--station", action="append", default=[])
    args = parser.parse_args()
    expect = {}
    if args.expect:
        with open(args.expect, encoding="utf-8") as file:
            expect = json.load(file)
    os.makedirs(args.pictures, exist_ok=True)

    with tempfile.TemporaryDirectory(prefix="qxqy-site-check-") as work:
        checker = Checker(args.browser, args.site, work)
        checker.check_style()
        index = checker.rendered("index.html")
        checker.check_page("index.html", index)
        checker.check_index(index, expect.get("category_rows"))
        expected_pages = expect.get("station_pages", {})
        stations = list(expected_pages) + [p for p in args.station if p not in expected_pages]
        if not stations and first_station_link(index):
            stations = [first_station_link(index)]
        for page in stations:
            root = checker.rendered(page)
            checker.check_page(page, root)
            checker.check_station(page, root, expected_pages.get(page))
        # Every other page as written (not rendered): its links and markup.
        for folder, _, files in os.walk(checker.site):
            for name in sorted(files):
                page = os.path.relpath(os.path.join(folder, name), checker.site)
                if name.endswith(".html") and page != "index.html" and page not in stations:
                    with open(os.path.join(folder, name), encoding="utf-8") as file:
                        checker.check_page(page, parse(file.read()))
        prefix = args.picture_prefix
        checker.photograph("index.html", f"{prefix}-index", args.pictures)
        checker.measure_width("index.html")
        checker.measure_cells("index.html")
        if stations:
            checker.photograph(stations[0], f"{prefix}-station", args.pictures)
            checker.measure_width(stations[0])
            checker.measure_cells(stations[0])

    if checker.failures:
        print(f"site check: {len(checker.failures)} failures")
        return 1
    print("site check: ok")
    return 0


if __name__ == "__main__":
    sys.exit(main())
