#include "crosscheck/site/site_writer.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <unordered_set>
#include <vector>

#include "crosscheck/site/index_page.h"
#include "crosscheck/site/page_frame.h"
#include "crosscheck/site/page_names.h"
#include "crosscheck/site/site_style.h"
#include "crosscheck/site/station_page.h"

namespace qxqy::crosscheck::site {
namespace {

namespace fs = std::filesystem;

void CheckRows(const SiteModel& model) {
  for (const Category& category : model.categories) {
    for (size_t i = 0; i < category.rows.size(); ++i) {
      if (category.rows[i].station >= model.stations.size()) {
        throw SiteWriteError("Cannot write the results site: row " + std::to_string(i + 1) +
                             " of category \"" + category.title + "\" names station " +
                             std::to_string(category.rows[i].station) + ", but there are only " +
                             std::to_string(model.stations.size()) + " stations");
      }
    }
  }
}

void CreateFolder(const fs::path& folder) {
  std::error_code error;
  fs::create_directories(folder, error);
  if (error) {
    throw SiteWriteError("Cannot create folder " + folder.string() + ": " + error.message());
  }
}

// Writes `content` to `path` whole; a failure of the last write shows only
// when the file is closed, so that is checked too. A file already there is
// written over in place and then cut to the new length, not cut to nothing
// first: a file system may flush a file cut to nothing when it is closed,
// which for thousands of pages written again on every run costs more than
// writing them. It is cut only when it was longer: a cut costs the file
// system an update even when the length stays.
void WriteFile(const fs::path& path, std::string_view content) {
  const auto fail = [&] {
    throw SiteWriteError("Cannot write file " + path.string() + ": " + std::strerror(errno));
  };
  const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_CLOEXEC, 0666);
  if (fd < 0) fail();
  std::string_view left = content;
  bool written = true;
  while (written && !left.empty()) {
    const ssize_t count = ::write(fd, left.data(), left.size());
    if (count < 0 && errno == EINTR) continue;
    written = count > 0;
    if (written) left.remove_prefix(static_cast<size_t>(count));
  }
  struct stat info;
  written = written && ::fstat(fd, &info) == 0 &&
            (info.st_size <= static_cast<off_t>(content.size()) ||
             ::ftruncate(fd, static_cast<off_t>(content.size())) == 0);
  const int write_errno = errno;
  const bool closed = ::close(fd) == 0;
  if (!written) errno = write_errno;
  if (!written || !closed) fail();
}

std::string AsciiUpper(std::string text) {
  for (char& c : text) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  }
  return text;
}

// Whether the file at `path` is a page this writer wrote: its head, within
// the first kilobyte, holds the generator mark. A file that cannot be read
// is not.
bool IsOwnPage(const fs::path& path) {
  std::FILE* file = std::fopen(path.c_str(), "rb");
  if (file == nullptr) return false;
  std::string head(1024, '\0');
  head.resize(std::fread(head.data(), 1, head.size(), file));
  (void)std::fclose(file);
  return head.find(kGeneratorMark) != std::string::npos;
}

// Removes the pages of stations no longer in the results: the regular
// *.html files of `folder` that carry the generator mark and whose names
// (compared ignoring case, as some file systems do) are not in
// `page_names`. Links, folders and every other file stay.
void RemoveStalePages(const fs::path& folder, const std::vector<std::string>& page_names) {
  std::unordered_set<std::string> written;
  for (const std::string& name : page_names) written.insert(AsciiUpper(name));
  std::error_code error;
  std::vector<fs::path> stale;
  fs::directory_iterator it(folder, error);
  for (; !error && it != fs::directory_iterator(); it.increment(error)) {
    const fs::path& path = it->path();
    std::error_code type_error;
    if (!it->is_regular_file(type_error) || it->is_symlink(type_error)) continue;
    if (path.extension() != ".html" || written.count(AsciiUpper(path.filename().string())) != 0) {
      continue;
    }
    if (IsOwnPage(path)) stale.push_back(path);
  }
  if (error) {
    throw SiteWriteError("Cannot list folder " + folder.string() + ": " + error.message());
  }
  for (const fs::path& path : stale) {
    if (!fs::remove(path, error) && error) {
      throw SiteWriteError("Cannot remove " + path.string() +
                           " (the page of a station no longer in the results): " + error.message());
    }
  }
}

}  // namespace

void WriteSite(const SiteModel& model, const std::string& out_dir, const StationPageFill& fill,
               const ForEachPage& for_each_page) {
  CheckRows(model);
  const std::vector<std::string> page_names = StationPageNames(model.stations);
  const std::vector<std::vector<Standing>> standings = StationStandings(model);
  const fs::path root(out_dir);
  const fs::path stations = root / "stations";
  CreateFolder(stations);
  WriteFile(root / "style.css", SiteStyle());
  const std::function<void(size_t)> write_page = [&](size_t i) {
    // Each thread keeps its page's room from page to page.
    thread_local std::string html;
    html.clear();
    if (fill) {
      StationPage page = model.stations[i];
      fill(i, page);
      AppendStationHtml(html, model, page, standings[i]);
    } else {
      AppendStationHtml(html, model, model.stations[i], standings[i]);
    }
    WriteFile(stations / page_names[i], html);
  };
  if (for_each_page) {
    for_each_page(model.stations.size(), write_page);
  } else {
    for (size_t i = 0; i < model.stations.size(); ++i) write_page(i);
  }
  RemoveStalePages(stations, page_names);
  // The index last: a site whose index is there has all its pages.
  WriteFile(root / "index.html", IndexHtml(model, page_names));
}

}  // namespace qxqy::crosscheck::site
