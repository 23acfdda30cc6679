// The contest's rules over the reference data, written out plainly for the
// fuzz targets to compare the plug-in with: no index, no early exit, no
// shared code with the plug-in.
//
// Letter case is folded for a to z only. The fuzzers run in the C locale
// (libFuzzer never sets one), where the plug-in's locale-aware
// case-insensitive comparison folds exactly those letters.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace qxqy::fuzzing {

// a to z made A to Z; every other byte unchanged.
std::string AsciiUpper(std::string_view text);
bool SameIgnoringCase(std::string_view a, std::string_view b);
// Without the bytes 0 to 32 at either end.
std::string TrimControls(std::string_view text);

// A home country is QX or QY, in any case, blanks around it allowed. The
// plug-in tests ":" + X + ":" against ":QX:QY:", so "QX:QY" counts as well.
bool IsHomeCountryRule(std::string_view country);

// The district code of a received exchange: its last three characters once
// upper-cased and trimmed, when all three are letters A to Z.
std::optional<std::string> DistrictCodeRule(std::string_view exchange);

// The district table's value of `name`: the rest, after the first "=", of
// the first line holding "=" whose text before that "=" equals `name`
// ignoring case; empty when no line does.
std::string TableValueRule(const std::vector<std::string>& lines, std::string_view name);

// The suggestion for `call`: only for a home country, the text after the
// first "=" of the last trimmed line whose text before that "=" is `call`
// exactly (an empty call names no line). `suggestion` keeps its content when
// nothing matches.
void CallLookupRule(const std::vector<std::string>& lines, std::string_view lookup_country,
                    std::string_view call, std::string& suggestion);

}  // namespace qxqy::fuzzing
