// The district code of a received exchange: its last three letters.
#pragma once

#include <string>
#include <string_view>

namespace qxqy {

inline constexpr size_t kDistrictCodeLength = 3;

// When `exchange`, upper-cased (a to z only) and trimmed of characters 0 to
// 32, ends in three letters A to Z, stores those three in `code` and returns
// true. Otherwise returns false and leaves `code` alone.
bool ExtractDistrictCode(std::string_view exchange, char (&code)[kDistrictCodeLength]);
bool ExtractDistrictCode(std::string_view exchange, std::string* code);

}  // namespace qxqy
