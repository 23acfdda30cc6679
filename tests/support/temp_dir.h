// A folder under the system's temporary folder that lives as long as the
// object: created empty, removed with everything in it.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace qxqy::testing {

class TempDir {
 public:
  TempDir();
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;

  const std::filesystem::path& path() const { return path_; }
  // Full path of `name` inside the folder, as text.
  std::string File(std::string_view name) const;
  // Writes `bytes` to `name` (creating folders on the way); returns its path.
  std::string Write(std::string_view name, std::string_view bytes) const;

 private:
  std::filesystem::path path_;
};

}  // namespace qxqy::testing
