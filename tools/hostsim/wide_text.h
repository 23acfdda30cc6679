// Conversions between the simulator's UTF-8 strings and the UTF-16 strings of
// ODBC and automation (BSTR). Invalid input is replaced, never rejected.
#pragma once

#include <string>
#include <string_view>

namespace qxqy::hostsim {

std::wstring WideFromUtf8(std::string_view text);
std::string Utf8FromWide(std::wstring_view text);

}  // namespace qxqy::hostsim
