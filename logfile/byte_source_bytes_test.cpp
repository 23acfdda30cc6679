// The byte-level contract of ByteSource: each byte once, the line it
// stands on, what is counted as read, and how long lines are cut.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "logfile/byte_source.h"
#include "tests/support/temp_dir.h"

namespace qxqy::logfile {
namespace {

// "byte@line" for every byte Get returns, the end as "end@line".
std::string Walk(ByteSource& source) {
  std::string out;
  while (true) {
    const uint32_t line = source.line();
    const int peeked = source.Peek();
    const int c = source.Get();
    if (peeked != c) return out + " (Peek saw " + std::to_string(peeked) + ")";
    if (c < 0) return out + "end@" + std::to_string(line);
    out += (c == '\r'   ? std::string("CR")
            : c == '\n' ? std::string("LF")
                        : std::string(1, char(c)));
    out += "@" + std::to_string(line) + " ";
  }
}

TEST(ByteSourceBytesTest, CountsEachLineEndOnceWhicheverKind) {
  const std::pair<std::string, std::string> cases[] = {
      {"", "end@1"},
      {"a", "a@1 end@1"},
      {"a\nb", "a@1 LF@1 b@2 end@2"},
      {"a\rb", "a@1 CR@1 b@2 end@2"},
      {"a\r\nb", "a@1 CR@1 LF@2 b@2 end@2"},
      {"a\n\rb", "a@1 LF@1 CR@2 b@3 end@3"},
      {"\n\n", "LF@1 LF@2 end@3"},
      {"\r\r\n\n", "CR@1 CR@2 LF@3 LF@3 end@4"},
  };
  for (const auto& [text, walk] : cases) {
    ByteSource source(ByteSource::InMemory{}, text);
    EXPECT_EQ(Walk(source), walk) << "'" << text << "'";
  }
}

TEST(ByteSourceBytesTest, GivesEveryByteValueAsAnUnsignedNumber) {
  std::string all;
  for (int byte = 0; byte < 256; ++byte) all += static_cast<char>(byte);
  qxqy::testing::TempDir folder;
  ByteSource from_file(folder.Write("bytes.bin", all));
  ByteSource in_memory(ByteSource::InMemory{}, all);
  for (ByteSource* source : {&from_file, &in_memory}) {
    EXPECT_EQ(source->SizeHint(), 256u);
    for (int byte = 0; byte < 256; ++byte) {
      ASSERT_EQ(source->consumed(), static_cast<uint64_t>(byte));
      ASSERT_EQ(source->Get(), byte);
    }
    EXPECT_EQ(source->Get(), -1);
    EXPECT_EQ(source->Peek(), -1);
    EXPECT_EQ(source->consumed(), 256u);
    EXPECT_EQ(source->Ahead(), "");
  }
}

TEST(ByteSourceBytesTest, ShowsTheBytesAheadWithoutTakingThem) {
  const std::string text = "START-OF-LOG: 3.0\n";
  qxqy::testing::TempDir folder;
  ByteSource source(folder.Write("log.cbr", text));
  EXPECT_EQ(source.Ahead(), text);
  EXPECT_EQ(source.consumed(), 0u);
  EXPECT_EQ(source.Get(), 'S');
  EXPECT_EQ(source.Ahead(), text.substr(1));
  EXPECT_THROW(ByteSource(folder.File("no-such.cbr")), LogReadError);
  // A folder opens, but cannot be read.
  ByteSource folder_source(folder.path().string());
  EXPECT_THROW(folder_source.Get(), LogReadError);
}

TEST(ByteSourceBytesTest, CountsAByteOrderMarkAsRead) {
  const std::pair<std::string, std::pair<uint64_t, int>> cases[] = {
      {"\xEF\xBB\xBFQ", {3, 'Q'}},
      {"\xEF\xBBQ", {0, 0xEF}},
      {"\xEFQ", {0, 0xEF}},
      {"Q\xEF\xBB\xBF", {0, 'Q'}},
  };
  for (const auto& [text, after] : cases) {
    ByteSource source(ByteSource::InMemory{}, text);
    source.SkipByteOrderMark();
    EXPECT_EQ(source.consumed(), after.first) << text.size();
    EXPECT_EQ(source.Get(), after.second) << text.size();
  }
}

// ReadLine's lines with the overlong flag ("!" after a line cut short) and
// the line numbers they started on.
std::string Lines(ByteSource& source, size_t cap) {
  std::string out;
  std::string storage;
  std::string_view line;
  bool overlong = true;  // each call must set it
  for (uint32_t number = source.line(); source.ReadLine(storage, line, cap, overlong);
       number = source.line()) {
    out += std::to_string(number) + ":" + std::string(line) + (overlong ? "!" : "") + " ";
  }
  return out + "@" + std::to_string(source.consumed());
}

TEST(ByteSourceBytesTest, CutsALineLongerThanTheCapAndReadsPastTheRest) {
  const std::pair<std::string, std::string> cases[] = {
      {"abcd\nefg\n", "1:abcd 2:efg @9"},
      {"abcde\nefg", "1:abcd! 2:efg @9"},
      {"abcdefghij\r\nxy\r\n", "1:abcd! 2:xy @16"},
      {"\n\nab", "1: 2: 3:ab @4"},
      {"abcd", "1:abcd @4"},
      {"abcd\r", "1:abcd @5"},
      {"", "@0"},
      {std::string("\0ab\n\0\n", 6), std::string("1:\0ab 2:\0 @6", 12)},
  };
  for (const auto& [text, lines] : cases) {
    ByteSource in_memory(ByteSource::InMemory{}, text);
    EXPECT_EQ(Lines(in_memory, 4), lines) << "'" << text << "'";
    qxqy::testing::TempDir folder;
    ByteSource from_file(folder.Write("log.txt", text));
    EXPECT_EQ(Lines(from_file, 4), lines) << "'" << text << "' from a file";
  }
}

TEST(ByteSourceBytesTest, ReadsALineWhoseEndMeetsTheBuffersEdge) {
  // A line of N bytes ending in CR LF, for every N that puts its CR or LF
  // on the last bytes of the 64 KB buffer or the first of the next one.
  constexpr size_t kBuffer = size_t{64} * 1024;
  qxqy::testing::TempDir folder;
  for (size_t length = kBuffer - 4; length <= kBuffer + 1; ++length) {
    const std::string line(length, 'x');
    const std::string path = folder.Write("log.txt", line + "\r\nnext\r\n");
    ByteSource source(path);
    EXPECT_EQ(Lines(source, kBuffer * 2), "1:" + line + " 2:next @" + std::to_string(length + 8))
        << length;
  }
}

TEST(ByteSourceBytesTest, CutsALongLineThatCrossesTheBuffer) {
  // One line of 100 000 bytes (past the 64 KB buffer), then a short one.
  const std::string text = std::string(100000, 'x') + "\nend";
  qxqy::testing::TempDir folder;
  const std::string path = folder.Write("log.txt", text);
  for (size_t cap : {size_t{100000}, size_t{99999}, size_t{70000}}) {
    ByteSource source(path);
    EXPECT_EQ(Lines(source, cap), "1:" + std::string(std::min(cap, size_t{100000}), 'x') +
                                      (cap < 100000 ? "!" : "") + " 2:end @100004")
        << cap;
  }
}

}  // namespace
}  // namespace qxqy::logfile
