#include "crosscheck/site/site_writer.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <vector>

#include "crosscheck/site/index_page.h"
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
// when the file is closed, so that is checked too.
void WriteFile(const fs::path& path, std::string_view content) {
  std::FILE* file = std::fopen(path.c_str(), "wb");
  if (file == nullptr) {
    throw SiteWriteError("Cannot write file " + path.string() + ": " + std::strerror(errno));
  }
  const bool written = std::fwrite(content.data(), 1, content.size(), file) == content.size();
  const int write_errno = errno;
  const bool closed = std::fclose(file) == 0;
  if (!written || !closed) {
    throw SiteWriteError("Cannot write file " + path.string() + ": " +
                         std::strerror(written ? errno : write_errno));
  }
}

}  // namespace

void WriteSite(const SiteModel& model, const std::string& out_dir) {
  CheckRows(model);
  const std::vector<std::string> page_names = StationPageNames(model.stations);
  const fs::path root(out_dir);
  const fs::path stations = root / "stations";
  CreateFolder(stations);
  WriteFile(root / "style.css", SiteStyle());
  for (size_t i = 0; i < model.stations.size(); ++i) {
    WriteFile(stations / page_names[i], StationHtml(model, i));
  }
  // The index last: a site whose index is there has all its pages.
  WriteFile(root / "index.html", IndexHtml(model, page_names));
}

}  // namespace qxqy::crosscheck::site
