#include "logfile/byte_source.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/support/temp_dir.h"

namespace qxqy::logfile {
namespace {

struct Line {
  uint32_t number;
  std::string text;
  bool operator==(const Line& other) const { return number == other.number && text == other.text; }
};

std::vector<Line> ReadAll(ByteSource& source, size_t cap) {
  std::vector<Line> lines;
  std::string storage;
  std::string_view line;
  bool overlong = false;
  for (uint32_t number = source.line(); source.ReadLine(storage, line, cap, overlong);
       number = source.line()) {
    lines.push_back({number, std::string(line)});
  }
  return lines;
}

TEST(ByteSourceTest, ReadsEveryLineAndItsNumberAcrossBufferRefillsAndLineEnds) {
  // Lines of every length from 1 to 100 ending in LF, CR or CR LF in turn,
  // some 300 KB: lines and their ends fall across the 64 KB buffer's edges,
  // CR LF among them, and runs of lines end in CR alone.
  const char* const kEnds[] = {"\n", "\r", "\r\n", "\r", "\r"};
  std::string text;
  std::vector<Line> expected;
  uint32_t number = 1;
  for (int i = 0; text.size() < 300 * 1024; ++i, ++number) {
    std::string line(static_cast<size_t>(1 + i % 100), static_cast<char>('A' + i % 26));
    text += line + kEnds[i % 5];
    expected.push_back({number, line});
  }
  text += "last";
  expected.push_back({number, "last"});
  qxqy::testing::TempDir folder;
  ByteSource from_file(folder.Write("log.txt", text));
  EXPECT_TRUE(ReadAll(from_file, 4096) == expected);
  ByteSource in_memory(ByteSource::InMemory{}, text);
  EXPECT_TRUE(ReadAll(in_memory, 4096) == expected);
}

}  // namespace
}  // namespace qxqy::logfile
