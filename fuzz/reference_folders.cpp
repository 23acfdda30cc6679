#include "fuzz/reference_folders.h"

#include <memory>
#include <optional>

#include "refdata/reference_files.h"
#include "tests/support/temp_dir.h"

namespace qxqy::fuzzing {

namespace {

struct Variant {
  const char* line_end;
  std::optional<std::vector<std::string>> district_lines;  // nullopt: no file
  std::optional<std::vector<std::string>> call_lines;
};

std::vector<Variant> Variants() {
  return {
      // The sample files as shipped.
      {"\r\n",
       std::vector<std::string>{"; Districts, one per line", "ALB=ALB", "BEX=BEX", "CAR=CAR",
                                "DUN=DUN", "ELM=ELM", "FEN=FEN", "GAR=GAR"},
       std::vector<std::string>{"QX1AB=ALB", "QY2CD=BEX", "QX3EF=CAR", "QX4GH=DUN", "QY6KL=ELM",
                                "QX7MN=FEN"}},
      // Neither file.
      {"\r\n", std::nullopt, std::nullopt},
      // The corners of both formats.
      {"\n",
       std::vector<std::string>{"; corners", "alb=ALB", "BEX=bex", "CAR = CAR", "DUN=DUN ",
                                "ELM=ELM", "ELM=XXX", "FEN=XXX", "FEN=FEN", "abc=ABC", "XYZ=XYZ",
                                "GAR==GAR", "=", "no equals", "\xC0\xC1\xC2=\xC0\xC1\xC2",
                                "LONGVALUE=LONGVALUE", "LB|=LB|", ""},
       std::vector<std::string>{"QX1AB=ALB", "  QY2CD=BEX  ", "QX1AB=CAR", "QX3EF==X=", "QX1ab=DUN",
                                "QX1AB/P=ABC", "QX\xE9=\xC0\xC1\xC2", "QX4GH=", "=NOCALL", "QX5IJ",
                                "\tQX5IJ=FEN\t", ""}},
      // Bare CR line ends; an empty call-sign file.
      {"\r", std::vector<std::string>{"ALB=ALB", "CAR=CAR", "BEX=BEX"}, std::vector<std::string>{}},
  };
}

std::string Joined(const std::vector<std::string>& lines, const char* line_end) {
  std::string text;
  for (const std::string& line : lines) text += line + line_end;
  return text;
}

}  // namespace

ReferenceFolders::ReferenceFolders() : root_(std::make_unique<testing::TempDir>()) {
  const std::vector<Variant> variants = Variants();
  for (size_t i = 0; i < variants.size(); ++i) {
    const Variant& variant = variants[i];
    const std::string name = "variant" + std::to_string(i) + "/";
    ReferenceFolder folder;
    folder.path = root_->File(name);
    // A folder must exist even when it holds neither file.
    root_->Write(name + "placeholder", "");
    if (variant.district_lines) {
      root_->Write(name + kDistrictTableFileName,
                   Joined(*variant.district_lines, variant.line_end));
      folder.district_lines = *variant.district_lines;
    }
    if (variant.call_lines) {
      root_->Write(name + kCallDistrictsFileName, Joined(*variant.call_lines, variant.line_end));
      folder.call_lines = *variant.call_lines;
    }
    folders_.push_back(std::move(folder));
  }
}

ReferenceFolders::~ReferenceFolders() = default;

}  // namespace qxqy::fuzzing
