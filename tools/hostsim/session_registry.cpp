// The "reg" action: the plug-in's saved settings under the simulator's own
// key, read back and planted.
//
//   reg show SECTION [NAME]        one value, or every value of the section
//   reg set SECTION NAME TEXT      a string value (rest of the line)
//   reg set-dword SECTION NAME N   a number where the plug-in expects text
//   reg delete SECTION [NAME]      one value, or the whole section
#include <cstdlib>

#include "tools/hostsim/registry_probe.h"
#include "tools/hostsim/session.h"
#include "tools/hostsim/text_format.h"

namespace qxqy::hostsim {

void Session::Registry(const Command& command) {
  const std::string& what = command.args[0];
  RegistrySection section(OwnSettingsRoot(), command.args[1]);
  const std::string& section_name = command.args[1];
  const bool named = command.args.size() > 2;
  try {
    if (what == "show" && named) {
      const auto value = section.Read(command.args[2]);
      Print(command, section_name + "\\" + command.args[2] + " " +
                         (value ? DescribeRegistryValue(*value) : "absent"));
    } else if (what == "show") {
      const auto values = section.ReadAll();
      if (values.empty()) Print(command, section_name + (section.Exists() ? " empty" : " absent"));
      for (const auto& value : values) {
        Print(command,
              section_name + "\\" + EscapeText(value.name) + " " + DescribeRegistryValue(value));
      }
    } else if (what == "set") {
      section.WriteString(command.args[2], command.args.size() > 3 ? command.args[3] : "");
    } else if (what == "set-dword") {
      section.WriteDword(command.args[2],
                         static_cast<uint32_t>(std::strtoull(command.args[3].c_str(), nullptr, 0)));
    } else if (named) {
      section.DeleteValue(command.args[2]);
    } else {
      section.DeleteSection();
    }
  } catch (const Error& error) {
    Print(command, "error " + QuoteText(error.what()));
  }
}

}  // namespace qxqy::hostsim
