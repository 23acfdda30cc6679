// Texts the plug-in reports to the host about itself.
#pragma once

namespace qxqy::plugin {

inline constexpr char kPluginTitle[] = "QX-QY DX Contest";
inline constexpr char kPluginKind[] = "kavrix_contest";

}  // namespace qxqy::plugin
