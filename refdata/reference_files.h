// Loading of the two optional reference files from the Plugins folder: the
// district table and the call-sign list.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "base/string_list.h"
#include "refdata/district_table.h"

namespace qxqy {

inline constexpr char kDistrictTableFileName[] = "qx-qy.dom";
inline constexpr char kCallDistrictsFileName[] = "qx-qy.txt";

// The Plugins folder beside the host's executable, with its trailing path
// separator.
std::string DefaultPluginsFolder();

// The lines of the file at `path` (see SplitIntoLines). The file is opened
// with write access denied to others; throws FileOpenError ("Cannot open
// file <path>") when it cannot be opened that way.
std::vector<std::string> ReadLinesOfFile(const std::string& path);

// Fills `district_table` from qx-qy.dom and `call_districts` from qx-qy.txt in
// `plugins_folder` (which ends with a path separator). A missing file (or a
// folder of that name) leaves its list empty. A file that exists but cannot be
// opened throws FileOpenError; a list loaded before the failure keeps its
// lines.
void LoadReferenceFiles(const std::string& plugins_folder, DistrictTable& district_table,
                        StringList& call_districts);

// Both reference files once loaded. Never changed afterwards, so many
// sessions (a check of many logs, on several threads) may share one.
struct ReferenceTables {
  DistrictTable district_table;
  StringList call_districts;
};

// LoadReferenceFiles into new tables, with what it throws.
std::shared_ptr<const ReferenceTables> LoadReferenceTables(const std::string& plugins_folder);

}  // namespace qxqy
