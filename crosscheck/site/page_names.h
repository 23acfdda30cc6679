// The file names of the stations' pages.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "crosscheck/site/site_model.h"

namespace qxqy::crosscheck::site {

// A call as a file name without its extension: letters, digits and '-'
// stay, '/' is written '-', every other byte '_' (so the name needs no
// escaping in a link and is safe on any file system); an empty name, or one
// that Windows reserves for a device (CON, NUL, COM1...), gets a leading
// '_'; a long one is cut at 64 characters.
std::string StationFileStem(std::string_view call);

// One file name per station ("QX1ABC.html"), in the order of `stations`,
// all different even where file systems ignore case: a stem taken already
// gets "~2", "~3"... ('~' is never part of a stem).
std::vector<std::string> StationPageNames(const std::vector<StationPage>& stations);

}  // namespace qxqy::crosscheck::site
