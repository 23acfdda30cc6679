#include "base/small_bytes.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace qxqy {
namespace {

// Every size up to past 16 (each handled its own way) against the library:
// the copy writes the run and nothing around it, and two runs compare the
// same as memcmp says, whichever byte differs.
TEST(SmallBytesTest, CopiesAndComparesEverySizeLikeTheLibrary) {
  for (size_t size = 0; size <= 40; ++size) {
    std::string from(size, ' ');
    for (size_t i = 0; i < size; ++i) from[i] = static_cast<char>('a' + i % 26);
    std::vector<char> to(size + 4, '#');
    CopySmallBytes(to.data() + 2, from.data(), size);
    EXPECT_EQ(std::string(to.data() + 2, size), from) << size;
    EXPECT_EQ(to[0], '#');
    EXPECT_EQ(to[1], '#');
    EXPECT_EQ(to[size + 2], '#') << size;
    EXPECT_EQ(to[size + 3], '#') << size;

    EXPECT_TRUE(SameSmallBytes(from, std::string(from))) << size;
    for (size_t at = 0; at < size; ++at) {
      std::string other = from;
      other[at] = static_cast<char>(other[at] ^ 0x80);
      EXPECT_FALSE(SameSmallBytes(from, other)) << size << " differing at " << at;
    }
  }
  EXPECT_FALSE(SameSmallBytes("AB", "ABC"));
  EXPECT_TRUE(SameSmallBytes("", ""));
}

}  // namespace
}  // namespace qxqy
