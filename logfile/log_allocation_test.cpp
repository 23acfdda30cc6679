// Reading and checking a log sizes its lists once: a log a hundred times
// longer takes no more allocations than a short one. This program replaces
// the global allocator to count them.
#include <gtest/gtest.h>

#include <cstdlib>
#include <new>
#include <string>

#include "logfile/log_checker.h"
#include "logfile/log_file.h"
#include "tests/support/temp_dir.h"

namespace {

size_t allocations = 0;

}  // namespace

void* operator new(size_t size) {
  ++allocations;
  void* block = std::malloc(size == 0 ? 1 : size);
  if (block == nullptr) throw std::bad_alloc();
  return block;
}
void operator delete(void* block) noexcept { std::free(block); }
void operator delete(void* block, size_t) noexcept { std::free(block); }

namespace qxqy::logfile {
namespace {

// A Cabrillo log of `contacts` contacts with distinct calls of one prefix
// (QX1AAA, QX1AAB, ...) and one district, so that only the lists that hold
// every contact grow with the log.
std::string LogOf(int contacts) {
  std::string text = "START-OF-LOG: 3.0\nCALLSIGN: QY5ZZ\n";
  for (int i = 0; i < contacts; ++i) {
    const std::string call = std::string("QX1") + static_cast<char>('A' + i / 676 % 26) +
                             static_cast<char>('A' + i / 26 % 26) + static_cast<char>('A' + i % 26);
    text += "QSO: 14025 CW 2026-03-14 1200 QY5ZZ 599 001 " + call + " 599 ALB\n";
  }
  return text + "END-OF-LOG:\n";
}

struct Counts {
  size_t read, check;
};

Counts AllocationsFor(const std::string& text, const std::string& plugins_folder) {
  ByteSource source(ByteSource::InMemory{}, text);
  Report report;
  const size_t before_read = allocations;
  ParsedLog log = ReadLog(source, LogFormat::kCabrillo, report);
  const size_t read = allocations - before_read;
  CheckOptions options;
  options.plugins_folder = plugins_folder;
  const size_t before_check = allocations;
  const CheckResult result = CheckLog(log, options, report);
  const size_t check = allocations - before_check;
  EXPECT_EQ(result.scored, log.contacts().size());
  EXPECT_EQ(report.total(), 0u);
  return {read, check};
}

TEST(LogAllocationTest, SizesTheContactListsOnceWhateverTheLogsLength) {
  qxqy::testing::TempDir folder;
  folder.Write("qx-qy.dom", "ALB=ALB\n");
  const std::string plugins = folder.path().string() + "/";
  const std::string short_log = LogOf(40);
  const std::string long_log = LogOf(4000);
  const Counts short_counts = AllocationsFor(short_log, plugins);
  const Counts long_counts = AllocationsFor(long_log, plugins);
  EXPECT_EQ(long_counts.read, short_counts.read);
  EXPECT_EQ(long_counts.check, short_counts.check);
}

}  // namespace
}  // namespace qxqy::logfile
