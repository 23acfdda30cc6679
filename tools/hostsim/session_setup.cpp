// Setting up actions: the watchdog, the host's database and its record.
#include <cstdlib>

#include "tools/hostsim/native_path.h"
#include "tools/hostsim/session.h"
#include "tools/hostsim/text_format.h"

namespace qxqy::hostsim {

void Session::Timeout(const Command& command) {
  watchdog_.Rearm(static_cast<int>(std::strtol(command.args[0].c_str(), nullptr, 0)));
}

void Session::Echo(const Command& command) {
  Print(command, command.args.empty() ? "" : command.args[0]);
}

void Session::Database(const Command& command) {
  std::string error;
  connection_ = AdoConnection::Open(
      DriverPath(command.args[0]),
      [this](const std::string& notice) { output_.Line("connection", notice); }, error,
      command.verb == "db-row-by-row");
  record_.SetConnection(static_cast<uint32_t>(
      reinterpret_cast<uintptr_t>(static_cast<IDispatch*>(connection_.get()))));
  if (!error.empty()) Print(command, "error " + QuoteText(error));
}

void Session::Sql(const Command& command) {
  if (!connection_) {
    Print(command, "no database (use db first)");
    return;
  }
  try {
    connection_->ExecuteForHost(command.args[0]);
  } catch (const Error& error) {
    Print(command, "error " + QuoteText(error.what()));
  }
}

void Session::Set(const Command& command) {
  record_.SetText(*FindHostRecordField(command.args[0]),
                  command.args.size() > 1 ? command.args[1] : std::string());
}

void Session::SetRepeat(const Command& command) {
  std::string text;
  for (long i = std::strtol(command.args[1].c_str(), nullptr, 0); i > 0; --i)
    text += command.args[2];
  record_.SetText(*FindHostRecordField(command.args[0]), text);
}

void Session::SetHex(const Command& command) {
  record_.SetBytes(*FindHostRecordField(command.args[0]), ParseHexBytes(command.args[1]));
}

void Session::Junk(const Command& command) {
  const std::string& what = command.args[0];
  if (what == "reserved" || what == "all") record_.FillReservedWithJunk();
  if (what == "tails" || what == "all") record_.FillTextTailsWithJunk();
}

}  // namespace qxqy::hostsim
