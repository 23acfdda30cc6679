// The plug-in's one exception family. Errors are thrown inside the plug-in
// and caught by the framework's handler dispatch (shown in the standard error
// box) or by the barrier around each export; none ever reaches the host.
#pragma once

#include <stdexcept>
#include <string>

namespace qxqy {

class Error : public std::runtime_error {
 public:
  explicit Error(const std::string& message) : std::runtime_error(message) {}
};

// A file that exists but cannot be opened: "Cannot open file <full path>".
class FileOpenError : public Error {
 public:
  explicit FileOpenError(const std::string& path) : Error("Cannot open file " + path) {}
};

// A failure reported by the database layer; the message is the database's own.
class DatabaseError : public Error {
 public:
  explicit DatabaseError(const std::string& message) : Error(message) {}
};

}  // namespace qxqy
