// A picture of the whole screen, taken through GDI, saved as a 24-bit BMP
// file: what a person would see of the plug-in's windows at this moment.
#pragma once

#include <string>

namespace qxqy::hostsim {

// Throws qxqy::Error when the screen cannot be read or the file not written.
void SaveScreenshot(const std::string& path);

}  // namespace qxqy::hostsim
