// The path the database driver gets. Under Wine the SQLite ODBC driver is a
// native library and takes the path unchanged, so a Windows path would name
// the wrong file; on Windows it takes a Windows path.
#pragma once

#include <string>

namespace qxqy::hostsim {

// `path` for the driver: a path starting with '/' is kept as it is (already
// a Unix path); any other is made absolute and, under Wine, turned into the
// Unix path of the same file.
std::string DriverPath(const std::string& path);

}  // namespace qxqy::hostsim
