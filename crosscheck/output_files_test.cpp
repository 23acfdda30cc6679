#include "crosscheck/output_files.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <string>

namespace qxqy::crosscheck {
namespace {

namespace fs = std::filesystem;

class OutputFilesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    folder_ = fs::temp_directory_path() /
              ("qxqy-output-files-" + std::to_string(getpid()) + "-" +
               ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(folder_);
  }
  void TearDown() override { fs::remove_all(folder_); }

  static std::string Read(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
  }

  fs::path folder_;
};

// The pieces of a file come out in order whatever the threads and however
// many are formatted ahead.
TEST_F(OutputFilesTest, PiecesAreWrittenInOrder) {
  for (unsigned threads : {1U, 2U, 4U}) {
    for (size_t pieces : {size_t{0}, size_t{1}, size_t{3}, size_t{50}}) {
      OutputFiles files(folder_);
      files.AddInPieces("big.txt", pieces, [](size_t i, std::string& text) {
        // Pieces of very different lengths.
        text.append((i * 7919) % 1000, static_cast<char>('a' + i % 26)).append(std::to_string(i));
      });
      files.Add("sub/small.txt", [](std::ostream& out) { out << "small"; });
      size_t last_done = 0;
      files.WriteAll(threads, [&](size_t done, size_t total) {
        EXPECT_EQ(total, files.jobs());
        last_done = done;
      });
      std::string want;
      for (size_t i = 0; i < pieces; ++i) {
        want.append((i * 7919) % 1000, static_cast<char>('a' + i % 26)).append(std::to_string(i));
      }
      EXPECT_EQ(Read(folder_ / "big.txt"), want) << threads << " threads, " << pieces << " pieces";
      EXPECT_EQ(Read(folder_ / "sub" / "small.txt"), "small");
      EXPECT_EQ(last_done, files.jobs());
    }
  }
}

// A file written again holds the new text only, longer or shorter.
TEST_F(OutputFilesTest, FilesWrittenOverHoldTheNewTextOnly) {
  for (const std::string text : {"a much longer first text\n", "short\n", "", "longer again\n"}) {
    OutputFiles files(folder_);
    files.Add("whole.txt", [&](std::ostream& out) { out << text; });
    files.AddInPieces("pieces.txt", 2, [&](size_t i, std::string& out) {
      if (i == 1) out = text;
    });
    files.WriteAll(2, {});
    EXPECT_EQ(Read(folder_ / "whole.txt"), text);
    EXPECT_EQ(Read(folder_ / "pieces.txt"), text);
  }
}

TEST_F(OutputFilesTest, FailuresNameTheFileAndStopNothingElse) {
  fs::create_directories(folder_);
  std::ofstream(folder_ / "a-file") << "in the way";
  {
    OutputFiles files(folder_ / "a-file");
    files.Add("x.txt", [](std::ostream& out) { out << "x"; });
    try {
      files.WriteAll(2, {});
      ADD_FAILURE() << "no error for a folder that is a file";
    } catch (const OutputError& error) {
      EXPECT_NE(std::string(error.what()).find("a-file"), std::string::npos) << error.what();
    }
  }
  // A folder where a file should go, and a piece that fails: the error is
  // thrown once every job stopped, and the other files are written.
  fs::create_directories(folder_ / "out" / "taken.txt");
  for (unsigned threads : {1U, 2U}) {
    OutputFiles files(folder_ / "out");
    files.Add("taken.txt", [](std::ostream& out) { out << "x"; });
    files.AddInPieces("broken.txt", 20, [](size_t i, std::string& text) {
      if (i == 5) throw std::runtime_error("piece 5");
      text = "piece";
    });
    files.Add("fine.txt", [](std::ostream& out) { out << "fine"; });
    EXPECT_THROW(files.WriteAll(threads, {}), OutputError);
    EXPECT_EQ(Read(folder_ / "out" / "fine.txt"), "fine");
    OutputFiles again(folder_ / "out");
    again.AddInPieces("broken.txt", 20, [](size_t i, std::string& text) {
      if (i == 5) throw std::runtime_error("piece 5");
      text = "piece";
    });
    EXPECT_THROW(again.WriteAll(threads, {}), std::runtime_error);
  }
}

}  // namespace
}  // namespace qxqy::crosscheck
