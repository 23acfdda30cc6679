// The plug-in's one exception family. Errors are thrown inside the plug-in
// and caught by the framework's handler dispatch (shown in the standard error
// box) or by the barrier around each export; none ever reaches the host.
#pragma once

#include <stdexcept>
#include <string>
#include <utility>

namespace qxqy {

class Error : public std::runtime_error {
 public:
  explicit Error(const std::string& message) : std::runtime_error(message) {}
};

// A file that exists but cannot be opened: "Cannot open file <full path>".
// The message stays that (the plug-in shows it as it is); `reason` says why
// when the platform told ("Permission denied"), for the tools to add.
class FileOpenError : public Error {
 public:
  explicit FileOpenError(const std::string& path, std::string reason = std::string())
      : Error("Cannot open file " + path), reason_(std::move(reason)) {}

  const std::string& reason() const { return reason_; }
  // The message and, when known, ": " and the reason.
  std::string Explained() const { return reason_.empty() ? what() : what() + (": " + reason_); }

 private:
  std::string reason_;
};

// What a tool shows for `error`: its message, with the reason a file could
// not be opened when that is known (FileOpenError::Explained).
inline std::string Explained(const Error& error) {
  const auto* open_error = dynamic_cast<const FileOpenError*>(&error);
  return open_error != nullptr ? open_error->Explained() : error.what();
}

// A failure reported by the database layer; the message is the database's own.
class DatabaseError : public Error {
 public:
  explicit DatabaseError(const std::string& message) : Error(message) {}
};

}  // namespace qxqy
