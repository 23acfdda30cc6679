#include "Plugin/entry_points.h"
#include "Plugin/plugin_texts.h"

namespace qxqy::plugin {

void GetInfo(PluginInfo* info) {
  info->InfoValue1 = 1;
  WriteShortText(info->Title, kPluginTitle);
  WriteShortText(info->Kind, kPluginKind);
  info->InfoValue2 = 1;
}

}  // namespace qxqy::plugin
