#include "logfile/country_file_load.h"

#include "base/env.h"
#include "logfile/byte_source.h"

namespace qxqy::logfile {

std::optional<CountryFile> LoadCountryFile(const std::optional<std::string>& path,
                                           const std::string& plugins_folder) {
  const std::string file = path.value_or(plugins_folder + "cty.dat");
  if (!path && !env::FileExists(file)) return std::nullopt;
  // A real country file is well under a megabyte; the cap keeps a wrong
  // path (a device, a huge file) from filling memory.
  constexpr size_t kMaxCountryFile = size_t{64} << 20;
  ByteSource source(file);
  std::string text;
  for (int c; (c = source.Get()) >= 0;) {
    if (text.size() == kMaxCountryFile) {
      throw LogReadError("country file " + file + " is larger than 64 MB");
    }
    text += static_cast<char>(c);
  }
  return CountryFile::Parse(text, file);
}

}  // namespace qxqy::logfile
