// Loading the country file a check uses: the one named, else cty.dat in the
// plugins folder when there is one, else none (the built-in rule).
#pragma once

#include <optional>
#include <string>

#include "logfile/country_file.h"

namespace qxqy::logfile {

// `path` names the file (it must exist); without it, cty.dat in
// `plugins_folder` (with its trailing separator) is read when it exists.
// nullopt for the built-in rule. Throws LogReadError when the file cannot
// be read or is larger than 64 MB, CountryFileError when it is malformed.
std::optional<CountryFile> LoadCountryFile(const std::optional<std::string>& path,
                                           const std::string& plugins_folder);

}  // namespace qxqy::logfile
