#include "refdata/reference_files.h"

#include "base/env.h"
#include "refdata/line_split.h"

namespace qxqy {

std::string DefaultPluginsFolder() {
  return env::HostExecutableFolder() + "Plugins" + env::PathSeparator();
}

std::vector<std::string> ReadLinesOfFile(const std::string& path) {
  return SplitIntoLines(env::ReadFileDenyWrite(path));
}

void LoadReferenceFiles(const std::string& plugins_folder, DistrictTable& district_table,
                        StringList& call_districts) {
  const std::string table_path = plugins_folder + kDistrictTableFileName;
  if (env::FileExists(table_path)) {
    district_table.Assign(ReadLinesOfFile(table_path));
  } else {
    district_table.Clear();
  }

  const std::string calls_path = plugins_folder + kCallDistrictsFileName;
  if (env::FileExists(calls_path)) {
    call_districts.Assign(ReadLinesOfFile(calls_path));
  } else {
    call_districts.Clear();
  }
}

std::shared_ptr<const ReferenceTables> LoadReferenceTables(const std::string& plugins_folder) {
  auto tables = std::make_shared<ReferenceTables>();
  LoadReferenceFiles(plugins_folder, tables->district_table, tables->call_districts);
  return tables;
}

}  // namespace qxqy
